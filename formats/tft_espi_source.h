#pragma once

// A TFT_eSPI font as it stands in a source: its width table, its table of glyph arrays and the
// arrays, each number with its bytes in the text, as the compiler sees them (#if blocks evaluated
// with the file's own macros). Shared by the tft-espi reader and writer only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/source_edits.h"

namespace glyphwright::tft_espi {

inline constexpr int kFirstCode = 32;
inline constexpr int kCodes = 96;

// How the glyph arrays hold their pixels.
enum class Encoding { Rows, RunLength };

struct GlyphArray {
    std::string name;
    std::size_t start = 0;  // the declaration's first word
    std::size_t open = 0;   // "{"
    std::size_t close = 0;  // "}"
    std::size_t line = 0;
    std::optional<SourceNumber> declared_size;
    std::vector<SourceNumber> bytes;
};

// One entry of the pointer table: the name it holds and the array it names (none when the file
// does not define it).
struct TableEntry {
    std::string name;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::optional<std::size_t> array;
};

struct TftSource {
    std::string suffix;               // "f16" of widtbl_f16 and chrtbl_f16
    std::size_t table_start = 0;      // the pointer table's declaration, which identifies the font
    std::size_t table_line = 0;
    std::size_t table_close = 0;
    std::size_t widths_open = 0;
    std::size_t widths_line = 0;
    std::vector<SourceNumber> widths;
    std::vector<TableEntry> table;
    std::vector<GlyphArray> arrays;
    std::size_t begin = 0;  // the line of the first of its objects
    std::size_t end = 0;    // past the line of the last
    std::vector<std::string> warnings;
};

struct TftFound {
    std::optional<TftSource> source;
    std::string refusal;  // "line N: why"
};

// Every font of a text, found by its pointer table chrtbl_NAME and the width table widtbl_NAME
// beside it; `only` keeps the one whose table's declaration starts there.
std::vector<TftFound> find_tft_sources(std::string_view text, std::optional<std::size_t> only = std::nullopt);

// The cell's height and the encoding the glyph arrays agree on: Font 2's rows of (width + 6) / 8
// bytes, or runs that cover width x height pixels. None when no height fits the glyphs.
struct Shape {
    Encoding encoding = Encoding::Rows;
    int height = 0;
};
std::optional<Shape> shape_of(const TftSource& source);

// The number of bytes of one row of Font 2's glyphs of width `width`.
inline int row_bytes(int width) { return (width + 6) / 8; }

// The baseline TFT_eSPI gives its own fonts (rows from the cell's top), by the names' suffix;
// none for another font.
std::optional<int> library_baseline(std::string_view suffix);

// The suffix TFT_eSPI's own font file `base_name` ("Font16", "Font32rle") uses, or none.
std::optional<std::string> library_suffix(std::string_view base_name);

}  // namespace glyphwright::tft_espi

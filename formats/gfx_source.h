#pragma once

// An Adafruit GFX font as it stands in a source: the numbers of its GFXfont record, of its glyph
// records and of its bitmap, each with the bytes it takes in the text, so that the reader can
// build the font and the writer can put changed numbers back where they were. Shared by the gfx
// reader and writer only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/c_tokens.h"
#include "formats/font_file.h"
#include "formats/source_edits.h"

namespace glyphwright::gfx {

using glyphwright::SourceNumber;

enum RecordField { kOffset, kWidth, kHeight, kAdvance, kXOffset, kYOffset, kRecordFields };

struct SourceRecord {
    std::array<SourceNumber, kRecordFields> fields;
    bool complete = true;  // six numbers were found
    std::size_t line = 0;
};

// Where an array's initialiser lies: its braces, and the size between its brackets when one is written.
struct SourceArray {
    std::string name;
    std::size_t start = 0;  // byte offset of the declaration's first word
    std::size_t open = 0;   // byte offset of "{"
    std::size_t close = 0;  // byte offset of the matching "}"
    std::size_t line = 0;   // of its declaration
    std::optional<SourceNumber> declared_size;
    bool directives = false;  // preprocessor lines inside the braces
};

struct GfxSource {
    std::string name;
    SourceNumber first;
    SourceNumber last;
    SourceNumber y_advance;
    std::size_t font_line = 0;
    SourceArray bitmap;
    SourceArray glyphs;
    std::vector<SourceNumber> bytes;    // as the compiler sees them, #if blocks evaluated
    std::vector<SourceRecord> records;
    std::size_t record = 0; // the offset of the GFXfont record's type name
    std::size_t begin = 0;  // the line of the first of the three objects
    std::size_t end = 0;    // past the line end after the last one's ";"
    std::vector<std::string> warnings;
};

// Every GFXfont record of a text, in file order, each with its arrays; a GFXfont whose arrays
// cannot be found or read gives its refusal instead.
struct GfxFound {
    std::optional<GfxSource> source;
    std::string refusal;  // "line N: why"
};
std::vector<GfxFound> find_gfx_sources(std::string_view text);

// The GFXfont record called `name` that stands at `record` (else the first of that name), as
// find_gfx_sources finds it; a refusal when there is none.
GfxFound find_gfx_source(std::string_view text, std::string_view name, std::size_t record);

// The font the source describes, as the library draws it (see gfx_font.h); with `Cell`, only its
// header and metrics, which is all a scan needs.
enum class Reading { WholeFont, Cell };
FontReadResult gfx_font_of(const GfxSource& source, Reading reading = Reading::WholeFont);

}  // namespace glyphwright::gfx

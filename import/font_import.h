#pragma once

// Makes an editable font out of any font FreeType reads: TrueType and OpenType (also collections,
// by face index), BDF, PCF (also gzip-compressed), OTB and Windows FNT/FON. Outline fonts are
// rendered at a pixel size, bitmap fonts give one of their strikes; the characters are placed on
// a common baseline in a cell that both file forms can hold.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/font_file.h"
#include "import/code_points.h"
#include "text/code_page.h"
#include "import/freetype_face.h"
#include "import/glyph_placement.h"

namespace glyphwright {

struct CellSize {
    int width = 0;
    int height = 0;
    bool operator==(const CellSize&) const = default;
};

struct ImportOptions {
    int pixel_size = 0;  // 1 to 255; 0 asks a bitmap font for its only strike
    int face_index = 0;
    int first_code = 32;
    int char_count = 95;
    std::optional<char32_t> first_code_point;  // of the first character; the first code when absent
    std::map<int, char32_t> mapped_code_points;  // code -> code point, ahead of the range above
    // Without a first code point, code c is the character the code page gives it (Latin-1 when
    // none is given); the font keeps the code page's name.
    std::optional<CodePage> code_page;
    // When given, the font is every character of these code points that the font has, in code
    // point order and with its code point as its code; first_code, char_count, the first code point
    // and the map are not used.
    std::vector<CodePointRange> ranges;
    // When true, the font is every character the font has, as ranges would give them.
    bool every_character = false;
    std::optional<CellSize> cell;                // computed from the font when absent
    Placement placement = Placement::Bearing;
    Rendering rendering = Rendering::Monochrome;
    int threshold = 127;  // grey coverage above it sets a pixel
};

// The font's character at code `code` of the new font.
char32_t code_point_of(const ImportOptions& options, int code);

// Imports the font file at `path`. The result is a font of the model with one label per glyph
// and warnings that name missing and cut-off characters, or a message naming the file and the
// problem: not a font, damaged, a face or size it does not have, options out of range, a file
// that is not regular or over kMaxTextFileBytes. Never throws.
FontReadResult import_font(const std::string& path, const ImportOptions& options);

// import_font over a font held in memory; `file_name` names it in messages and header lines.
FontReadResult import_font_data(std::string_view data, std::string_view file_name, const ImportOptions& options);

// What the Import dialog shows before the user chooses: the font's names and sizes.
struct FontFacts {
    bool ok = false;
    std::string message;  // when !ok: why the file cannot be imported
    std::string family;
    std::string style;
    bool scalable = false;
    std::vector<int> strike_sizes;
    int face_count = 1;  // more than one in a collection (.ttc, .otc)
};

FontFacts read_font_facts(const std::string& path, int face_index);

}  // namespace glyphwright

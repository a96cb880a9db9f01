#pragma once

// The whole document state of the editor: header values, the texts kept from the opened file, the
// table of glyph texts, the pixels of the glyph being edited and the glyph clipboard.

#include <cstdint>
#include <string>
#include <vector>

#include "model/glyph_grid.h"
#include "text/text_file.h"

namespace glyphwright {

// Rows of a FontTable: a character count is at most 255, so rows 255 and 256 are never used.
inline constexpr int kFontTableRows = 257;

struct FontHeader {
    std::int32_t glyph_width = 32;
    std::int32_t glyph_height = 50;
    std::int32_t first_char = 0;
    std::int32_t char_count = 0;

    bool operator==(const FontHeader&) const = default;
};

// One glyph of the table: its GlyphDataText and the comment that followed it on its line in a
// C file (" // " and the comment; empty for fonts read from a DefineFont block).
struct FontRow {
    std::string glyph_data;
    std::string comment;

    bool operator==(const FontRow&) const = default;
};

// Row i holds the glyph of character first_char + i.
using FontTable = std::vector<FontRow>;

// The file and the font in it that the open font was read from, for Save in place. The path is
// empty when the font came from no file (nothing opened yet, a blank or an imported font).
struct FontSource {
    std::string path;
    int entry = -1;        // position of the font among the fonts of the file, from 0
    std::string name;      // the font's name there, for messages
    std::string form;      // the name of the file form it was read in ("c", "bas")
    FileStamp stamp;       // the file's size and time when it was read or last saved in place
};

struct FontModel {
    FontHeader header;
    std::string header_bytes_text;  // the four header bytes as «0xWW,0xHH,0xFF,0xNN,»
    std::string header_text;        // comment lines from the top of the file, each ending in CR LF
    FontTable font_table = FontTable(kFontTableRows);
    GlyphGrid glyph_grid = GlyphGrid(32, 50);
    std::string glyph_clipboard;
    int zoom = 10;
    int current_index = 0;  // row of the glyph being edited; -1 while a font is being read
    FontSource source;
};

// True when width and height are 1 to 255 and width x height is a multiple of 8: the glyphs are
// then whole bytes in both file forms.
bool is_valid_geometry(int glyph_width, int glyph_height);

// The glyphs of the font: rows 0 to glyph_count - 1 of the table, which are the header's
// characters as far as the table holds them. The writers, the overview and the keys that step
// through the characters use these rows.
int glyph_count(const FontModel& model);
bool is_glyph_row(const FontModel& model, int row);

// A row the editor can store into and load from: any row of the table, so that choosing a
// character works the same before and after the header's count.
bool is_table_row(const FontModel& model, int row);

// Replaces the table by a fresh one of kFontTableRows empty rows.
void reset_font_table(FontModel& model);

// Replaces the grid by a fresh all-clear grid for the header's width and height.
void reset_glyph_grid(FontModel& model);

// Encodes the grid into row `row` of the table; `row` must be 0 to kFontTableRows - 1.
void store_glyph(FontModel& model, int row);

// Decodes row `row` of the table into the grid; `row` must be 0 to kFontTableRows - 1.
void load_glyph(FontModel& model, int row);

// The font's size in bytes as the files state it: width x height x count / 8 + 4, in 64 bits.
std::int64_t memory_usage(const FontHeader& header);

}  // namespace glyphwright

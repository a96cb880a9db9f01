#pragma once

// A font as the readers give it and the writers take it: its name, line metrics, header values,
// the texts kept from its file and its glyphs, each with its character and advance. What the
// editor does with it (the glyph on the canvas, the clipboard, where the font came from) is the
// FontModel's.
//
// Every glyph is drawn in the font's cell, glyph_width x glyph_height pixels: the cell holds every
// glyph around one origin on one baseline. The baseline lies `ascent` rows below the top of the
// cell and the origin `origin_x` columns right of its left edge; a glyph's pixels may lie left of
// its origin and below the baseline, and its advance says where the next glyph's origin goes.

#include <cstdint>
#include <string>
#include <vector>

namespace glyphwright {

// Rows of a fresh FontTable: a font of the C and DefineFont forms has at most 255 characters, so
// rows 255 and 256 are never used by them. Fonts of other forms grow the table to their glyphs.
inline constexpr int kFontTableRows = 257;

// Most glyphs a font holds.
inline constexpr int kMaxGlyphs = 65535;

// The last Unicode code point.
inline constexpr char32_t kLastCodePoint = 0x10FFFF;

struct FontHeader {
    std::int32_t glyph_width = 32;
    std::int32_t glyph_height = 50;
    std::int32_t first_char = 0;
    std::int32_t char_count = 0;

    bool operator==(const FontHeader&) const = default;
};

// One glyph of the table: its pixels in the font's cell as a GlyphDataText, the comment that
// followed it on its line in a C file (" // " and the comment; empty for fonts read from a
// DefineFont block), its character and its advance.
struct Glyph {
    std::string glyph_data;
    std::string comment;
    // The glyph's character. Codes 0 to 255 of the C and DefineFont forms are bytes, read as
    // Latin-1 where a form needs Unicode.
    char32_t code_point = 0;
    int advance = 0;  // pixels from this glyph's origin to the next one's

    bool operator==(const Glyph&) const = default;
};

// The glyphs in code order. A font of the C and DefineFont forms has row i for character
// first_char + i.
using FontTable = std::vector<Glyph>;

struct Font {
    std::string name;  // an array's name, a BDF FONT name; empty when it has none
    FontHeader header;  // glyph_width and glyph_height: the cell
    int ascent = 50;    // rows of the cell above the baseline
    int descent = 0;    // rows of the cell below it
    int origin_x = 0;   // columns of the cell left of the origin
    int line_height = 0;  // rows from one line's baseline to the next as the file states it; 0: the cell's height
    // How codes 0 to 255 read as Unicode where a form needs it: a code page iconv knows, such as
    // "CP1251"; empty for Latin-1.
    std::string code_page;
    std::string header_bytes_text;  // the four header bytes as «0xWW,0xHH,0xFF,0xNN,»
    std::string header_text;        // comment lines from the top of the file, each ending in CR LF
    FontTable font_table = FontTable(kFontTableRows);
};

// Fills in the character and advance of rows 0 to char_count - 1 as the C and DefineFont forms
// have them: first_char + i, and the cell's width; the baseline at the bottom of the cell.
void set_fixed_metrics(Font& font);

// True when every glyph's character and advance are those of set_fixed_metrics: the font is one
// run of codes from first_char, each glyph as wide as the cell.
bool has_fixed_metrics(const Font& font);

// The row of the glyph of `code_point`, or the row where a glyph of it would go in code order, with
// `found` telling which.
struct GlyphPlace {
    int row = 0;
    bool found = false;
};
GlyphPlace glyph_place(const Font& font, char32_t code_point);

// Puts `glyph` into row `row` (0 to glyph_count), the rows after it moving down one; the header's
// count and first code follow. Removing gives the glyph of the row, the rows after it moving up.
void insert_glyph(Font& font, int row, Glyph glyph);
Glyph remove_glyph(Font& font, int row);

// The advance most glyphs of the font have (the smaller one of a tie); the cell's width when the
// font has no glyphs.
int most_common_advance(const Font& font);

// True when width and height are 1 to 255 and width x height is a multiple of 8: the glyphs are
// then whole bytes in both file forms.
bool is_valid_geometry(int glyph_width, int glyph_height);

// The glyphs of the font: rows 0 to glyph_count - 1 of the table, which are the header's
// characters as far as the table holds them. The writers, the overview and the keys that step
// through the characters use these rows.
int glyph_count(const Font& model);
bool is_glyph_row(const Font& model, int row);

// Replaces the table by a fresh one of kFontTableRows empty rows.
void reset_font_table(Font& model);

// The font's size in bytes as the files state it: width x height x count / 8 + 4, in 64 bits.
std::int64_t memory_usage(const FontHeader& header);

}  // namespace glyphwright

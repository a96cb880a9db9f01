#pragma once

// BDF 2.1 bitmap fonts, the text form X11 and most font tools read and write: each glyph with its
// own box, advance and Unicode code point, on the font's baseline.

#include <string>
#include <string_view>

#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// The whole BDF file for `font`, lines ending in LF; the family is named after the file name of
// `save_path`, and the header text becomes COMMENT lines. The baseline is the one an imported
// font notes (kAscentNote), otherwise a fifth of the height above the bottom. Rows 0 to
// char_count - 1 are written as characters first_char onwards; a row without data is blank.
std::string write_bdf_font(const Font& font, std::string_view save_path);

// The BDF font of a text (a file holds one): found by its STARTFONT line, its place the lines from
// there to its ENDFONT line. No entry, with the reason, when the text holds none that can be read.
FontScan scan_bdf_fonts(std::string_view text);

// The font of the entry: the cell holds the FONTBOUNDINGBOX, the font's ascent and descent and
// every glyph's box; each glyph stands at its origin in it with its DWIDTH as its advance and its
// ENCODING as its code point, the glyphs in code order. COMMENT lines become the header text.
// Glyphs without a code (ENCODING -1 alone) are left out with a warning.
FontReadResult read_bdf_font_entry(std::string_view text, const FontEntry& entry);

}  // namespace glyphwright

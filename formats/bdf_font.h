#pragma once

// The font written as a BDF 2.1 bitmap font, so that it goes on to other tools: every glyph a
// character cell of the font's full size on a common baseline, its codes as Unicode code points.

#include <string>
#include <string_view>

#include "model/font.h"

namespace glyphwright {

// The whole BDF file for `font`, lines ending in LF; the family is named after the file name of
// `save_path`, and the header text becomes COMMENT lines. The baseline is the one an imported
// font notes (kAscentNote), otherwise a fifth of the height above the bottom. Rows 0 to
// char_count - 1 are written as characters first_char onwards; a row without data is blank.
std::string write_bdf_font(const Font& font, std::string_view save_path);

}  // namespace glyphwright

#pragma once

// The C source form of a font: leading lines, a `fontdatatype` array line, a header line of four
// bytes, one line of bytes per glyph, and "};".

#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// Reads the first font array of a C source held in memory. Never throws; refuses files without an
// array line or with a header whose geometry cannot be edited.
FontReadResult read_c_font(std::string_view text);

// The whole C file for `font`, every line ending in CR LF; `save_path` gives the name line.
std::string write_c_font(const FontModel& font, std::string_view save_path);

}  // namespace glyphwright

#pragma once

// The C source form of a font: a name line and leading lines, a `fontdatatype` array line, a header
// line of four bytes (width, height, first character code, count), one line of bytes per glyph,
// and "};".

#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// Reads the first font array of a C source held in memory. The first line is a name line and is
// ignored unless it is the array line itself; the lines before the array line are kept as the
// font's header text. Blank and comment-only lines between glyph lines are skipped, and a "}"
// ends the array. Never throws; refuses a text without an array line or header line, and a header
// whose geometry cannot be edited. Missing glyph lines leave blank glyphs and add a warning.
FontReadResult read_c_font(std::string_view text);

// read_c_font over the whole file at `path`; a file that cannot be read gives its reason.
FontReadResult read_c_font_file(const std::string& path);

// The whole C file for `font`, every line ending in CR LF; the file name part of `save_path` goes
// into the name line. Rows 0 to char_count - 1 are written with their comments, each data text
// ending in a comma; a row without data is written as a glyph of zero bytes, so the rows after it
// keep their places.
std::string write_c_font(const FontModel& font, std::string_view save_path);

}  // namespace glyphwright

#pragma once

// The MMBasic form of a font: comment lines, a DefineFont line, hexadecimal words (the header word,
// then the glyph bytes as one stream, least significant byte first in each word), End DefineFont.

#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// Reads the first DefineFont block of a BASIC source held in memory. Never throws; refuses files
// without a block or end line, malformed words and geometry that cannot be edited.
FontReadResult read_bas_font(std::string_view text);

// The whole BAS file for `font`, every line ending in CR LF; `save_path` gives the first comment.
std::string write_bas_font(const FontModel& font, std::string_view save_path);

}  // namespace glyphwright

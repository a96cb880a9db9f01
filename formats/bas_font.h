#pragma once

// The MMBasic form of a font: comment lines, a DefineFont line, hexadecimal words (the header word,
// then the glyph bytes as one stream, least significant byte first in each word), End DefineFont.

#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// The address named in the fifth comment line of every written BAS file.
inline constexpr std::string_view kFontSourceAddress = "https://glyphwright.example/fonts";

// Reads the first DefineFont block of a BASIC source held in memory (the first entry of
// scan_bas_fonts). The lines before the block become "// " comment lines of the header text. A
// block begins with a DefineFont statement, at the start of a line or after a ":", and ends with
// an End DefineFont statement, which ":" and more statements may follow. Words are eight
// hexadecimal digits; glyph i is bytes i * B to (i + 1) * B - 1 of the stream after the header
// word (B = width * height / 8), and bytes missing at the end read as 0x00 with a warning. Never throws; refuses files without a
// block or end line, malformed words and geometry that cannot be edited; a refused block is passed
// over when a later one can be read.
FontReadResult read_bas_font(std::string_view text);

// The blocks of a BASIC source that read as fonts, in file order, each named by its number ("#8").
FontScan scan_bas_fonts(std::string_view text);

// Reads the font of `entry`, found by scan_bas_fonts in the same text; its header text is the
// lines between the previous block and its DefineFont line.
FontReadResult read_bas_font_entry(std::string_view text, const FontEntry& entry);

// read_bas_font over the whole file at `path`; a file that cannot be read gives its reason.
FontReadResult read_bas_font_file(const std::string& path);

// The whole BAS file for `font`, every line ending in CR LF; the file name part of `save_path`
// goes into the first comment line. Writes exactly B bytes for each of rows 0 to char_count - 1
// (missing bytes as 00) and pads only the end of the font to a whole word.
std::string write_bas_font(const Font& font, std::string_view save_path);

}  // namespace glyphwright

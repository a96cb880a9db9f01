#pragma once

// The C source form of a font: a name line and leading lines, a `fontdatatype` array line, a header
// line of four bytes (width, height, first character code, count), one line of bytes per glyph,
// and "};".

#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// Reads the first font of a C source held in memory (the first entry of scan_c_fonts). The first
// line is a name line and is ignored unless it is the array line itself; the lines before the
// array line are kept as the font's header text. Blank and comment-only lines between glyph lines
// are skipped, and a "}" ends the array. Never throws; refuses a text without a font, naming the
// nearest array line and why it holds none. Data that does not match the header, and what no
// display draws (codes above 255, widths that are not multiples of 8), add warnings.
FontReadResult read_c_font(std::string_view text);

// The fonts of a C source, in file order: every array declared as fontdatatype (after blanks,
// tabs, static and const) whose header gives glyphs that can be edited, and every byte array
// (uint8_t, unsigned char, prog_uint8_t, char) whose first four bytes, written 0x.., form such a
// header with at least one character. Each entry ends at the "}" that closes its array.
FontScan scan_c_fonts(std::string_view text);

// Reads the font of `entry`, found by scan_c_fonts in the same text. Its header text is the lines
// between the previous font (or the name line) and its array line.
FontReadResult read_c_font_entry(std::string_view text, const FontEntry& entry);

// read_c_font over the whole file at `path`; a file that cannot be read gives its reason.
FontReadResult read_c_font_file(const std::string& path);

// The whole C file for `font`, every line ending in CR LF; the file name part of `save_path` goes
// into the name line. The header text follows, then, unless a header line opens it already, the
// guarded definitions of fontdatatype and PROGMEM that let the file compile alone, then the array
// named by c_array_name. Rows 0 to char_count - 1 are written with their comments, each data text
// ending in a comma; a row without data is written as a glyph of zero bytes, so the rows after it
// keep their places.
std::string write_c_font(const Font& font, std::string_view save_path);

// The name of the array written for the font: the font's name when it is a C identifier (the
// array it was read from), else the file name of `save_path` without its extension, every
// character other than an ASCII letter, digit or "_" as "_", "_" in front of a leading digit, and
// "Font" when nothing is left.
std::string c_array_name(const Font& font, std::string_view save_path);

// The header line of `font`: header_bytes_text as held when it still states the header's values,
// otherwise the four values written anew, so that a saved file never contradicts its own glyphs.
void append_c_header_line(std::string& out, const Font& font);

// A row's data text ending in a comma; a row without data as `glyph_bytes` zero bytes.
void append_c_glyph_data(std::string& out, std::string_view glyph_data, int glyph_bytes);

}  // namespace glyphwright

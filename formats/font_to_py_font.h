#pragma once

// MicroPython font modules: Python modules whose functions give the font's height, baseline,
// widest glyph, bit order and codes, and whose byte strings hold the glyphs (`_font`: the default
// glyph, then a record a glyph of its width as two bytes and its full cell of bits) and an index
// of them (`_index`, a slot a code from min_ch(); or `_sparse`, a code and an offset a glyph).
// Every index of the generator's versions is read, told apart by the text of the module's
// get_ch(); the rows or columns of a cell as hmap() and reverse() say. A module is found by its
// functions and byte strings, whatever its file's name; it holds one font, named by its file.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// The module's font, when its functions and byte strings make one.
FontScan scan_font_to_py_fonts(std::string_view text);

// The font of a module: each glyph's cell from its top left, its advance its width; the baseline
// where baseline() puts it, else below the lowest row of 'H'.
FontReadResult read_font_to_py_font_entry(std::string_view text, const FontEntry& entry);

// Why the font cannot be written as a module (a code past 0xFFFF, glyph data past the 65,535 bytes
// of a slot index or the 524,280 of a sparse one), naming the glyph; empty when it can.
std::string font_to_py_refusal(const Font& font);

// The module as the generator's latest version writes it: rows of bits (columns with
// `options.vertical_map`), the glyph of '?' (else the first) as the default, `_index` for a span
// of up to 95 codes, else `_sparse`, and a get_ch() that finds them. A glyph reaching left of its
// origin or right of its advance widens to hold its pixels, as the form's width is its advance.
std::string write_font_to_py_font(const Font& font, std::string_view save_path, const WriteOptions& options);

// The module with the font's glyphs written into its byte strings, in its own version's index and
// bit order, and its widest glyph and baseline where they changed; a save without edits changes
// nothing. The codes and the height cannot change in place (get_ch() holds them).
InPlaceText font_to_py_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

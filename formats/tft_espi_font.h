#pragma once

// TFT_eSPI's own fonts (Fonts 2, 4, 6, 7 and 8): a width table widtbl_NAME and a table of glyph
// arrays chrtbl_NAME for codes 32 to 127. Each glyph is a cell of the font's height, as wide as its
// width, which is also its advance and keeps its last column blank. Font 2 stores rows of bits,
// MSB left, each row padded to a byte; the others store runs of pixels over the whole cell. The
// font's height and baseline stand in a header beside the arrays (FontNN.h), the form's companion;
// without it the height comes from the glyphs and the baseline from TFT_eSPI's own fonts or 'H'.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every font of a C source, found by its two tables; the entry's name is what follows "chrtbl_"
// ("f16"), and its data_begin is where the pointer table's declaration starts.
FontScan scan_tft_espi_fonts(std::string_view text);

// The font of an entry: each glyph at the cell's top left with its width as its advance. Tables
// that disagree, arrays that are missing or hold too few pixels are warnings naming their line.
FontReadResult read_tft_espi_font_entry(std::string_view text, const FontEntry& entry);

// Takes the height and baseline of the font from its header («#define baseline_f16 13»), with a
// warning when the height there is not the glyphs' own.
void read_tft_espi_companion(std::string_view text, Font& font, std::vector<std::string>& warnings);

// Why the font cannot be written as a TFT_eSPI font (a code outside 32 to 127, a glyph wider than
// 255 pixels with its blank column), naming the glyph; empty when it can.
std::string tft_espi_refusal(const Font& font);

// The arrays as TFT_eSPI's own font files hold them, for codes 32 to 127 (a code the font lacks is
// blank, as wide as the space): Font 2's rows, or runs with `options.run_length`. The names are
// those of TFT_eSPI's font of the same file name (Font16.c: widtbl_f16), else the font's.
std::string write_tft_espi_font(const Font& font, std::string_view save_path, const WriteOptions& options);

// The header beside the arrays: the include of the arrays' file, the five #defines and the two
// tables' declarations; over `old`, only the height and the baseline are written.
std::string write_tft_espi_companion(std::optional<std::string_view> old, const Font& font, std::string_view save_path);

// The text with the font written into the place of `entry`: the numbers that change are written
// where they stood, in the encoding the file uses; a code that shared its array with others and
// changed gets an array of its own.
InPlaceText tft_espi_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

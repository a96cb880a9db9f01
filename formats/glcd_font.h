#pragma once

// The classic column fonts of small monochrome displays (glcdfont.c of Adafruit GFX and TFT_eSPI's
// Font 1, QMK's OLED font, MicroPython's 8x8 font): a plain byte array, a byte a column, bit 0 at
// the top, glyph i drawn for code i from the first code. The array states no size: 5, 6 or 8
// columns a glyph and the first code come from its length (1280 bytes: 5 x 256 from code 0;
// 768: 8 x 96 from code 32; 2048: 8 x 256 from 0), a size in its name («font_petme128_8x8») or
// --cell. Row 6 is the base row, as the library's cursor shift puts it.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every byte array of a C source whose length or name gives a glcd layout; the entry says what
// was taken (its cell and codes). Such arrays are guesses: a declared font of another form wins.
FontScan scan_glcd_fonts(std::string_view text);

// The font of an entry: each glyph in a cell of its columns and 8 rows, advancing a blank column
// more than it stores when it stores 5 (Adafruit's 6-pixel advance), else its columns.
FontReadResult read_glcd_font_entry(std::string_view text, const FontEntry& entry);

// The same with the reader's options: `options.cell` gives the columns a glyph (its height is 8)
// of an array whose length leaves more than one answer.
FontReadResult read_glcd_font_with(std::string_view text, const FontEntry& entry, const ReadOptions& options);

// Why the font cannot be written as a glcd font (a code past 255, a glyph wider than 8 columns or
// with pixels more than 6 rows above or 1 below its baseline), naming the glyph; empty when it can.
std::string glcd_refusal(const Font& font);

// The array as Adafruit's glcdfont.c lays it out: 5 columns a glyph for a font of up to 5 (6 or 8
// for wider ones; the columns a size in the array's name states when they hold the font), every
// code from 0 to 255 (blank where the font has no glyph), or 8 columns for codes 32 to 127 only as
// MicroPython's font; named as the C form names its array.
std::string write_glcd_font(const Font& font, std::string_view save_path);

// The text with the font's columns written over the array's numbers: only the numbers that change,
// where they stood.
InPlaceText glcd_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

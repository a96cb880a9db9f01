#pragma once

// LVGL fonts as its converter writes them at 1 bit a pixel: an lv_font_t pointing to a
// format-text descriptor, a bitmap of each glyph's box, row after row without padding, a glyph
// descriptor a glyph (box, offsets from the pen and the baseline, advance in 1/16 pixel) and
// character maps of four kinds from codes to glyphs. Each glyph stands where LVGL draws it: its box
// bottom ofs_y rows above the baseline, which lies base_line rows above the bottom of the line.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every lv_font_t of a C source whose descriptor, bitmap, glyphs and maps the file defines; a font
// with compressed bitmaps is refused with a message that says so.
FontScan scan_lvgl_fonts(std::string_view text);

// The font of an entry: each glyph the maps give, with its advance rounded to whole pixels as
// LVGL rounds it, the line height as the file states it. Maps that name glyphs the descriptors
// lack and boxes past the bitmap are warnings naming their line.
FontReadResult read_lvgl_font_entry(std::string_view text, const FontEntry& entry);

// The same with the reader's options: a font of 2, 4 or 8 bits a pixel is read with each pixel of
// `options.threshold` coverage (0 to 255) or more set; without a threshold it is refused, saying so.
FontReadResult read_lvgl_font_with(std::string_view text, const FontEntry& entry, const ReadOptions& options);

// Why the font cannot be written as an LVGL font (a code past 0x10FFFF, an advance past 255
// pixels, a glyph further than 128 pixels from its origin, a bitmap past 1 MiB), naming the
// glyph; empty when it can.
std::string lvgl_refusal(const Font& font);

// The C file LVGL's converter would write for the glyphs at 1 bit a pixel: tight boxes, the maps
// split as the converter splits them, no kerning; named as the C form names its array.
std::string write_lvgl_font(const Font& font, std::string_view save_path);

// The text with the font written into the place of `entry`: a font of the same characters keeps
// every line whose numbers stay, its kerning included; only the bytes and descriptors of edited
// glyphs and the bitmap offsets after them change.
InPlaceText lvgl_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

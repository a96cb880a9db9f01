#pragma once

// The fonts of ThingPulse's SSD1306 OLED library: a byte array of a four-byte header (widest
// advance, height, first code, number of codes), a jump table of four bytes a code (offset, byte
// count, advance; offset 0xFFFF for a code without pixels) and the glyphs as columns of pages, bit
// 0 at the top, trailing zero bytes cut. The file states no baseline: the lowest row of 'H' (else
// of the digits, else the cell's last row) is taken for the base row.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every array of a C source (uint8_t or char) whose header, jump table and glyph data agree.
FontScan scan_thingpulse_fonts(std::string_view text);

// The font of an entry: each code's columns from the cell's top left, its advance as the table gives it.
FontReadResult read_thingpulse_font_entry(std::string_view text, const FontEntry& entry);

// Why the font cannot be written for ThingPulse's library (a code past 255, a glyph of more than
// 255 bytes or advancing more than 255 pixels, data past 0xFFFF), naming the glyph; empty when it can.
std::string thingpulse_refusal(const Font& font);

// The array as the library's own fonts lay it out, from the font's first code to 255 (codes the
// font lacks have no pixels and no advance), the line's top at row 0. A glyph reaching left of its
// origin moves right and advances as much further, as the library draws nothing left of the cursor.
std::string write_thingpulse_font(const Font& font, std::string_view save_path);

// The text with the font written into the array of `entry`: the jump table's numbers that change
// and the edited glyphs' bytes, where they stood.
InPlaceText thingpulse_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

#pragma once

// TFT_eSPI's smooth fonts, the .vlw files of Processing's font export: a binary file of big-endian
// 32-bit numbers, a record a glyph (code point, box, advance, offsets) and a byte of coverage a
// pixel. A pixel of coverage 128 or more is set, as a display draws it in one colour; a glyph
// written anew has coverage 0 and 255 only.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// The font of a .vlw file (a file holds one), found by its header: version 11 and records and
// bitmaps that fit the file; or the fonts of a C source whose byte arrays hold such files
// («const uint8_t NotoSansBold15[] PROGMEM = { 0x00, 0x00, 0x00, 0x5F, ... }», for TFT_eSPI's
// loadFont from flash), each entry named by its array.
FontScan scan_vlw_fonts(std::string_view bytes);

// The font: each glyph at its offsets from the cursor with its advance, the baseline under the
// row the header's ascent puts it on, the name from the file's trailer.
FontReadResult read_vlw_font_entry(std::string_view bytes, const FontEntry& entry);

// The same with the reader's options: a pixel of `options.threshold` coverage or more is set.
FontReadResult read_vlw_font_with(std::string_view bytes, const FontEntry& entry, const ReadOptions& options);

// Why the font cannot be written as a .vlw file (a code past 0xFFFF, an advance or a box past its
// field), naming the glyph; empty when it can.
std::string vlw_refusal(const Font& font);

// The whole file: header, a record for every glyph in code order, each glyph's tight box at
// coverage 0 and 255, and the trailer with the font's name.
std::string write_vlw_font(const Font& font, std::string_view save_path);

// The file with the font written over it: a glyph that draws as before keeps its record and its
// coverage bytes, so a file saved without edits stays as it was; the trailer stays. In a C array,
// the bytes that change are written where they stood.
InPlaceText vlw_font_in_place(std::string_view bytes, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

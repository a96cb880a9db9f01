#pragma once

// Adafruit GFX fonts: a GFXfont record naming a bitmap array and a GFXglyph array, one record a
// code from `first` to `last`, each glyph its own box around the cursor and its own advance. The
// cursor's row is the glyph's base row, as fontconvert writes them: a font read here stands on
// its baseline exactly as the library draws it, whichever program made the file.

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every GFXfont of a C source, found by its record among any other code; the entry's place is
// the lines from the first of its three objects to the last. #if blocks inside the arrays are
// read with the file's own macros (a macro the file does not define is false).
FontScan scan_gfx_fonts(std::string_view text);

// The font of an entry: a cell that holds every box and the origin, the baseline under the base
// row, each glyph's advance, yAdvance as the line height. Records that disagree with the bitmap
// or the range are warnings naming their line.
FontReadResult read_gfx_font_entry(std::string_view text, const FontEntry& entry);

// Why the font cannot be written as a GFXfont (a code past 0xFFFF, an advance or box past its
// byte field, a bitmap past 65,535 bytes), naming the glyph; empty when it can.
std::string gfx_refusal(const Font& font);

// The header fontconvert would write: the bitmap of tight boxes, 12 bytes a line, the glyph
// records padded as fontconvert pads them, each with its code and character, and the GFXfont
// record; named as the C form names its array.
std::string write_gfx_font(const Font& font, std::string_view save_path);

// The text with the font written into the place of the GFXfont `entry`: unchanged glyphs keep
// their records and bytes, and only the numbers that change are written, where they stood.
InPlaceText gfx_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

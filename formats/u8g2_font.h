#pragma once

// The compressed fonts of u8g2, the library of monochrome displays: a C string literal declared
// «const uint8_t NAME[N] U8G2_FONT_SECTION("NAME") = "...";», split over many lines with octal
// escapes, holding a 23-byte header and a run-length coded record a glyph. Codes to 255 and
// Unicode codes to U+FFFE; four build modes (each glyph its own box, a common height, monospace,
// cells a multiple of 8).

#include <string>
#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// Every u8g2 font of a C source: each array initialised by string literals whose bytes decode as
// one, whatever its declaration's type and section macro.
FontScan scan_u8g2_fonts(std::string_view text);

// The font of an entry: each glyph where u8g2 draws it from the pen on the baseline, its advance as
// stored; the cell holds every glyph and the header's font box.
FontReadResult read_u8g2_font_entry(std::string_view text, const FontEntry& entry);

// Why the font cannot be written for u8g2 (a code past U+FFFE, a box past 127 pixels or its place
// past -128 to 127, a record past 254 bytes), naming the glyph; empty when it can.
std::string u8g2_refusal(const Font& font);

// The font as u8g2's converter writes it, in the build mode of `options` (0 to 3: t, h, m, 8),
// named by the library's convention when the font's name is not already one of its names:
// «u8g2_font_» + name + «_» + the mode's letter + the letter of its set of codes.
std::string write_u8g2_font(const Font& font, std::string_view save_path, const WriteOptions& options);

// The name the font's array takes in a file written at `save_path` in that build mode.
std::string u8g2_font_name(const Font& font, std::string_view save_path, int mode);

// The text with the font written into the string of `entry`, in the file's build mode: glyphs that
// draw as before keep their records, edited ones are coded with the file's field widths where they
// fit (else the whole font is coded anew), the declared size follows; a save without edits changes
// nothing.
InPlaceText u8g2_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

}  // namespace glyphwright

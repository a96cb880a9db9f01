#pragma once

// Converts between a glyph's text form, GlyphDataText («0xHH,» per byte), and its pixels.
// A glyph is one bit stream, row after row, most significant bit first: pixel (x, y) is bit
// y * width + x, and byte j is field j + 1 of the text. For widths that are multiples of 8 this is
// rows of width / 8 bytes.

#include <string>
#include <string_view>

#include "model/glyph_grid.h"

namespace glyphwright {

// Number of bytes of one glyph of the given size (width * height / 8, rounded up).
int glyph_byte_count(int glyph_width, int glyph_height);

// Value of one byte field: blanks and tabs around it are ignored, its digits are characters 3 and 4
// (the "0x" is assumed, not checked), read as hexadecimal up to the first other character.
// No digit gives 0.
int decode_byte_field(std::string_view field);

// Writes every pixel of the grid's glyph area from the text. Missing or unreadable bytes give clear
// pixels; surplus fields are ignored. Never fails.
void decode_glyph(std::string_view text, GlyphGrid& grid);

// The canonical text of the grid's glyph: upper-case digits, every byte followed by a comma.
std::string encode_glyph(const GlyphGrid& grid);

// Appends the canonical field of the low 8 bits of `value`: «0xHH,».
void append_byte_field(std::string& text, int value);

}  // namespace glyphwright

#pragma once

// Pieces that the C and the DefineFont readers and writers share: refusals and warnings with line
// numbers, the geometry check, the header's byte fields and the digits written for one byte.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// True for 0 to 9, A to F and a to f; a table lookup, for the loops over every digit of a font.
bool is_hex_digit(char character);

// "1 word", "2 words": a count with its noun in the right number.
std::string counted(std::int64_t count, std::string_view singular, std::string_view plural);

// "line N: " + text.
std::string at_line(std::size_t line_number, std::string_view text);

// A failed read whose message is "line N: " + text.
FontReadResult refused_at(std::size_t line_number, std::string_view text);

// Why glyphs of this size cannot be edited (a width or height of 0, or width x height not a
// multiple of 8), or the empty text when they can. The header's values come from two hexadecimal
// digits, so they never exceed 255.
std::string geometry_problem(const FontHeader& header);

// What no display draws, as a warning text, or the empty text: characters past code 255, and (in
// the C form, whose libraries find a glyph as width / 8 bytes a row) widths not multiples of 8.
std::string codes_problem(const FontHeader& header);
std::string row_width_problem(const FontHeader& header);

// Gives a font read from the C or DefineFont form its characters, advances and baseline: each
// glyph a character of the run from first_char, as wide as the cell, the baseline at the bottom
// of the cell unless the header text notes the ascent of an imported font.
void set_fixed_font_metrics(Font& font);

// The first four comma-separated fields of a header line, each without blanks and tabs, cut at
// the line's first "/" or "}"; missing fields are empty. `present` counts the non-empty ones.
struct HeaderFields {
    std::array<std::string_view, 4> fields;
    int present = 0;
};
HeaderFields split_header_fields(std::string_view header_line);

// The four values of the fields (width, height, first code, count), read as byte fields are.
FontHeader header_of(const HeaderFields& header_fields);

// The two hexadecimal digits written for a byte: characters 3 and 4 of the trimmed `field` as they
// stand when both are hexadecimal digits, otherwise the byte's decoded value in upper case. So
// digits read from a file keep their letter case.
using ByteDigits = std::array<char, 2>;
ByteDigits field_digits(std::string_view field);

// As field_digits, for a byte whose value must be `value` (0 to 255): the field's digits only when
// they give that value.
ByteDigits byte_digits(std::string_view field, int value);

// The header line written for `header` when no line read from a file states its values:
// «0xWW,0xHH,0xFF,0xNN,» in upper case.
std::string header_bytes_text_of(const FontHeader& header);

// Walks the comma-separated fields of a GlyphDataText once, from the left.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view text) : m_text(text) {}

    // The next field, or the empty text once every field was taken.
    std::string_view next_field();

private:
    std::string_view m_text;
    std::size_t m_position = 0;
};

// Reads a whole file with open_text_file and hands its text to `reader`; a file that cannot be
// read gives a failed result with open_text_file's reason.
FontReadResult read_font_file(const std::string& path, FontReadResult (*reader)(std::string_view));

// For forms that state no baseline: the rows from the cell's top through the lowest ink of 'H',
// else of the digits, else the cell's height; the base row is the last of them.
int rows_above_glyphs_base(const Font& font);

}  // namespace glyphwright

#pragma once

// Byte-string primitives with fixed edge rules. None of them fails: positions, lengths and field
// numbers outside the text give shorter or empty results, and unreadable numbers give 0.
// Positions are 1-based. Operations that cut a text return a view into their argument, so the
// argument must outlive the result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphwright {

// Number of characters (bytes) of the text.
std::int64_t length_of(std::string_view text);

// At most `length` characters from `position`; a position of 1 or less starts at the first
// character, a negative length counts as 0.
std::string_view substring(std::string_view text, std::int64_t position, std::int64_t length);
// Everything from `position` to the end.
std::string_view substring(std::string_view text, std::int64_t position);

// The blanks and tabs at the start of a line.
std::string_view leading_blanks(std::string_view line);

// The line end ("\r\n", "\r" or "\n") of the line that ends just before `position`, the start of
// the next line; "\r\n" when there is none.
std::string_view line_end_before(std::string_view text, std::size_t position);

// The text without leading and trailing blanks and tabs.
std::string_view trim_blanks_and_tabs(std::string_view text);

// The text with a to z in upper case; every other byte unchanged.
std::string to_upper(std::string_view text);

// A 64-bit integer from the start of the text: leading blanks and tabs skipped, one optional sign,
// then decimal digits, hexadecimal after "$" or base-2 after "%". Stops at the first character
// that is not a digit of the base; no digits give 0; overflow wraps.
std::int64_t parse_value(std::string_view text);

// Value of one hexadecimal digit character, or -1 when it is not one.
inline int hex_digit_value(char character)
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    return -1;
}

// "U+" and at least four upper-case hexadecimal digits: "U+0041", "U+1F600".
std::string code_point_text(char32_t code_point);

// The characters of a text: its UTF-8 characters when it is valid UTF-8, else one character a byte
// (Latin-1).
std::u32string characters_of_text(std::string_view text);

// The one character that `text` holds in UTF-8, or none when it holds another number of them or
// bytes that are not UTF-8.
std::optional<char32_t> single_utf8_character(std::string_view text);

// The UTF-8 bytes of a Unicode code point; a value past U+10FFFF or a surrogate gives U+FFFD.
std::string utf8_of(char32_t code_point);

// The upper-case hexadecimal digit of the low 4 bits of `value`.
inline char upper_hex_digit(unsigned value) { return "0123456789ABCDEF"[value & 0xFu]; }

// Decimal digits, with "-" in front of negative values.
std::string to_decimal(std::int64_t value);

// The text between double quotes, as messages show a file name or a token.
std::string quoted(std::string_view text);

// The one-character text of the low 8 bits of `code`; empty when those bits are 0.
std::string char_of(std::int64_t code);

// The extension of a path without its dot ("bas" for "C:\fonts\font.bas"), or empty.
std::string_view file_extension(std::string_view path);

// The last component of a path, extension included; a leading double quote is skipped and a
// later one ends the name.
std::string_view file_name_part(std::string_view path);

// The file name of a path between double quotes, as messages name a file.
std::string quoted_file_name(std::string_view path);

}  // namespace glyphwright

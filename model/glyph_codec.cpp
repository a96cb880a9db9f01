#include "model/glyph_codec.h"

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// The value of the byte field at `at` when it is written as encode_glyph writes it, «0xHH» followed
// by a comma or the end of the text (digits of either case); -1 for a field written any other way.
int canonical_field_value(std::string_view text, std::size_t at)
{
    if (text.size() - at < 4 || text[at] != '0' || text[at + 1] != 'x')
        return -1;
    if (text.size() - at > 4 && text[at + 4] != ',')
        return -1;
    const int high = hex_digit_value(text[at + 2]);
    const int low = hex_digit_value(text[at + 3]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

int glyph_byte_count(int glyph_width, int glyph_height)
{
    if (glyph_width <= 0 || glyph_height <= 0)
        return 0;
    return (glyph_width * glyph_height + 7) / 8;
}

int decode_byte_field(std::string_view field)
{
    std::string_view digits = substring(trim_blanks_and_tabs(field), 3, 2);
    int value = 0;
    for (char digit : digits) {
        int digit_value = hex_digit_value(digit);
        if (digit_value < 0)
            break;
        value = value * 16 + digit_value;
    }
    return value;
}

void decode_glyph(std::string_view text, GlyphGrid& grid)
{
    const int width = grid.glyph_width();
    const int height = grid.glyph_height();
    const int byte_count = glyph_byte_count(width, height);
    int x = 0;
    int y = 0;
    // One pass over the text: each comma ends the field of the next byte. Fields as the writers
    // write them are read in place; any other is trimmed and read by decode_byte_field.
    std::size_t start = 0;
    for (int byte_index = 0; byte_index < byte_count; ++byte_index) {
        int value = 0;
        if (start < text.size()) {
            value = canonical_field_value(text, start);
            if (value >= 0) {
                start += 5;
            } else {
                const std::size_t comma = text.find(',', start);
                const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
                value = decode_byte_field(text.substr(start, end - start));
                start = comma == std::string_view::npos ? text.size() : comma + 1;
            }
        }
        for (int bit = 7; bit >= 0 && y < height; --bit) {
            grid.set(x, y, (value >> bit) & 1);
            if (++x == width) {
                x = 0;
                ++y;
            }
        }
    }
}

std::string encode_glyph(const GlyphGrid& grid)
{
    const int width = grid.glyph_width();
    const int height = grid.glyph_height();
    const int byte_count = glyph_byte_count(width, height);
    std::string text(static_cast<std::size_t>(byte_count) * 5, ',');
    int x = 0;
    int y = 0;
    for (int byte_index = 0; byte_index < byte_count; ++byte_index) {
        unsigned value = 0;
        for (int bit = 7; bit >= 0 && y < height; --bit) {
            if (grid.at(x, y) == 1)
                value |= 1u << bit;
            if (++x == width) {
                x = 0;
                ++y;
            }
        }
        char* field = text.data() + static_cast<std::size_t>(byte_index) * 5;
        field[0] = '0';
        field[1] = 'x';
        field[2] = upper_hex_digit(value >> 4);
        field[3] = upper_hex_digit(value);
    }
    return text;
}

void append_byte_field(std::string& text, int value)
{
    text += "0x";
    text += upper_hex_digit(static_cast<unsigned>(value) >> 4);
    text += upper_hex_digit(static_cast<unsigned>(value));
    text += ',';
}

}  // namespace glyphwright

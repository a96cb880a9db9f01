#include "model/glyph_codec.h"

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// Walks the glyph's pixels in bit-stream order: row after row, left to right.
class PixelCursor {
public:
    explicit PixelCursor(int glyph_width, int glyph_height) : m_width(glyph_width), m_height(glyph_height) {}

    bool done() const { return m_y >= m_height; }
    int x() const { return m_x; }
    int y() const { return m_y; }
    void advance()
    {
        if (++m_x == m_width) {
            m_x = 0;
            ++m_y;
        }
    }

private:
    int m_width;
    int m_height;
    int m_x = 0;
    int m_y = 0;
};

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
    int byte_count = glyph_byte_count(grid.glyph_width(), grid.glyph_height());
    PixelCursor cursor(grid.glyph_width(), grid.glyph_height());
    // One pass over the text: each comma ends the field of the next byte.
    std::size_t start = 0;
    for (int byte_index = 0; byte_index < byte_count; ++byte_index) {
        int value = 0;
        if (start <= text.size()) {
            std::size_t comma = text.find(',', start);
            std::size_t end = comma == std::string_view::npos ? text.size() : comma;
            value = decode_byte_field(text.substr(start, end - start));
            start = comma == std::string_view::npos ? text.size() + 1 : comma + 1;
        }
        for (int bit = 7; bit >= 0 && !cursor.done(); --bit, cursor.advance())
            grid.set(cursor.x(), cursor.y(), (value >> bit) & 1);
    }
}

std::string encode_glyph(const GlyphGrid& grid)
{
    int byte_count = glyph_byte_count(grid.glyph_width(), grid.glyph_height());
    PixelCursor cursor(grid.glyph_width(), grid.glyph_height());
    std::string text;
    text.reserve(static_cast<std::size_t>(byte_count) * 5);
    for (int byte_index = 0; byte_index < byte_count; ++byte_index) {
        int value = 0;
        for (int bit = 7; bit >= 0 && !cursor.done(); --bit, cursor.advance()) {
            if (grid.at(cursor.x(), cursor.y()) == 1)
                value |= 1 << bit;
        }
        append_byte_field(text, value);
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

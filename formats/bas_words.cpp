#include "formats/bas_words.h"

#include <algorithm>

#include "formats/font_text.h"
#include "model/glyph_codec.h"

namespace glyphwright {

namespace {

constexpr std::size_t kWordDigits = 8;
constexpr std::size_t kWordsPerLine = 8;

class WordWriter {
public:
    WordWriter(std::string& out, std::string_view indent, std::string_view line_end)
        : m_out(out), m_indent(indent), m_line_end(line_end)
    {
        m_out += m_indent;
    }

    // The first byte of a word is its least significant: its digits go last.
    void add_byte(ByteDigits digits)
    {
        std::size_t position = (3 - m_bytes_in_word) * 2;
        m_word[position] = digits[0];
        m_word[position + 1] = digits[1];
        if (++m_bytes_in_word == 4)
            flush_word();
    }

    // Pads the last word with zero bytes.
    void finish()
    {
        while (m_bytes_in_word != 0)
            add_byte({'0', '0'});
        m_out += m_line_end;
    }

private:
    void flush_word()
    {
        if (m_words > 0 && m_words % kWordsPerLine == 0) {
            m_out += m_line_end;
            m_out += m_indent;
        } else if (m_words > 0) {
            m_out += ' ';
        }
        m_out.append(m_word, kWordDigits);
        ++m_words;
        m_bytes_in_word = 0;
    }

    std::string& m_out;
    std::string_view m_indent;
    std::string_view m_line_end;
    char m_word[kWordDigits] = {};
    std::size_t m_bytes_in_word = 0;
    std::size_t m_words = 0;
};

void append_header_word(WordWriter& words, const Font& font)
{
    HeaderFields fields = split_header_fields(font.header_bytes_text);
    const FontHeader& header = font.header;
    const int values[] = {header.glyph_width, header.glyph_height, header.first_char, header.char_count};
    for (std::size_t byte = 0; byte < 4; ++byte)
        words.add_byte(byte_digits(fields.fields[byte], values[byte] & 0xFF));
}

void append_glyph_bytes(WordWriter& words, std::string_view glyph_data, int glyph_bytes)
{
    FieldCursor cursor(glyph_data);
    for (int byte = 0; byte < glyph_bytes; ++byte)
        words.add_byte(field_digits(cursor.next_field()));
}

}  // namespace

void append_font_words(std::string& out, const Font& font, std::string_view indent, std::string_view line_end)
{
    const FontHeader& header = font.header;
    const int rows = glyph_count(font);
    const int glyph_bytes = glyph_byte_count(header.glyph_width, header.glyph_height);
    const std::size_t stream_bytes = 4 + static_cast<std::size_t>(rows) * static_cast<std::size_t>(glyph_bytes);
    out.reserve(out.size() + (stream_bytes / 4 + 1) * (kWordDigits + 1) + (stream_bytes / 32 + 1) * (indent.size() + 2));
    WordWriter words(out, indent, line_end);
    append_header_word(words, font);
    for (int row = 0; row < rows; ++row)
        append_glyph_bytes(words, font.font_table[static_cast<std::size_t>(row)].glyph_data, glyph_bytes);
    words.finish();
}

}  // namespace glyphwright

#include "formats/bas_font.h"

#include <algorithm>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kWordDigits = 8;
constexpr std::size_t kWordsPerLine = 8;

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

bool starts_with_keyword(std::string_view text, std::string_view upper_keyword)
{
    return text.size() >= upper_keyword.size() && to_upper(text.substr(0, upper_keyword.size())) == upper_keyword;
}

// A data line ends at a "'" comment.
std::string_view code_part(std::string_view line)
{
    std::size_t quote = line.find('\'');
    return quote == std::string_view::npos ? line : line.substr(0, quote);
}

bool is_end_line(std::string_view line)
{
    std::string_view code = trim_blanks_and_tabs(code_part(line));
    return code.size() == 14 && to_upper(code) == "END DEFINEFONT";
}

bool is_word_at(std::string_view code, std::size_t position)
{
    if (position + kWordDigits > code.size())
        return false;
    for (std::size_t offset = 0; offset < kWordDigits; ++offset) {
        if (!is_hex_digit(code[position + offset]))
            return false;
    }
    return true;
}

std::string word_problem(std::string_view code, std::size_t position)
{
    std::size_t end = code.find_first_of(" \t", position);
    std::string_view token = code.substr(position, std::min<std::size_t>(end, position + 24) - position);
    return "\"" + std::string(token) + "\" is not a word of eight hexadecimal digits";
}

class BasFontReader {
public:
    explicit BasFontReader(std::string_view text) : m_lines(text) {}

    FontReadResult read()
    {
        if (!find_block())
            return refused_at(m_lines.line_number(), "the file ends without a \"DefineFont\" line, so it holds no font block");
        m_block_line = m_lines.line_number();
        if (!read_words())
            return std::move(m_result);
        if (m_words == 0)
            return refused_at(m_lines.line_number(), "the DefineFont block that begins on line "
                              + to_decimal(static_cast<std::int64_t>(m_block_line)) + " has no header word");
        build_glyphs();
        m_result.ok = true;
        add_character_labels(m_result);
        reset_glyph_grid(m_result.font);
        return std::move(m_result);
    }

private:
    bool find_block()
    {
        while (!m_lines.at_end()) {
            std::string_view line = m_lines.read_line();
            if (starts_with_keyword(trim_blanks_and_tabs(line), "DEFINEFONT"))
                return true;
            std::string& header_text = m_result.font.header_text;
            header_text += "// ";
            header_text += substring(line, 2);
            header_text += kLineEnd;
        }
        return false;
    }

    bool read_words()
    {
        while (!m_lines.at_end()) {
            std::string_view line = m_lines.read_line();
            if (is_end_line(line))
                return true;
            if (!read_line_words(code_part(line)))
                return false;
        }
        m_result = refused_at(m_lines.line_number(), "the file ends inside the DefineFont block that begins on line "
                              + to_decimal(static_cast<std::int64_t>(m_block_line)) + "; its \"End DefineFont\" line is missing");
        return false;
    }

    bool read_line_words(std::string_view code)
    {
        std::size_t position = 0;
        while (position < code.size()) {
            if (is_blank_or_tab(code[position])) {
                ++position;
                continue;
            }
            if (!is_word_at(code, position)) {
                m_result = refused_at(m_lines.line_number(), word_problem(code, position));
                return false;
            }
            if (!take_word(code.substr(position, kWordDigits)))
                return false;
            position += kWordDigits;
        }
        return true;
    }

    // Keeps the digit pairs of the word's bytes in stream order: the last pair is the first byte.
    bool take_word(std::string_view word)
    {
        ++m_words;
        if (m_words > m_needed_words) {
            if (m_words == m_needed_words + 1)
                m_first_surplus_line = m_lines.line_number();
            return true;
        }
        const char bytes[kWordDigits] = {word[6], word[7], word[4], word[5], word[2], word[3], word[0], word[1]};
        m_stream_digits.append(bytes, kWordDigits);
        return m_words > 1 || take_header();
    }

    bool take_header()
    {
        FontModel& font = m_result.font;
        std::string_view digits = m_stream_digits;
        font.header_bytes_text.clear();
        for (std::size_t byte = 0; byte < 4; ++byte) {
            font.header_bytes_text += "0x";
            font.header_bytes_text += digits.substr(byte * 2, 2);
            font.header_bytes_text += ',';
        }
        font.header = header_of(split_header_fields(font.header_bytes_text));
        std::string problem = geometry_problem(font.header);
        if (!problem.empty()) {
            m_result = refused_at(m_lines.line_number(), problem);
            return false;
        }
        m_glyph_bytes = static_cast<std::size_t>(glyph_byte_count(font.header.glyph_width, font.header.glyph_height));
        std::size_t font_bytes = m_glyph_bytes * static_cast<std::size_t>(font.header.char_count);
        m_needed_words = 1 + (font_bytes + 3) / 4;
        m_stream_digits.reserve(2 * (4 + font_bytes + 3));
        return true;
    }

    void build_glyphs()
    {
        const FontHeader& header = m_result.font.header;
        std::string_view digits = std::string_view(m_stream_digits).substr(8);
        for (int row = 0; row < header.char_count; ++row) {
            std::string& text = m_result.font.font_table[static_cast<std::size_t>(row)].glyph_data;
            text.assign(m_glyph_bytes * 5, ',');
            std::size_t first = static_cast<std::size_t>(row) * m_glyph_bytes;
            for (std::size_t byte = 0; byte < m_glyph_bytes; ++byte) {
                std::size_t stream_position = (first + byte) * 2;
                bool present = stream_position < digits.size();
                text[byte * 5] = '0';
                text[byte * 5 + 1] = 'x';
                text[byte * 5 + 2] = present ? digits[stream_position] : '0';
                text[byte * 5 + 3] = present ? digits[stream_position + 1] : '0';
            }
        }
        report_word_count(digits.size() / 2);
    }

    void report_word_count(std::size_t bytes_read)
    {
        std::size_t needed = m_glyph_bytes * static_cast<std::size_t>(m_result.font.header.char_count);
        if (bytes_read < needed)
            warn(m_lines.line_number(), "the block ends after " + to_decimal(static_cast<std::int64_t>(bytes_read))
                 + " of the " + to_decimal(static_cast<std::int64_t>(needed)) + " glyph bytes its header needs; the missing bytes read as 0x00");
        if (m_words > m_needed_words)
            warn(m_first_surplus_line, counted(static_cast<std::int64_t>(m_words - m_needed_words), "word", "words")
                 + " after the font's last glyph " + (m_words - m_needed_words == 1 ? "is" : "are") + " ignored");
    }

    void warn(std::size_t line_number, std::string_view text) { m_result.warnings.push_back(at_line(line_number, text)); }

    LineReader m_lines;
    FontReadResult m_result;
    std::size_t m_block_line = 0;
    std::size_t m_words = 0;
    std::size_t m_needed_words = 1;
    std::size_t m_glyph_bytes = 0;
    std::size_t m_first_surplus_line = 0;
    std::string m_stream_digits;  // two digits per byte of the stream, the header's four included
};

// Lays the byte stream out in words: the header word and seven glyph words on the first line,
// eight words on every further line, each line starting with two blanks.
class WordWriter {
public:
    explicit WordWriter(std::string& out) : m_out(out) { m_out += ' '; }

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
        m_out += kLineEnd;
    }

private:
    void flush_word()
    {
        if (m_words > 0 && m_words % kWordsPerLine == 0) {
            m_out += kLineEnd;
            m_out += ' ';
        }
        m_out += ' ';
        m_out.append(m_word, kWordDigits);
        ++m_words;
        m_bytes_in_word = 0;
    }

    std::string& m_out;
    char m_word[kWordDigits] = {};
    std::size_t m_bytes_in_word = 0;
    std::size_t m_words = 0;
};

void append_comment_lines(std::string& out, const FontModel& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    out += "' ";
    out += file_name_part(save_path);
    out += kLineEnd;
    out += header.first_char == 48 ? "' Font type    : Numeric (" : "' Font type    : Full (";
    out += to_decimal(header.char_count) + " characters)";
    out += kLineEnd;
    out += "' Font size    : " + to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + " pixels";
    out += kLineEnd;
    out += "' Memory usage : " + to_decimal(memory_usage(header)) + " bytes";
    out += kLineEnd;
    out += "' Font adapted from: ";
    out += kFontSourceAddress;
    out += kLineEnd;
    out += kLineEnd;
}

void append_header_word(WordWriter& words, const FontModel& font)
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

FontReadResult read_bas_font(std::string_view text)
{
    if (text.empty()) {
        FontReadResult result;
        result.message = "the file is empty, so it holds no font block";
        return result;
    }
    return BasFontReader(text).read();
}

FontReadResult read_bas_font_file(const std::string& path) { return read_font_file(path, read_bas_font); }

std::string write_bas_font(const FontModel& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    const int rows = std::clamp(header.char_count, 0, static_cast<int>(font.font_table.size()));
    const int glyph_bytes = glyph_byte_count(header.glyph_width, header.glyph_height);
    const std::size_t stream_bytes = 4 + static_cast<std::size_t>(rows) * static_cast<std::size_t>(glyph_bytes);
    std::string out;
    out.reserve(512 + save_path.size() + (stream_bytes / 4 + 1) * 10);
    append_comment_lines(out, font, save_path);
    out += "DefineFont #8";
    out += kLineEnd;
    WordWriter words(out);
    append_header_word(words, font);
    for (int row = 0; row < rows; ++row)
        append_glyph_bytes(words, font.font_table[static_cast<std::size_t>(row)].glyph_data, glyph_bytes);
    words.finish();
    out += "End DefineFont";
    out += kLineEnd;
    return out;
}

}  // namespace glyphwright

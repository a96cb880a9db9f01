#include "formats/bas_font.h"

#include <algorithm>

#include "formats/bas_statements.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kWordDigits = 8;

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

bool is_end_statement(std::string_view statement) { return statement.size() == 14 && to_upper(statement) == "END DEFINEFONT"; }

// "#" and the number after DefineFont, or the empty text.
std::string block_name(std::string_view statement)
{
    std::string_view rest = trim_blanks_and_tabs(statement.substr(10));
    if (rest.empty() || rest[0] != '#')
        return {};
    std::size_t digits = rest.find_first_not_of("0123456789", 1);
    return std::string(rest.substr(0, digits == std::string_view::npos ? rest.size() : digits));
}

std::string blank_glyph_text(std::size_t glyph_bytes)
{
    std::string text;
    text.reserve(glyph_bytes * 5);
    for (std::size_t byte = 0; byte < glyph_bytes; ++byte)
        text += "0x00,";
    return text;
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
    return quoted(token) + " is not a word of eight hexadecimal digits";
}

// The bytes of a block's words in stream order, the header's four first: each word's last digit
// pair is its first byte. Takes the header from the first word, and keeps the bytes the header's
// glyphs need, counting any surplus words.
class WordStream {
public:
    // Takes one word of eight hexadecimal digits, read on line `line_number`. False, with the
    // refusal in `refusal`, when the first word holds no font header that can be read.
    bool take(std::string_view word, std::size_t line_number, FontReadResult& result)
    {
        ++m_words;
        if (m_words > m_needed_words) {
            if (m_words == m_needed_words + 1)
                m_first_surplus_line = line_number;
            return true;
        }
        const char bytes[kWordDigits] = {word[6], word[7], word[4], word[5], word[2], word[3], word[0], word[1]};
        m_digits.append(bytes, kWordDigits);
        return m_words > 1 || take_header(line_number, result);
    }

    std::size_t words() const { return m_words; }

    // The glyphs of the font into its table, a missing byte reading 0x00, with a warning for
    // missing bytes and one for surplus words. `line_number` is the block's last line.
    void build_glyphs(FontReadResult& result, std::size_t line_number) const
    {
        Font& font = result.font;
        std::string_view digits = std::string_view(m_digits).substr(8);
        std::string blank;  // the text of a glyph past the end of the stream, made once
        for (int row = 0; row < font.header.char_count; ++row) {
            std::string& text = font.font_table[static_cast<std::size_t>(row)].glyph_data;
            std::size_t first = static_cast<std::size_t>(row) * m_glyph_bytes;
            if (first * 2 >= digits.size()) {
                if (blank.empty())
                    blank = blank_glyph_text(m_glyph_bytes);
                text = blank;
                continue;
            }
            text.assign(m_glyph_bytes * 5, ',');
            for (std::size_t byte = 0; byte < m_glyph_bytes; ++byte) {
                std::size_t stream_position = (first + byte) * 2;
                bool present = stream_position < digits.size();
                text[byte * 5] = '0';
                text[byte * 5 + 1] = 'x';
                text[byte * 5 + 2] = present ? digits[stream_position] : '0';
                text[byte * 5 + 3] = present ? digits[stream_position + 1] : '0';
            }
        }
        std::size_t bytes_read = digits.size() / 2;
        std::size_t needed = m_glyph_bytes * static_cast<std::size_t>(font.header.char_count);
        if (bytes_read < needed)
            result.warnings.push_back(at_line(line_number, "the block ends after " + to_decimal(static_cast<std::int64_t>(bytes_read))
                 + " of the " + to_decimal(static_cast<std::int64_t>(needed)) + " glyph bytes its header needs; the missing bytes read as 0x00"));
        if (m_words > m_needed_words)
            result.warnings.push_back(at_line(m_first_surplus_line, counted(static_cast<std::int64_t>(m_words - m_needed_words), "word", "words")
                 + " after the font's last glyph " + (m_words - m_needed_words == 1 ? "is" : "are") + " ignored"));
    }

private:
    bool take_header(std::size_t line_number, FontReadResult& result)
    {
        Font& font = result.font;
        std::string_view digits = m_digits;
        font.header_bytes_text.clear();
        for (std::size_t byte = 0; byte < 4; ++byte) {
            font.header_bytes_text += "0x";
            font.header_bytes_text += digits.substr(byte * 2, 2);
            font.header_bytes_text += ',';
        }
        font.header = header_of(split_header_fields(font.header_bytes_text));
        std::string problem = geometry_problem(font.header);
        if (!problem.empty()) {
            result = refused_at(line_number, problem);
            return false;
        }
        std::string codes = codes_problem(font.header);
        if (!codes.empty())
            result.warnings.push_back(at_line(line_number, codes));
        m_glyph_bytes = static_cast<std::size_t>(glyph_byte_count(font.header.glyph_width, font.header.glyph_height));
        std::size_t font_bytes = m_glyph_bytes * static_cast<std::size_t>(font.header.char_count);
        m_needed_words = 1 + (font_bytes + 3) / 4;
        m_digits.reserve(2 * (4 + font_bytes + 3));
        return true;
    }

    std::size_t m_words = 0;
    std::size_t m_needed_words = 1;
    std::size_t m_glyph_bytes = 0;
    std::size_t m_first_surplus_line = 0;
    std::string m_digits;  // two digits per byte of the stream, the header's four included
};

// Finds the first DefineFont block at or after byte `from` of the text, which begins line
// `lines_before` + 1, and reads its words up to its End DefineFont: where the block and its parts
// lie, its header, and the lines before it as the header text. The glyphs are built only when asked
// for, since a list of a file's fonts needs none of them.
class BlockReader {
public:
    BlockReader(std::string_view text, std::size_t from, std::size_t lines_before)
        : m_lines(text, from, lines_before)
    {
        m_entry.leading_begin = from;
    }

    // Reads the block; a result that is not ok says why the block (or the text) holds no font.
    FontReadResult& read()
    {
        if (!find_block()) {
            m_result = refused_at(m_lines.line_number(), "the file ends without a \"DefineFont\" line, so it holds no font block");
            return m_result;
        }
        m_found = true;
        m_block_line = m_lines.line_number();
        if (!read_words())
            return m_result;
        if (m_words.words() == 0) {
            m_result = refused_at(m_lines.line_number(), "the DefineFont block that begins on line "
                                  + to_decimal(static_cast<std::int64_t>(m_block_line)) + " has no header word");
            return m_result;
        }
        m_result.ok = true;
        m_entry.header = m_result.font.header;
        return m_result;
    }

    // The whole font of a block that read: its glyphs built from the words.
    FontReadResult font()
    {
        m_words.build_glyphs(m_result, m_lines.line_number());
        set_fixed_font_metrics(m_result.font);
        return std::move(m_result);
    }

    bool found_block() const { return m_found; }
    const FontEntry& entry() const { return m_entry; }
    std::size_t block_line() const { return m_block_line; }
    std::size_t lines_read() const { return m_lines.line_number(); }

private:
    bool find_block()
    {
        while (!m_lines.at_end()) {
            m_entry.begin = m_lines.position();
            std::string_view line = m_lines.read_line();
            StatementCursor statements(line);
            std::string_view statement;
            while (statements.next(statement)) {
                if (starts_with_keyword(statement, "DEFINEFONT")) {
                    m_entry.name = block_name(statement);
                    m_entry.data_begin = m_lines.position();
                    m_define_rest = line.substr(std::min(line.size(), statements.statement_begin() + statement.size()));
                    return true;
                }
            }
            std::string& header_text = m_result.font.header_text;
            header_text += "// ";
            header_text += substring(line, 2);
            header_text += kLineEnd;
        }
        return false;
    }

    enum class LineEnd { Goes, Ends, Refused };

    bool read_words()
    {
        LineEnd first = read_statements(m_define_rest);
        if (m_words.words() > 0)
            m_entry.whole_data_lines = false;
        // A block that ends on its DefineFont line has no data lines: they are the empty run after
        // that line, so the places stay in order.
        if (first != LineEnd::Goes)
            return finish_block(first, m_entry.data_begin, m_entry.data_begin);
        while (!m_lines.at_end()) {
            std::size_t line_begin = m_lines.position();
            std::string_view line = m_lines.read_line();
            LineEnd end = read_statements(line);
            if (end != LineEnd::Goes)
                return finish_block(end, line_begin, m_lines.position());
        }
        m_result = refused_at(m_lines.line_number(), "the file ends inside the DefineFont block that begins on line "
                              + to_decimal(static_cast<std::int64_t>(m_block_line)) + "; its \"End DefineFont\" line is missing");
        return false;
    }

    bool finish_block(LineEnd end, std::size_t end_line_begin, std::size_t after_end_line)
    {
        m_entry.data_end = end_line_begin;
        m_entry.end = after_end_line;
        return end == LineEnd::Ends;
    }

    // The words of one line's statements, up to an End DefineFont statement.
    LineEnd read_statements(std::string_view line)
    {
        StatementCursor statements(line);
        std::string_view statement;
        std::size_t words_before = m_words.words();
        while (statements.next(statement)) {
            if (is_end_statement(statement)) {
                if (m_words.words() != words_before)
                    m_entry.whole_data_lines = false;
                return LineEnd::Ends;
            }
            if (!read_line_words(statement))
                return LineEnd::Refused;
        }
        return LineEnd::Goes;
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
            if (!m_words.take(code.substr(position, kWordDigits), m_lines.line_number(), m_result))
                return false;
            position += kWordDigits;
        }
        return true;
    }

    LineReader m_lines;
    FontReadResult m_result;
    FontEntry m_entry;
    WordStream m_words;
    std::string_view m_define_rest;  // the DefineFont line after its statement
    bool m_found = false;
    std::size_t m_block_line = 0;
};

// Reads the DefineFont blocks of a text one after the other. A refused block is passed over from
// the line after its DefineFont statement, so a later block is still found.
class BlockWalk {
public:
    // `whole_fonts`: each block that reads is built into its font; else only its place is read.
    BlockWalk(std::string_view text, bool whole_fonts) : m_text(text), m_whole_fonts(whole_fonts) {}

    // Reads the next block; false once no block is left.
    bool next()
    {
        BlockReader reader(m_text, m_from, m_lines_before);
        FontReadResult& read = reader.read();
        m_result = read.ok && m_whole_fonts ? reader.font() : std::move(read);
        if (!reader.found_block()) {
            m_last_message = m_result.message;
            return false;
        }
        m_entry = reader.entry();
        if (m_result.ok) {
            m_from = m_entry.end;
            m_lines_before = reader.lines_read();
        } else {
            m_from = m_entry.data_begin;
            m_lines_before = reader.block_line();
        }
        return true;
    }

    FontReadResult& result() { return m_result; }
    const FontEntry& entry() const { return m_entry; }
    // Why the text holds no font at all: the first refused block, or that there is no block.
    std::string refusal() const { return m_first_refusal.empty() ? m_last_message : m_first_refusal; }
    void note_refusal()
    {
        if (m_first_refusal.empty())
            m_first_refusal = m_result.message;
    }

private:
    std::string_view m_text;
    bool m_whole_fonts;
    std::size_t m_from = 0;
    std::size_t m_lines_before = 0;
    FontReadResult m_result;
    FontEntry m_entry;
    std::string m_first_refusal;
    std::string m_last_message;
};

}  // namespace

FontReadResult read_bas_font(std::string_view text)
{
    if (text.empty())
        return refused("the file is empty, so it holds no font block");
    BlockWalk blocks(text, true);
    while (blocks.next()) {
        if (blocks.result().ok)
            return std::move(blocks.result());
        blocks.note_refusal();
    }
    FontReadResult refused;
    refused.message = blocks.refusal();
    return refused;
}

FontScan scan_bas_fonts(std::string_view text)
{
    FontScan scan;
    BlockWalk blocks(text, false);
    while (blocks.next()) {
        if (blocks.result().ok)
            scan.entries.push_back(blocks.entry());
        else
            blocks.note_refusal();
    }
    if (scan.entries.empty())
        scan.refusal = text.empty() ? "the file is empty, so it holds no font block" : blocks.refusal();
    return scan;
}

FontReadResult read_bas_font_entry(std::string_view text, const FontEntry& entry)
{
    BlockReader reader(text, entry.leading_begin, line_number_at(text, entry.leading_begin) - 1);
    FontReadResult& read = reader.read();
    return read.ok ? reader.font() : std::move(read);
}

FontReadResult read_bas_font_file(const std::string& path) { return read_font_file(path, read_bas_font); }

}  // namespace glyphwright

#include "formats/c_declaration.h"

#include <array>

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kFontDataType = "fontdatatype";

bool is_identifier_character(char character)
{
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z')
        || (character >= '0' && character <= '9') || character == '_';
}

bool is_qualifier(std::string_view word) { return word == "static" || word == "const" || word == "PROGMEM"; }

// Walks the words of a declaration from the left, skipping blanks and tabs between them.
class WordCursor {
public:
    explicit WordCursor(std::string_view line) : m_line(line) {}

    std::string_view peek_word()
    {
        skip_blanks();
        std::size_t end = m_position;
        while (end < m_line.size() && is_identifier_character(m_line[end]))
            ++end;
        return m_line.substr(m_position, end - m_position);
    }

    std::string_view take_word()
    {
        std::string_view word = peek_word();
        m_position += word.size();
        return word;
    }

    void skip_qualifiers()
    {
        while (is_qualifier(peek_word()))
            take_word();
    }

    bool rest_starts_with(std::string_view text)
    {
        skip_blanks();
        return m_line.substr(m_position, text.size()) == text;
    }

    void skip(std::size_t count) { m_position += count; }
    std::size_t position() const { return m_position; }

private:
    void skip_blanks()
    {
        while (m_position < m_line.size() && (m_line[m_position] == ' ' || m_line[m_position] == '\t'))
            ++m_position;
    }

    std::string_view m_line;
    std::size_t m_position = 0;
};

bool takes_byte_type(WordCursor& words)
{
    std::string_view type = words.take_word();
    if (type == "unsigned")
        return words.take_word() == "char";
    return type == "uint8_t" || type == "prog_uint8_t" || type == "char";
}

void find_brackets(std::string_view line, std::size_t from, ArrayLine& array)
{
    std::size_t open = line.find('[', from);
    std::size_t close = open == std::string_view::npos ? open : line.find(']', open);
    if (close == std::string_view::npos)
        return;
    array.size_begin = open + 1;
    array.size_end = close;
}

}  // namespace

std::optional<ArrayLine> parse_array_line(std::string_view line)
{
    WordCursor words(line);
    words.skip_qualifiers();
    ArrayLine array;
    if (words.rest_starts_with(kFontDataType)) {
        words.skip(kFontDataType.size());
        words.skip_qualifiers();
        array.name = words.take_word();
        find_brackets(line, words.position(), array);
        return array;
    }
    if (!takes_byte_type(words))
        return std::nullopt;
    words.skip_qualifiers();
    array.type = ArrayType::Bytes;
    array.name = words.take_word();
    if (array.name.empty() || !words.rest_starts_with("["))
        return std::nullopt;
    find_brackets(line, words.position(), array);
    return array;
}

std::optional<std::int64_t> declared_size(std::string_view line, const ArrayLine& array)
{
    std::string_view digits = trim_blanks_and_tabs(line.substr(array.size_begin, array.size_end - array.size_begin));
    if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return parse_value(digits);
}

}  // namespace glyphwright

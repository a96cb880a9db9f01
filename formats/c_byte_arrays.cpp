#include "formats/c_byte_arrays.h"

#include "text/line_reader.h"

namespace glyphwright {

std::vector<CByteArray> c_byte_arrays(std::string_view text, std::optional<std::size_t> only)
{
    std::vector<CByteArray> arrays;
    if (text.find('{') == std::string_view::npos)
        return arrays;
    std::vector<CToken> tokens = c_tokens(text);
    keep_active_tokens({}, tokens);
    for (std::size_t at = 0; at + 1 < tokens.size(); ++at) {
        if (tokens[at].kind != CTokenKind::Name || !is_token(tokens[at + 1], "[") || (only && tokens[at].begin != *only))
            continue;
        const std::size_t bracket_close = closing_bracket(tokens, at + 1);
        std::size_t open = bracket_close + 1;
        while (open < tokens.size() && tokens[open].kind == CTokenKind::Name)
            ++open;
        if (open + 1 >= tokens.size() || !is_token(tokens[open], "=") || !is_token(tokens[open + 1], "{"))
            continue;
        const std::size_t close = closing_bracket(tokens, open + 1);
        if (close >= tokens.size())
            continue;
        CByteArray array;
        bool flat = true;
        for (std::size_t inner = open + 2; inner < close && flat;) {
            if (std::optional<SourceNumber> number = number_at(tokens, inner, close))
                array.numbers.push_back(*number);
            else
                flat = is_token(tokens[inner++], ",");
        }
        if (!flat || array.numbers.empty())
            continue;
        array.name = std::string(tokens[at].text);
        array.start = tokens[at].begin;
        array.open = tokens[open + 1].begin;
        array.line = line_number_at(text, array.start);
        if (bracket_close == at + 3) {
            std::size_t size_at = at + 2;
            array.declared_size = number_at(tokens, size_at, bracket_close);
        }
        std::size_t first = at;
        while (first > 0 && tokens[first - 1].kind == CTokenKind::Name)
            --first;
        const std::size_t line_break = tokens[first].begin == 0 ? std::string_view::npos : text.rfind('\n', tokens[first].begin - 1);
        array.begin = line_break == std::string_view::npos ? 0 : line_break + 1;
        const std::size_t line_end = text.find('\n', tokens[close].end);
        array.end = line_end == std::string_view::npos ? text.size() : line_end + 1;
        arrays.push_back(std::move(array));
        at = close;
    }
    return arrays;
}

}  // namespace glyphwright

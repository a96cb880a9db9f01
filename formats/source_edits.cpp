#include "formats/source_edits.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright {

std::optional<SourceNumber> number_at(std::span<const CToken> tokens, std::size_t& at, std::size_t end)
{
    const std::size_t begin = at;
    bool negative = false;
    while (at < end && (is_token(tokens[at], "-") || is_token(tokens[at], "+"))) {
        negative = negative != is_token(tokens[at], "-");
        ++at;
    }
    const std::optional<std::int64_t> value = at < end && tokens[at].kind == CTokenKind::Number ? c_number_value(tokens[at].text)
                                                                                                : std::nullopt;
    if (!value) {
        at = begin;
        return std::nullopt;
    }
    SourceNumber number{negative ? -*value : *value, tokens[begin].begin, tokens[at].end};
    ++at;
    return number;
}

std::string with_edits(std::string_view text, std::vector<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    std::string out;
    out.reserve(text.size() + 1024);
    std::size_t at = 0;
    for (const Edit& edit : edits) {
        out += text.substr(at, edit.begin - at);
        out += edit.text;
        at = edit.end;
    }
    out += text.substr(at);
    return out;
}

std::string written_like(std::string_view like, std::int64_t value)
{
    const std::size_t start = like.find_first_not_of("+- \t");
    const std::string_view digits = start == std::string_view::npos ? std::string_view() : like.substr(start);
    if (value < 0 || digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X'))
        return to_decimal(value);
    const bool lower = digits.find_first_of("abcdef", 2) != std::string_view::npos;
    std::string hex;
    for (std::int64_t rest = value; rest > 0 || hex.empty(); rest >>= 4)
        hex.insert(hex.begin(), (lower ? "0123456789abcdef" : "0123456789ABCDEF")[rest & 0xF]);
    while (hex.size() < digits.size() - 2)
        hex.insert(hex.begin(), '0');
    return std::string(digits.substr(0, 2)) + hex;
}

std::string_view number_manner(std::string_view text, std::span<const SourceNumber> numbers)
{
    if (numbers.empty())
        return "0x00";
    for (const SourceNumber& number : numbers.first(std::min<std::size_t>(numbers.size(), 4096))) {
        const std::string_view written = text.substr(number.begin, number.end - number.begin);
        if (written.find_first_of("xX") != std::string_view::npos && written.find_first_of("abcdefABCDEF", 2) != std::string_view::npos)
            return written;
    }
    return text.substr(numbers.front().begin, numbers.front().end - numbers.front().begin);
}

void edit_number(std::vector<Edit>& edits, std::string_view text, const SourceNumber& number, std::int64_t value)
{
    if (number.value != value)
        edits.push_back({number.begin, number.end, written_like(text.substr(number.begin, number.end - number.begin), value)});
}

namespace {

bool on_one_line(std::string_view text, std::size_t from, std::size_t to)
{
    return text.substr(from, to - from).find('\n') == std::string_view::npos;
}

// The numbers after `after` written in lines of `per_line`, the first line already holding `used`.
std::string appended(std::string_view text, std::size_t after, std::span<const std::int64_t> values, std::size_t per_line,
                     std::size_t used, std::string_view like)
{
    const std::size_t line_begin = text.rfind('\n', after == 0 ? 0 : after - 1);
    const std::size_t first = line_begin == std::string_view::npos || after == 0 ? 0 : line_begin + 1;
    const std::string indent(leading_blanks(text.substr(first)));
    const std::size_t next = text.find('\n', after);
    const std::string line_end = next == std::string_view::npos ? "\n" : next > 0 && text[next - 1] == '\r' ? "\r\n" : "\n";
    std::string out;
    for (std::int64_t value : values) {
        out += used >= per_line ? "," + line_end + indent : std::string(", ");
        used = used >= per_line ? 1 : used + 1;
        out += written_like(like, value);
    }
    return out;
}

}  // namespace

void edit_number_list(std::vector<Edit>& edits, std::string_view text, std::span<const SourceNumber> old,
                      std::span<const std::int64_t> values, std::size_t open_end, std::string_view like, Wrap wrap)
{
    const std::size_t common = std::min(old.size(), values.size());
    for (std::size_t at = 0; at < common; ++at)
        if (old[at].value != values[at])
            edits.push_back({old[at].begin, old[at].end, written_like(like, values[at])});
    if (values.size() == old.size())
        return;
    if (values.size() < old.size()) {
        if (common > 0)
            edits.push_back({old[common - 1].end, old.back().end, ""});
        else
            edits.push_back({old.front().begin, old.back().end, ""});
        return;
    }
    if (old.empty()) {
        std::string written = written_like(like, values.front());
        for (std::size_t at = 1; at < values.size(); ++at)
            written += ", " + written_like(like, values[at]);
        edits.push_back({open_end, open_end, " " + written + " "});
        return;
    }
    std::size_t per_line = wrap == Wrap::None ? values.size() + 1 : 1;
    while (wrap == Wrap::LikeFirstLine && per_line < old.size() && on_one_line(text, old.front().begin, old[per_line].begin))
        ++per_line;
    std::size_t used = 1;
    while (used < common && on_one_line(text, old[common - 1 - used].begin, old[common - 1].begin))
        ++used;
    edits.push_back({old[common - 1].end, old[common - 1].end,
                     appended(text, old[common - 1].begin, values.subspan(common), per_line, used, like)});
}

}  // namespace glyphwright

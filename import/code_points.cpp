#include "import/code_points.h"

#include "formats/font_text.h"
#include "import/option_text.h"
#include "text/line_reader.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {

std::optional<std::vector<CodePointRange>> parse_code_point_ranges(std::string_view text)
{
    std::vector<CodePointRange> ranges;
    std::uint64_t total = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view range = text.substr(0, comma);
        const std::size_t dash = range.find('-');
        std::optional<char32_t> first = parse_code_point(range.substr(0, dash));
        std::optional<char32_t> last = dash == std::string_view::npos ? first : parse_code_point(range.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        total += *last - *first + 1;
        if (total > kLastCodePoint + 1)
            return std::nullopt;
        ranges.push_back({*first, *last});
        if (comma == std::string_view::npos)
            return ranges;
        text.remove_prefix(comma + 1);
    }
}

std::optional<char32_t> parse_code_point(std::string_view text)
{
    if (text.size() < 3 || text.size() > 8 || (text[0] != 'U' && text[0] != 'u') || text[1] != '+')
        return std::nullopt;
    char32_t value = 0;
    for (char digit : text.substr(2)) {
        int digit_value = hex_digit_value(digit);
        if (digit_value < 0)
            return std::nullopt;
        value = value * 16 + static_cast<char32_t>(digit_value);
    }
    if (value > kLastCodePoint)
        return std::nullopt;
    return value;
}

CodePointMap parse_code_point_map(std::string_view text)
{
    CodePointMap map;
    LineReader lines(text);
    while (!lines.at_end()) {
        std::string_view line = trim_blanks_and_tabs(lines.read_line());
        if (line.empty() || line.front() == '#')
            continue;
        std::size_t gap = line.find_first_of(" \t");
        std::optional<int> code = parse_number(line.substr(0, gap), 0, 255);
        std::optional<char32_t> code_point;
        if (gap != std::string_view::npos)
            code_point = parse_code_point(trim_blanks_and_tabs(line.substr(gap)));
        if (!code || !code_point) {
            map.message = at_line(lines.line_number(), "a map line is a code (0 to 255) and a code point such as «65 U+0041»");
            return map;
        }
        if (!map.code_points.emplace(*code, *code_point).second) {
            map.message = at_line(lines.line_number(), "code " + to_decimal(*code) + " is mapped twice");
            return map;
        }
    }
    map.ok = true;
    return map;
}

CodePointMap read_code_point_map(const std::string& path)
{
    OpenedTextFile file = open_text_file(path);
    if (!file.ok) {
        CodePointMap map;
        map.message = file.error;
        return map;
    }
    CodePointMap map = parse_code_point_map(file.content);
    if (!map.ok)
        map.message = quoted_file_name(path) + ", " + map.message;
    return map;
}

}  // namespace glyphwright

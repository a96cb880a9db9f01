#include "import/option_text.h"

#include "text/text_primitives.h"

namespace glyphwright {

std::optional<int> parse_number(std::string_view text, int minimum, int maximum)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char digit : text) {
        int digit_value = hex_digit_value(digit);
        if (digit_value < 0 || digit_value >= base)
            return std::nullopt;
        value = value * base + digit_value;
    }
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

std::optional<CellSize> parse_cell_size(std::string_view text)
{
    std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos)
        return std::nullopt;
    std::optional<int> width = parse_number(text.substr(0, cross), 1, 255);
    std::optional<int> height = parse_number(text.substr(cross + 1), 1, 255);
    if (!width || !height)
        return std::nullopt;
    return CellSize{*width, *height};
}

}  // namespace glyphwright

#include "formats/c_font_lines.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

bool is_line_end(char character) { return character == '\n' || character == '\r' || character == '\0'; }

}  // namespace

GlyphLine split_glyph_line(std::string_view line)
{
    GlyphLine result;
    std::size_t slash = line.find('/');
    std::size_t brace = line.find('}');
    result.closes_array = brace != std::string_view::npos && (slash == std::string_view::npos || brace < slash);
    result.data = trim_blanks_and_tabs(line.substr(0, std::min(slash, brace)));
    if (slash != std::string_view::npos) {
        std::size_t second = line.find('/', slash + 1);
        if (second != std::string_view::npos)
            result.comment_tail = line.substr(second + 1);
    }
    return result;
}

int data_byte_count(std::string_view data)
{
    if (data.empty())
        return 0;
    const auto commas = std::count(data.begin(), data.end(), ',');
    return static_cast<int>(commas) + (data.back() == ',' ? 0 : 1);
}

HeaderLine find_header_line(LineReader& lines)
{
    HeaderLine header;
    while (!lines.at_end()) {
        header.begin = lines.position();
        std::string_view line = lines.read_line();
        GlyphLine parts = split_glyph_line(line);
        if (parts.data.empty() || parts.data == "{") {
            if (parts.closes_array)
                break;
            continue;
        }
        header.found = true;
        header.line = line;
        header.closes_array = parts.closes_array;
        break;
    }
    return header;
}

std::size_t line_begin_at(std::string_view text, std::size_t offset)
{
    std::size_t begin = std::min(offset, text.size());
    while (begin > 0 && !is_line_end(text[begin - 1]))
        --begin;
    return begin;
}

// Memchr finds the candidates: in a font of megabytes, only the few "}" are looked at closely.
std::size_t find_closing_brace(std::string_view text, std::size_t from)
{
    for (std::size_t brace = text.find('}', from); brace != std::string_view::npos; brace = text.find('}', brace + 1)) {
        std::size_t line_begin = std::max(from, line_begin_at(text, brace));
        if (text.substr(line_begin, brace - line_begin).find('/') == std::string_view::npos)
            return brace;
    }
    return text.size();
}

}  // namespace glyphwright

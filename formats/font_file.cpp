#include "formats/font_file.h"

#include "text/code_page.h"
#include "text/text_primitives.h"

namespace glyphwright {

FontReadResult refused(std::string message)
{
    FontReadResult result;
    result.message = std::move(message);
    return result;
}

std::string character_label(char32_t code_point)
{
    if (code_point <= 0xFF)
        return "Chr$(" + to_decimal(code_point) + ")  " + char_of(static_cast<int>(code_point));
    return code_point_text(code_point) + "  " + utf8_of(code_point);
}

std::vector<std::string> character_labels(const Font& font)
{
    const int rows = glyph_count(font);
    const std::optional<CodePage> code_page = code_page_named(font.code_page);
    std::vector<std::string> labels;
    labels.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        if (code <= 0xFF && !font.code_page.empty() && code_page)
            labels.push_back("Chr$(" + to_decimal(code) + ")  " + utf8_of(unicode_of(code, *code_page)));
        else
            labels.push_back(character_label(code));
    }
    return labels;
}

}  // namespace glyphwright

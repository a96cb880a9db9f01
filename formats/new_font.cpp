#include "formats/new_font.h"

#include <algorithm>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

std::optional<int> noted_ascent(std::string_view header_text)
{
    LineReader lines(header_text);
    while (!lines.at_end()) {
        std::string_view line = lines.read_line();
        if (line.substr(0, 3) != "// " || line.substr(3, kAscentNote.size()) != kAscentNote)
            continue;
        std::string_view digits = line.substr(3 + kAscentNote.size());
        if (digits.empty() || digits[0] < '0' || digits[0] > '9')
            continue;
        return static_cast<int>(std::min<std::int64_t>(parse_value(digits), 255));
    }
    return std::nullopt;
}

std::string range_problem(int first_code, int char_count)
{
    if (first_code < 0 || first_code > 255)
        return "the first code must be 0 to 255, not " + to_decimal(first_code);
    if (char_count < 0 || char_count > 255)
        return "the character count must be 0 to 255, not " + to_decimal(char_count);
    return {};
}

FontReadResult make_blank_font(const FontHeader& header)
{
    std::string problem = geometry_problem(header);
    if (header.glyph_width > 255 || header.glyph_height > 255)
        problem = "glyphs of " + to_decimal(header.glyph_width) + " x " + to_decimal(header.glyph_height)
                + " pixels are too large; widths and heights must be 1 to 255 pixels";
    if (problem.empty())
        problem = range_problem(header.first_char, header.char_count);
    if (!problem.empty())
        return refused(problem);
    FontReadResult result;
    result.ok = true;
    result.font = blank_font_of(header);
    return result;
}

Font blank_font_of(const FontHeader& header)
{
    Font font;
    font.header = header;
    font.header_bytes_text = header_bytes_text_of(header);
    font.font_table.resize(std::max<std::size_t>(static_cast<std::size_t>(std::max(header.char_count, 0)), kFontTableRows));
    const std::string clear = encode_glyph(GlyphGrid(header.glyph_width, header.glyph_height));
    for (int row = 0; row < header.char_count; ++row)
        font.font_table[static_cast<std::size_t>(row)].glyph_data = clear;
    set_fixed_metrics(font);
    return font;
}

}  // namespace glyphwright

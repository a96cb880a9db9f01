#include "model/sample_layout.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright {

SampleLayout sample_layout(const Font& font, std::string_view text)
{
    SampleLayout layout;
    const int width = std::max(font.header.glyph_width, 0);
    const int height = std::max(font.header.glyph_height, 0);
    const std::u32string characters = characters_of_text(text);
    const int missing_advance = most_common_advance(font);
    layout.cells.reserve(characters.size() * 2);
    int top = 0;
    for (int line = 0; line < 2; ++line) {
        const int scale = line + 1;
        // The first origin lies as far in as the cell reaches left of it, so no cell starts left of 0.
        int pen = std::max(font.origin_x, 0);
        for (char32_t code : characters) {
            const GlyphPlace place = glyph_place(font, code);
            const int advance = place.found ? font.font_table[static_cast<std::size_t>(place.row)].advance : missing_advance;
            SampleCell cell;
            cell.box = {(pen - font.origin_x) * scale, top, width * scale, height * scale};
            cell.scale = scale;
            cell.code = code;
            cell.row = place.found ? place.row : -1;
            cell.tiles = font.origin_x == 0 && advance == width;
            if (!place.found)
                cell.box = {pen * scale, top, advance * scale, height * scale};
            layout.cells.push_back(cell);
            layout.content_width = std::max(layout.content_width, cell.box.x + cell.box.width);
            pen += advance;
        }
        layout.lines[line] = {0, top, pen * scale, height * scale};
        layout.content_width = std::max(layout.content_width, pen * scale);
        top += height * scale + kSampleLineGap;
    }
    if (characters.empty())
        layout.content_width = 0;
    layout.content_height = characters.empty() ? 0 : 3 * height + kSampleLineGap;
    return layout;
}

}  // namespace glyphwright

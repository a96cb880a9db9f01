#include "model/sample_layout.h"

#include <algorithm>

namespace glyphwright {

SampleLayout sample_layout(const FontHeader& header, std::string_view text)
{
    SampleLayout layout;
    int width = std::max(header.glyph_width, 0);
    int height = std::max(header.glyph_height, 0);
    int count = static_cast<int>(text.size());
    layout.cells.reserve(text.size() * 2);
    int top = 0;
    for (int scale : {1, 2}) {
        for (int at = 0; at < count; ++at) {
            int code = static_cast<unsigned char>(text[static_cast<std::size_t>(at)]);
            int row = code - header.first_char;
            bool in_font = row >= 0 && row < header.char_count;
            layout.cells.push_back({{at * width * scale, top, width * scale, height * scale}, scale, code,
                                    in_font ? row : -1});
        }
        top += height * scale + kSampleLineGap;
    }
    layout.content_width = count * width * 2;
    layout.content_height = count > 0 ? 3 * height + kSampleLineGap : 0;
    return layout;
}

}  // namespace glyphwright

#pragma once

// Where each character of a sample text stands when a display draws it with the font: one line at
// 1:1 and one at 2:1, glyph cell after glyph cell. Pure arithmetic on the header and the text, so
// the Overview window and the converter's preview picture draw the same.

#include <string_view>
#include <vector>

#include "model/font_model.h"

namespace glyphwright {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    bool intersects(const Box& other) const
    {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height
            && other.y < y + height;
    }
    bool operator==(const Box&) const = default;
};

inline constexpr int kSampleLineGap = 8;

// One glyph cell of the sample text. `row` is the table row of the character, -1 when the
// character is outside the font: such a cell is drawn empty.
struct SampleCell {
    Box box;
    int scale = 1;
    int code = 0;
    int row = -1;

    bool operator==(const SampleCell&) const = default;
};

struct SampleLayout {
    std::vector<SampleCell> cells;  // the 1:1 line, then the 2:1 line
    int content_width = 0;
    int content_height = 0;
};

// The sample text drawn as the display draws a fixed-size font: the 1:1 line at the top, the 2:1
// line kSampleLineGap below it, each character one cell of the glyph's size (times the scale).
SampleLayout sample_layout(const FontHeader& header, std::string_view text);

}  // namespace glyphwright

#pragma once

// Where each character of a sample text stands when a display draws it with the font: one line at
// 1:1 and one at 2:1, each glyph's origin where the advance of the one before it ends. Pure
// arithmetic on the font's metrics and the text, so the Overview window and the converter's
// preview picture draw the same.

#include <string_view>
#include <vector>

#include "model/font.h"

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

// One glyph cell of the sample text: the font's cell around the glyph's origin. `row` is the table
// row of the character, -1 when the character is outside the font: such a cell is drawn empty,
// as wide as most glyphs advance.
struct SampleCell {
    Box box;
    int scale = 1;
    char32_t code = 0;
    int row = -1;
    // True when the cell is exactly the glyph's advance, so cells tile the line and a whole cell,
    // clear pixels too, is drawn; otherwise only the glyph's set pixels are, over the line's
    // clear background, so that it paints nothing of its neighbours.
    bool tiles = true;

    bool operator==(const SampleCell&) const = default;
};

struct SampleLayout {
    std::vector<SampleCell> cells;  // the 1:1 line, then the 2:1 line
    Box lines[2];                   // the band of each line, from its first origin to its last advance
    int content_width = 0;
    int content_height = 0;
};

// The sample text (UTF-8, or else one character a byte) drawn as the display draws the font: the
// 1:1 line at the top, the 2:1 line kSampleLineGap below it, each glyph's cell placed around its
// origin on the line, the next origin its advance further (times the scale). A font of one cell
// has one cell after another.
SampleLayout sample_layout(const Font& font, std::string_view text);

}  // namespace glyphwright

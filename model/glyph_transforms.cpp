#include "model/glyph_transforms.h"

#include <algorithm>

namespace glyphwright {

namespace {

// Every cell of the glyph area takes the value that `source` gives for it; source returns -1 for
// a pixel that comes from outside the glyph, which is then clear. Reads a copy, so operations
// that move pixels need no care about order.
template <typename Source>
void remap(GlyphGrid& grid, Source source)
{
    const GlyphGrid original = grid;
    for (int x = 0; x < grid.glyph_width(); ++x)
        for (int y = 0; y < grid.glyph_height(); ++y)
            grid.set(x, y, source(original, x, y) == 1);
}

int pixel_or_clear(const GlyphGrid& grid, int x, int y)
{
    if (x < 0 || y < 0 || x >= grid.glyph_width() || y >= grid.glyph_height())
        return -1;
    return grid.at(x, y);
}

}  // namespace

void apply_operation(GlyphOperation operation, GlyphGrid& grid)
{
    int last_x = grid.glyph_width() - 1;
    int last_y = grid.glyph_height() - 1;
    switch (operation) {
    case GlyphOperation::ShiftLeft:
        return remap(grid, [](const GlyphGrid& g, int x, int y) { return pixel_or_clear(g, x + 1, y); });
    case GlyphOperation::ShiftRight:
        return remap(grid, [](const GlyphGrid& g, int x, int y) { return pixel_or_clear(g, x - 1, y); });
    case GlyphOperation::ShiftUp:
        return remap(grid, [](const GlyphGrid& g, int x, int y) { return pixel_or_clear(g, x, y + 1); });
    case GlyphOperation::ShiftDown:
        return remap(grid, [](const GlyphGrid& g, int x, int y) { return pixel_or_clear(g, x, y - 1); });
    case GlyphOperation::FlipHorizontally:
        return remap(grid, [last_x](const GlyphGrid& g, int x, int y) { return g.at(last_x - x, y); });
    case GlyphOperation::FlipVertically:
        return remap(grid, [last_y](const GlyphGrid& g, int x, int y) { return g.at(x, last_y - y); });
    case GlyphOperation::Invert:
        return remap(grid, [](const GlyphGrid& g, int x, int y) { return 1 - g.at(x, y); });
    case GlyphOperation::Clear:
        return remap(grid, [](const GlyphGrid&, int, int) { return 0; });
    }
}

PixelArea ink_area(const GlyphGrid& grid)
{
    int left = grid.glyph_width();
    int top = grid.glyph_height();
    int right = 0;
    int bottom = 0;
    for (int x = 0; x < grid.glyph_width(); ++x) {
        for (int y = 0; y < grid.glyph_height(); ++y) {
            if (grid.at(x, y) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
    }
    return right > left ? PixelArea{left, top, right - left, bottom - top} : PixelArea{};
}

PackedGlyph pack_glyph(const GlyphGrid& grid)
{
    PackedGlyph packed{grid.glyph_width(), grid.glyph_height(), {}};
    std::size_t pixels = static_cast<std::size_t>(grid.glyph_width()) * static_cast<std::size_t>(grid.glyph_height());
    packed.bits.assign((pixels + 7) / 8, 0);
    std::size_t bit = 0;
    for (int y = 0; y < grid.glyph_height(); ++y)
        for (int x = 0; x < grid.glyph_width(); ++x, ++bit)
            if (grid.at(x, y) == 1)
                packed.bits[bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
    return packed;
}

bool unpack_glyph(const PackedGlyph& packed, GlyphGrid& grid)
{
    if (packed.glyph_width != grid.glyph_width() || packed.glyph_height != grid.glyph_height())
        return false;
    std::size_t bit = 0;
    for (int y = 0; y < grid.glyph_height(); ++y)
        for (int x = 0; x < grid.glyph_width(); ++x, ++bit)
            grid.set(x, y, (packed.bits[bit / 8] >> (7 - bit % 8)) & 1);
    return true;
}

}  // namespace glyphwright

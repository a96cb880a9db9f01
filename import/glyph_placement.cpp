#include "import/glyph_placement.h"

#include <algorithm>
#include <climits>

namespace glyphwright {

namespace {

// The columns and rows of a rendered glyph that hold set pixels: [left, right) x [top, bottom).
struct Ink {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

Ink ink_of(const RenderedGlyph& glyph)
{
    Ink ink{glyph.width, 0, glyph.rows, 0};
    for (int y = 0; y < glyph.rows; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.at(x, y))
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x + 1);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    }
    return ink;
}

std::int64_t floor_half(std::int64_t value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

int held_to_int(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

int CellPlace::width() const { return held_to_int(left + right); }

int CellPlace::height() const { return held_to_int(above + below); }

CellPlace line_place(const VerticalMetrics& metrics, const std::vector<std::optional<RenderedGlyph>>& glyphs, int max_advance)
{
    CellPlace place{0, 0, metrics.ascent, metrics.descent};
    for (const std::optional<RenderedGlyph>& glyph : glyphs) {
        if (glyph)
            place.right = std::max<std::int64_t>(place.right, glyph->advance);
    }
    if (place.right < 1)
        place.right = std::max(max_advance, 1);
    return place;
}

CellPlace ink_place(const CellPlace& line, const std::vector<std::optional<RenderedGlyph>>& glyphs)
{
    CellPlace place = line;
    for (const std::optional<RenderedGlyph>& glyph : glyphs) {
        if (!glyph)
            continue;
        const Ink ink = ink_of(*glyph);
        if (ink.right <= ink.left)
            continue;
        place.left = std::max<std::int64_t>(place.left, -(std::int64_t{glyph->left} + ink.left));
        place.right = std::max<std::int64_t>(place.right, std::int64_t{glyph->left} + ink.right);
        place.above = std::max<std::int64_t>(place.above, std::int64_t{glyph->top} - ink.top);
        place.below = std::max<std::int64_t>(place.below, std::int64_t{ink.bottom} - glyph->top);
    }
    return place;
}


bool place_glyph(const RenderedGlyph& glyph, const CellPlace& place, Placement placement, GlyphGrid& grid)
{
    const std::int64_t centring = placement == Placement::Centred ? floor_half(std::int64_t{grid.glyph_width()} - glyph.advance) : 0;
    const std::int64_t origin_x = place.left + glyph.left + centring;
    const std::int64_t origin_y = place.above - glyph.top;
    bool clipped = false;
    for (int y = 0; y < glyph.rows; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.at(x, y))
                continue;
            const std::int64_t cell_x = origin_x + x;
            const std::int64_t cell_y = origin_y + y;
            if (cell_x < 0 || cell_y < 0 || cell_x >= grid.glyph_width() || cell_y >= grid.glyph_height())
                clipped = true;
            else
                grid.set(static_cast<int>(cell_x), static_cast<int>(cell_y), true);
        }
    }
    return clipped;
}

}  // namespace glyphwright

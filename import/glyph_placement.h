#pragma once

// Where rendered glyphs stand in the cell of an imported font: the cell computed around one origin
// and baseline so that it holds every glyph at its bearing, and each glyph drawn into it.

#include <cstdint>
#include <optional>
#include <vector>

#include "import/freetype_face.h"
#include "model/glyph_grid.h"

namespace glyphwright {

enum class Placement { Bearing, Centred };

// Where the cell lies around the origin: the columns left and right of it, the rows above and
// below the baseline. Bearings and metrics come from the file and may be anywhere in int, so
// the sums are formed in 64 bits.
struct CellPlace {
    std::int64_t left = 0;
    std::int64_t right = 0;
    std::int64_t above = 0;
    std::int64_t below = 0;

    // Width and height, each held to the range of int.
    int width() const;
    int height() const;
};

// The cell of the line: its ascent and descent by the widest advance of the glyphs (the font's
// largest when none has one). A centred glyph stands in it; what reaches beyond it is cut off.
CellPlace line_place(const VerticalMetrics& metrics, const std::vector<std::optional<RenderedGlyph>>& glyphs, int max_advance);

// The cell of glyphs at their bearing: the line's cell grown to hold every set pixel.
CellPlace ink_place(const CellPlace& line, const std::vector<std::optional<RenderedGlyph>>& glyphs);

// Draws the glyph into the grid with its origin `place.left` columns in and on the baseline
// `place.above` rows down, or centred in the grid's width by its advance; true when pixels fell
// outside the grid.
bool place_glyph(const RenderedGlyph& glyph, const CellPlace& place, Placement placement, GlyphGrid& grid);

}  // namespace glyphwright

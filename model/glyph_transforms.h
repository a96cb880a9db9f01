#pragma once

// Whole-glyph operations on the pixels of a GlyphGrid, and a compact copy of a glyph's pixels for
// keeping earlier states. All of them touch only the glyph area; the extra column and row stay 0.

#include <cstdint>
#include <vector>

#include "model/glyph_grid.h"

namespace glyphwright {

enum class GlyphOperation {
    ShiftLeft,
    ShiftRight,
    ShiftUp,
    ShiftDown,
    FlipHorizontally,
    FlipVertically,
    Invert,
    Clear,
};

// Applies `operation` to the glyph area. A shift moves every pixel one place; what is pushed out
// is lost and the column or row that it frees is clear.
void apply_operation(GlyphOperation operation, GlyphGrid& grid);

// The smallest area that holds the glyph's set pixels; empty for a blank glyph.
struct PixelArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelArea&) const = default;
};
PixelArea ink_area(const GlyphGrid& grid);

// A glyph's pixels, one bit each, row after row, most significant bit first.
struct PackedGlyph {
    int glyph_width = 0;
    int glyph_height = 0;
    std::vector<std::uint8_t> bits;

    bool operator==(const PackedGlyph&) const = default;
};

PackedGlyph pack_glyph(const GlyphGrid& grid);

// Writes the packed pixels into the grid's glyph area. Returns false, changing nothing, when the
// sizes differ.
bool unpack_glyph(const PackedGlyph& packed, GlyphGrid& grid);

}  // namespace glyphwright

#pragma once

// The pixels of the glyph being edited: (glyph_width + 2) x (glyph_height + 2) cells, each 0 or 1.
// The glyph occupies x 0 to glyph_width - 1 and y 0 to glyph_height - 1; the extra column and row
// stay 0. Indexing outside the grid is a programming error caught by assert.

#include <cassert>
#include <cstdint>
#include <vector>

namespace glyphwright {

class GlyphGrid {
public:
    GlyphGrid() : GlyphGrid(0, 0) {}
    GlyphGrid(int glyph_width, int glyph_height);

    int glyph_width() const { return m_glyph_width; }
    int glyph_height() const { return m_glyph_height; }
    int columns() const { return m_glyph_width + 2; }
    int rows() const { return m_glyph_height + 2; }

    int at(int x, int y) const { return m_cells[index_of(x, y)]; }
    void set(int x, int y, bool value) { m_cells[index_of(x, y)] = value ? 1 : 0; }
    void toggle(int x, int y) { m_cells[index_of(x, y)] ^= 1; }

    bool operator==(const GlyphGrid&) const = default;

private:
    std::size_t index_of(int x, int y) const
    {
        assert(x >= 0 && x < columns() && y >= 0 && y < rows());
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(rows()) + static_cast<std::size_t>(y);
    }

    int m_glyph_width;
    int m_glyph_height;
    std::vector<std::uint8_t> m_cells;
};

}  // namespace glyphwright

#include "model/glyph_grid.h"

namespace glyphwright {

GlyphGrid::GlyphGrid(int glyph_width, int glyph_height)
    : m_glyph_width(glyph_width < 0 ? 0 : glyph_width)
    , m_glyph_height(glyph_height < 0 ? 0 : glyph_height)
    , m_cells(static_cast<std::size_t>(m_glyph_width + 2) * static_cast<std::size_t>(m_glyph_height + 2), 0)
{
}

}  // namespace glyphwright

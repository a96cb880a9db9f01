#include "model/font_model.h"

#include <cassert>

#include "model/glyph_codec.h"

namespace glyphwright {

bool is_table_row(const FontModel& model, int row)
{
    return row >= 0 && row < static_cast<int>(model.font_table.size());
}

void reset_glyph_grid(FontModel& model)
{
    model.glyph_grid = GlyphGrid(model.header.glyph_width, model.header.glyph_height);
}

void store_glyph(FontModel& model, int row)
{
    assert(is_table_row(model, row));
    model.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(model.glyph_grid);
}

void load_glyph(FontModel& model, int row)
{
    assert(is_table_row(model, row));
    decode_glyph(model.font_table[static_cast<std::size_t>(row)].glyph_data, model.glyph_grid);
}

}  // namespace glyphwright

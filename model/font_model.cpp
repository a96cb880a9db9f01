#include "model/font_model.h"

#include <algorithm>
#include <cassert>

#include "model/glyph_codec.h"

namespace glyphwright {

bool is_valid_geometry(int glyph_width, int glyph_height)
{
    return glyph_width >= 1 && glyph_width <= 255 && glyph_height >= 1 && glyph_height <= 255
        && (glyph_width * glyph_height) % 8 == 0;
}

int glyph_count(const FontModel& model)
{
    return std::clamp(model.header.char_count, 0, static_cast<int>(model.font_table.size()));
}

bool is_glyph_row(const FontModel& model, int row) { return row >= 0 && row < glyph_count(model); }

bool is_table_row(const FontModel& model, int row)
{
    return row >= 0 && row < static_cast<int>(model.font_table.size());
}

void reset_font_table(FontModel& model) { model.font_table.assign(kFontTableRows, FontRow{}); }

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

std::int64_t memory_usage(const FontHeader& header)
{
    std::int64_t pixels = static_cast<std::int64_t>(header.glyph_width) * header.glyph_height * header.char_count;
    return pixels / 8 + 4;
}

}  // namespace glyphwright

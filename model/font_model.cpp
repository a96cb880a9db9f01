#include "model/font_model.h"

#include <algorithm>
#include <cassert>

#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

bool is_table_row(const FontModel& model, int row)
{
    return row >= 0 && row < static_cast<int>(model.font_table.size());
}

void reset_glyph_grid(FontModel& model)
{
    model.glyph_grid = GlyphGrid(model.header.glyph_width, model.header.glyph_height);
}

std::string font_display_name(const FontSource& source)
{
    if (!source.name.empty() && source.name[0] == '#')
        return "DefineFont " + source.name;
    const bool plain_name = !source.name.empty() && source.name.find_first_of(" -") == std::string::npos;
    if (plain_name)
        return source.name;
    if (!source.path.empty())
        return std::string(file_name_part(source.path));
    return "Untitled";
}

void choose_glyph(FontModel& model, int row)
{
    assert(is_table_row(model, row));
    model.current_index = row;
    model.glyph_as_chosen = model.font_table[static_cast<std::size_t>(row)].glyph_data;
    decode_glyph(model.glyph_as_chosen, model.glyph_grid);
}

void store_edited_glyph(FontModel& model)
{
    if (is_table_row(model, model.current_index))
        model.font_table[static_cast<std::size_t>(model.current_index)].glyph_data = encode_glyph(model.glyph_grid);
}

void adopt_font(FontModel& model, Font font)
{
    static_cast<Font&>(model) = std::move(font);
    model.font_table.resize(std::max<std::size_t>(model.font_table.size(), kFontTableRows));
    reset_glyph_grid(model);
    model.source = {};
    choose_glyph(model, 0);
}

}  // namespace glyphwright

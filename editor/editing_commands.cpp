#include "editor/editing_commands.h"

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "model/glyph_codec.h"

namespace glyphwright {

void select_character(FontModel& model, GuiServices& gui)
{
    int chosen = gui.list_selected(controls::kCharacterList);
    if (!is_table_row(model, chosen))
        return;
    choose_glyph(model, chosen);
    draw_glyph(model, gui);
}

void select_adjacent_character(FontModel& model, GuiServices& gui, int offset)
{
    int row = model.current_index + offset;
    if (!is_glyph_row(model, model.current_index) || !is_glyph_row(model, row))
        return;
    gui.list_select(controls::kCharacterList, row);
    select_character(model, gui);
}

void copy_glyph(FontModel& model) { model.glyph_clipboard = encode_glyph(model.glyph_grid); }

}  // namespace glyphwright

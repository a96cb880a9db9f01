#include "editor/editing_commands.h"

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "model/glyph_codec.h"

namespace glyphwright {

void toggle_pixel(FontModel& model, GuiServices& gui)
{
    int mouse_x = gui.canvas_mouse_x(controls::kGridCanvas);
    int mouse_y = gui.canvas_mouse_y(controls::kGridCanvas);
    if (mouse_x < 0 || mouse_y < 0 || model.zoom <= 0)
        return;
    int x = mouse_x / model.zoom;
    int y = mouse_y / model.zoom;
    // The canvas's last pixel column and row, or a canvas larger than the glyph, would otherwise
    // reach the grid's spare column and row, or beyond it.
    GlyphGrid& grid = model.glyph_grid;
    if (x >= grid.glyph_width() || y >= grid.glyph_height())
        return;
    if (!gui.begin_drawing(controls::kGridCanvas))
        return;
    grid.toggle(x, y);
    draw_cell(model, gui, x, y);
    gui.end_drawing(controls::kGridCanvas);
}

void select_character(FontModel& model, GuiServices& gui)
{
    int chosen = gui.list_selected(controls::kCharacterList);
    if (!is_table_row(model, chosen))
        return;
    switch_glyph(model, chosen);
    draw_glyph(model, gui);
}

void switch_glyph(FontModel& model, int row)
{
    if (is_table_row(model, model.current_index))
        store_glyph(model, model.current_index);
    model.current_index = row;
    load_glyph(model, row);
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

void paste_glyph(FontModel& model, GuiServices& gui)
{
    decode_glyph(model.glyph_clipboard, model.glyph_grid);
    draw_glyph(model, gui);
}

void restore_glyph(FontModel& model, GuiServices& gui)
{
    if (!is_table_row(model, model.current_index))
        return;
    load_glyph(model, model.current_index);
    draw_glyph(model, gui);
}

}  // namespace glyphwright

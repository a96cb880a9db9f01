#include "editor/edit_session.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "editor/canvas_view.h"
#include "editor/character_steps.h"
#include "editor/controls.h"
#include "editor/editing_commands.h"
#include "model/glyph_codec.h"

namespace glyphwright {

namespace {

// Pointer positions far outside the canvas are held to this distance, so that the line walked to
// them stays short.
constexpr int kFarthestPointer = 1 << 16;

struct Cell {
    int x = 0;
    int y = 0;
};

// The cell under a canvas pixel, rounding toward minus infinity: a pointer just left of or above
// the canvas is outside the glyph, not on its first column or row.
int cell_of(int pixel, int zoom)
{
    pixel = std::clamp(pixel, -kFarthestPointer, kFarthestPointer);
    int cell = pixel / zoom;
    return pixel < 0 && pixel % zoom != 0 ? cell - 1 : cell;
}

Cell mouse_cell(const FontModel& model, ScreenPoint mouse)
{
    return {cell_of(mouse.x, model.zoom), cell_of(mouse.y, model.zoom)};
}

bool in_glyph(const GlyphGrid& grid, Cell cell)
{
    return cell.x >= 0 && cell.y >= 0 && cell.x < grid.glyph_width() && cell.y < grid.glyph_height();
}

// The glyph cells on the line from `from` to `to`, both ends included, that do not hold `value`
// yet. Successive cells of the line touch at a side or a corner, so a drag leaves no gap.
std::vector<Cell> cells_to_change(const GlyphGrid& grid, Cell from, Cell to, int value)
{
    std::vector<Cell> cells;
    int dx = std::abs(to.x - from.x);
    int dy = -std::abs(to.y - from.y);
    int step_x = from.x < to.x ? 1 : -1;
    int step_y = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    Cell cell = from;
    while (true) {
        if (in_glyph(grid, cell) && grid.at(cell.x, cell.y) != value)
            cells.push_back(cell);
        if (cell.x == to.x && cell.y == to.y)
            return cells;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cell.x += step_x;
        }
        if (twice <= dx) {
            error += dx;
            cell.y += step_y;
        }
    }
}

GlyphChange current_glyph(const FontModel& model) { return {std::max(model.current_index, 0)}; }

int current_advance(const FontModel& model)
{
    return is_glyph_row(model, model.current_index) ? model.font_table[static_cast<std::size_t>(model.current_index)].advance : 0;
}

// Records the change from `before` to the grid as one step; nothing when the glyph is unchanged.
GlyphChange record_step(FontModel& model, EditSession& session, const GlyphGrid& before)
{
    if (before == model.glyph_grid)
        return {};
    GlyphStep step;
    step.row = current_glyph(model).row;
    step.before = pack_glyph(before);
    step.after = pack_glyph(model.glyph_grid);
    step.advance_before = step.advance_after = current_advance(model);
    session.history.record(std::move(step));
    return current_glyph(model);
}

// Runs `change` on the grid, stores it, draws the cells it changed and records it as one step.
template <typename Change>
GlyphChange as_step(FontModel& model, GuiServices& gui, EditSession& session, Change change)
{
    finish_stroke(model, session);
    GlyphGrid before = model.glyph_grid;
    change();
    if (before == model.glyph_grid)
        return {};
    store_edited_glyph(model);
    draw_changed_cells(model, gui, before);
    return record_step(model, session, before);
}

// Shows one state of a step's glyph, its pixels and its advance; a step of another character first
// selects that character.
GlyphChange show_state(FontModel& model, GuiServices& gui, int row, const PackedGlyph& state, int advance)
{
    if (row != model.current_index) {
        if (!is_table_row(model, row))
            return {};
        gui.list_select(controls::kCharacterList, row);
        choose_glyph(model, row);
        unpack_glyph(state, model.glyph_grid);
        store_edited_glyph(model);
        const bool advance_changed = is_glyph_row(model, row) && model.font_table[static_cast<std::size_t>(row)].advance != advance;
        if (advance_changed)
            model.font_table[static_cast<std::size_t>(row)].advance = advance;
        draw_glyph(model, gui);
        return {row, advance_changed};
    }
    GlyphGrid shown = model.glyph_grid;
    unpack_glyph(state, model.glyph_grid);
    if (!(shown == model.glyph_grid))
        store_edited_glyph(model);
    draw_changed_cells(model, gui, shown);
    if (is_glyph_row(model, row) && model.font_table[static_cast<std::size_t>(row)].advance != advance) {
        model.font_table[static_cast<std::size_t>(row)].advance = advance;
        if (gui.begin_drawing(controls::kGridCanvas)) {
            draw_guides(model, gui);
            gui.end_drawing(controls::kGridCanvas);
        }
        return {row, true};
    }
    return {row};
}

// Undo (`undo` true) or Redo of a step that added or removed a character.
GlyphChange show_characters_of(FontModel& model, GuiServices& gui, const GlyphStep& step, bool undo)
{
    const bool adds = (step.kind == StepKind::Added) != undo;
    return adds ? put_back_character(model, gui, step.row, step.glyph) : take_out_character(model, gui, step.row);
}

}  // namespace

GlyphChange begin_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse)
{
    finish_stroke(model, session);
    session.stroke.button_held = true;
    if (model.zoom <= 0)
        return {};
    Cell cell = mouse_cell(model, mouse);
    GlyphGrid& grid = model.glyph_grid;
    if (!in_glyph(grid, cell) || !gui.begin_drawing(controls::kGridCanvas))
        return {};
    Stroke& stroke = session.stroke;
    stroke.before = grid;
    stroke.value = 1 - grid.at(cell.x, cell.y);
    stroke.last_x = cell.x;
    stroke.last_y = cell.y;
    stroke.active = true;
    grid.set(cell.x, cell.y, stroke.value == 1);
    store_edited_glyph(model);
    draw_cell(model, gui, cell.x, cell.y);
    gui.end_drawing(controls::kGridCanvas);
    return current_glyph(model);
}

GlyphChange continue_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse)
{
    Stroke& stroke = session.stroke;
    if (!stroke.active)
        return {};
    Cell to = mouse_cell(model, mouse);
    GlyphGrid& grid = model.glyph_grid;
    std::vector<Cell> cells = cells_to_change(grid, {stroke.last_x, stroke.last_y}, to, stroke.value);
    if (!cells.empty()) {
        // A pass that cannot be opened changes nothing; the next move draws from the same place.
        if (!gui.begin_drawing(controls::kGridCanvas))
            return {};
        for (Cell cell : cells) {
            grid.set(cell.x, cell.y, stroke.value == 1);
            draw_cell(model, gui, cell.x, cell.y);
        }
        gui.end_drawing(controls::kGridCanvas);
        store_edited_glyph(model);
    }
    stroke.last_x = to.x;
    stroke.last_y = to.y;
    return cells.empty() ? GlyphChange{} : current_glyph(model);
}

GlyphChange end_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse)
{
    Stroke& stroke = session.stroke;
    if (!stroke.button_held)
        begin_stroke(model, gui, session, mouse);
    stroke.button_held = false;
    continue_stroke(model, gui, session, mouse);
    return finish_stroke(model, session);
}

GlyphChange cancel_stroke(FontModel& model, GuiServices& gui, EditSession& session)
{
    Stroke& stroke = session.stroke;
    stroke.button_held = false;
    if (!stroke.active)
        return {};
    stroke.active = false;
    GlyphGrid shown = std::exchange(model.glyph_grid, std::move(stroke.before));
    stroke.before = GlyphGrid();
    if (shown == model.glyph_grid)
        return {};
    store_edited_glyph(model);
    draw_changed_cells(model, gui, shown);
    return current_glyph(model);
}

GlyphChange finish_stroke(FontModel& model, EditSession& session)
{
    Stroke& stroke = session.stroke;
    if (!stroke.active)
        return {};
    stroke.active = false;
    GlyphChange change = record_step(model, session, stroke.before);
    stroke.before = GlyphGrid();
    return change;
}

GlyphChange run_operation(FontModel& model, GuiServices& gui, EditSession& session, GlyphOperation operation)
{
    return as_step(model, gui, session, [&] { apply_operation(operation, model.glyph_grid); });
}

GlyphChange paste_step(FontModel& model, GuiServices& gui, EditSession& session)
{
    return as_step(model, gui, session, [&] { decode_glyph(model.glyph_clipboard, model.glyph_grid); });
}

GlyphChange restore_step(FontModel& model, GuiServices& gui, EditSession& session)
{
    if (!is_table_row(model, model.current_index))
        return {};
    return as_step(model, gui, session, [&] { decode_glyph(model.glyph_as_chosen, model.glyph_grid); });
}

GlyphChange change_advance(FontModel& model, GuiServices& gui, EditSession& session, int change)
{
    finish_stroke(model, session);
    if (!is_glyph_row(model, model.current_index))
        return {};
    int& advance = model.font_table[static_cast<std::size_t>(model.current_index)].advance;
    const int changed = std::clamp(advance + change, 0, std::max(model.header.glyph_width - model.origin_x, 0));
    if (changed == advance)
        return {};
    GlyphStep step;
    step.row = model.current_index;
    step.before = step.after = pack_glyph(model.glyph_grid);
    step.advance_before = advance;
    step.advance_after = changed;
    advance = changed;
    session.history.record(std::move(step));
    if (gui.begin_drawing(controls::kGridCanvas)) {
        draw_guides(model, gui);
        gui.end_drawing(controls::kGridCanvas);
    }
    return {model.current_index, true};
}

GlyphChange undo_edit(FontModel& model, GuiServices& gui, EditSession& session)
{
    finish_stroke(model, session);
    const GlyphStep* step = session.history.undo();
    if (step && step->kind != StepKind::Glyph)
        return show_characters_of(model, gui, *step, true);
    return step ? show_state(model, gui, step->row, step->before, step->advance_before) : GlyphChange{};
}

GlyphChange redo_edit(FontModel& model, GuiServices& gui, EditSession& session)
{
    finish_stroke(model, session);
    const GlyphStep* step = session.history.redo();
    if (step && step->kind != StepKind::Glyph)
        return show_characters_of(model, gui, *step, false);
    return step ? show_state(model, gui, step->row, step->after, step->advance_after) : GlyphChange{};
}

void forget_edits(EditSession& session)
{
    session.history.clear();
    session.stroke = Stroke();
}

}  // namespace glyphwright

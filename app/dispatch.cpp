#include "app/dispatch.h"

#include "app/shell.h"
#include "editor/character_steps.h"
#include "editor/controls.h"
#include "editor/edit_session.h"
#include "editor/editing_commands.h"
#include "editor/file_commands.h"
#include "editor/import_command.h"

namespace glyphwright {

namespace {

FontChange glyph_changed(GlyphChange change) { return {change.row, false, change.layout_changed}; }

FontChange dispatch_canvas_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    FontModel& model = shell.model;
    switch (event.subtype) {
    case EventSubtype::LeftPress:
        return glyph_changed(begin_stroke(model, gui, shell.edit, event.mouse));
    case EventSubtype::PointerMove:
        return glyph_changed(continue_stroke(model, gui, shell.edit, event.mouse));
    case EventSubtype::LeftClick:
        return glyph_changed(end_stroke(model, gui, shell.edit, event.mouse));
    case EventSubtype::ReleaseOutside:
        return glyph_changed(cancel_stroke(model, gui, shell.edit));
    default:
        return {};
    }
}

FontChange dispatch_control_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    FontModel& model = shell.model;
    if (is_overview_control(event.control_id)) {
        overview_event(shell.overview, model, gui, event);
        return {};
    }
    switch (event.control_id) {
    case controls::kGridCanvas:
        return dispatch_canvas_event(event, shell, gui);
    case controls::kFileButton:
        // Without a menu the button has nothing to show.
        if (shell.file_menu_exists)
            gui.show_popup_menu(controls::kFileMenu);
        return {};
    case controls::kEditButton:
        if (shell.edit_menu_exists)
            gui.show_popup_menu(controls::kEditMenu);
        return {};
    case controls::kCopyButton:
        copy_glyph(model);
        return {};
    case controls::kPasteButton:
        return glyph_changed(paste_step(model, gui, shell.edit));
    case controls::kRestoreButton:
        return glyph_changed(restore_step(model, gui, shell.edit));
    case controls::kCharacterList:
        select_character(model, gui);
        return {};
    default:
        return {};
    }
}

FontChange run_operation_item(ShellState& shell, GuiServices& gui, GlyphOperation operation)
{
    return glyph_changed(run_operation(shell.model, gui, shell.edit, operation));
}

FontChange dispatch_edit_item(int item, ShellState& shell, GuiServices& gui)
{
    switch (item) {
    case controls::kUndoItem:
        return glyph_changed(undo_edit(shell.model, gui, shell.edit));
    case controls::kRedoItem:
        return glyph_changed(redo_edit(shell.model, gui, shell.edit));
    case controls::kShiftLeftItem:
        return run_operation_item(shell, gui, GlyphOperation::ShiftLeft);
    case controls::kShiftRightItem:
        return run_operation_item(shell, gui, GlyphOperation::ShiftRight);
    case controls::kShiftUpItem:
        return run_operation_item(shell, gui, GlyphOperation::ShiftUp);
    case controls::kShiftDownItem:
        return run_operation_item(shell, gui, GlyphOperation::ShiftDown);
    case controls::kFlipHorizontallyItem:
        return run_operation_item(shell, gui, GlyphOperation::FlipHorizontally);
    case controls::kFlipVerticallyItem:
        return run_operation_item(shell, gui, GlyphOperation::FlipVertically);
    case controls::kInvertItem:
        return run_operation_item(shell, gui, GlyphOperation::Invert);
    case controls::kClearItem:
        return run_operation_item(shell, gui, GlyphOperation::Clear);
    case controls::kOverviewItem:
        toggle_overview(shell.overview, shell.model, gui);
        return {};
    case controls::kNarrowerItem:
        return glyph_changed(change_advance(shell.model, gui, shell.edit, -1));
    case controls::kWiderItem:
        return glyph_changed(change_advance(shell.model, gui, shell.edit, 1));
    case controls::kAddCharacterItem:
        return glyph_changed(add_character(shell.model, gui, shell.edit));
    case controls::kRemoveCharacterItem:
        return glyph_changed(remove_character(shell.model, gui, shell.edit));
    case controls::kCodePageItem:
        choose_code_page(shell.model, gui);
        return {};
    default:
        return {};
    }
}

FontChange dispatch_menu_event(int item, ShellState& shell, GuiServices& gui)
{
    FontModel& model = shell.model;
    switch (item) {
    case controls::kOpenItem:
        return {-1, open_font(model, gui)};
    case controls::kNewItem:
        show_not_yet(gui);
        return {};
    case controls::kSaveAsCItem:
        save_as_c(model, gui);
        return {};
    case controls::kSaveAsBasItem:
        save_as_bas(model, gui);
        return {};
    case controls::kQuitItem:
        shell.quit_requested = true;
        return {};
    case controls::kFileInfoItem:
        show_file_info(model, gui);
        return {};
    case controls::kImportFontItem:
        return {-1, import_font_command(model, gui)};
    case controls::kSaveAsBdfItem:
        save_as_bdf(model, gui);
        return {};
    case controls::kSaveInPlaceItem:
        save_in_place(model, gui);
        return {};
    default:
        return dispatch_edit_item(item, shell, gui);
    }
}

FontChange dispatch_key_command(int command_id, ShellState& shell, GuiServices& gui)
{
    switch (command_id) {
    case controls::kCopyButton:
    case controls::kPasteButton:
        return dispatch_control_event({EventKind::ControlEvent, command_id, EventSubtype::ButtonPress, 0}, shell, gui);
    case controls::kPreviousCharacterKey:
        select_adjacent_character(shell.model, gui, -1);
        return {};
    case controls::kNextCharacterKey:
        select_adjacent_character(shell.model, gui, 1);
        return {};
    default:
        return dispatch_menu_event(command_id, shell, gui);
    }
}

FontChange dispatch_to_command(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    switch (event.kind) {
    case EventKind::WindowClose:
        if (event.control_id == controls::kOverviewWindow)
            overview_event(shell.overview, shell.model, gui, event);
        else
            shell.quit_requested = true;
        return {};
    case EventKind::ControlEvent:
        return dispatch_control_event(event, shell, gui);
    case EventKind::MenuEvent:
        return dispatch_menu_event(event.menu_item_id, shell, gui);
    case EventKind::KeyCommand:
        return dispatch_key_command(event.command_id, shell, gui);
    case EventKind::Other:
        return {};
    }
    return {};
}

}  // namespace

void dispatch_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    // Whatever else happens while the button is held, such as a key, ends the stroke where it is.
    bool from_canvas = event.kind == EventKind::ControlEvent && event.control_id == controls::kGridCanvas;
    if (!from_canvas)
        font_changed(shell, gui, glyph_changed(finish_stroke(shell.model, shell.edit)));
    font_changed(shell, gui, dispatch_to_command(event, shell, gui));
}

}  // namespace glyphwright

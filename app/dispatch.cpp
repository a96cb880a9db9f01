#include "app/dispatch.h"

#include "app/shell.h"
#include "editor/canvas_view.h"
#include "editor/character_steps.h"
#include "editor/controls.h"
#include "editor/edit_session.h"
#include "editor/editing_commands.h"
#include "editor/file_commands.h"
#include "editor/import_command.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

FontChange glyph_changed(GlyphChange change) { return {change.row, false, change.layout_changed}; }

FontChange font_saved(bool saved) { return {-1, false, false, saved}; }

FontChange font_replaced(bool replaced) { return {-1, replaced}; }

// Settles the unsaved changes of the open font before a command replaces or ends it; false when
// the user keeps it.
bool may_replace_font(ShellState& shell, GuiServices& gui)
{
    const Settled settled = settle_unsaved_changes(shell.model, gui, has_unsaved_changes(shell));
    if (settled == Settled::Saved)
        font_changed(shell, gui, font_saved(true));
    return settled != Settled::Cancelled;
}

FontChange open_path_command(ShellState& shell, GuiServices& gui, const std::string& path)
{
    if (!may_replace_font(shell, gui))
        return {};
    return font_replaced(open_font_path(shell.model, gui, path));
}

// Open recent: the files in a list, the newest first; a file that is gone leaves the list.
FontChange open_recent_command(ShellState& shell, GuiServices& gui)
{
    std::vector<std::string> files = gui.recent_files();
    if (files.empty()) {
        gui.message_box("Open recent", "No font file was opened or saved yet.");
        return {};
    }
    const int chosen = gui.choice_dialog("Open recent", "The files opened or saved last:", files, 0);
    if (chosen < 0 || chosen >= static_cast<int>(files.size()))
        return {};
    const std::string path = files[static_cast<std::size_t>(chosen)];
    if (file_stamp(path).size < 0) {
        std::erase(files, path);
        gui.set_recent_files(files);
        gui.message_box("Open recent", quoted_file_name(path) + " is gone; it was taken off the list.");
        return {};
    }
    return open_path_command(shell, gui, path);
}

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
        // The stroke ends where the button is let go, inside the canvas or not.
        return glyph_changed(end_stroke(model, gui, shell.edit, event.mouse));
    case EventSubtype::ZoomIn:
        set_zoom(model, gui, model.zoom + 1);
        return {};
    case EventSubtype::ZoomOut:
        set_zoom(model, gui, model.zoom - 1);
        return {};
    case EventSubtype::Scrolled:
        draw_glyph(model, gui);
        return {};
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
        if (event.subtype == EventSubtype::CharacterTyped)
            select_typed_character(model, gui, event.typed);
        else
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
        return {-1, false, false, false, choose_code_page(shell.model, gui)};
    case controls::kZoomInItem:
        set_zoom(shell.model, gui, shell.model.zoom + 1);
        return {};
    case controls::kZoomOutItem:
        set_zoom(shell.model, gui, shell.model.zoom - 1);
        return {};
    case controls::kZoomToFitItem:
        set_zoom(shell.model, gui, zoom_to_fit(shell.model, gui));
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
        return may_replace_font(shell, gui) ? font_replaced(open_font(model, gui)) : FontChange{};
    case controls::kNewItem:
        return may_replace_font(shell, gui) ? font_replaced(new_font_command(model, gui)) : FontChange{};
    case controls::kSaveAsCItem:
        return font_saved(save_as_c(model, gui));
    case controls::kSaveAsBasItem:
        return font_saved(save_as_bas(model, gui));
    case controls::kQuitItem:
        shell.quit_requested = may_replace_font(shell, gui);
        return {};
    case controls::kFileInfoItem:
        show_file_info(model, gui);
        return {};
    case controls::kImportFontItem:
        return may_replace_font(shell, gui) ? font_replaced(import_font_command(model, gui)) : FontChange{};
    case controls::kSaveAsBdfItem:
        return font_saved(save_as_bdf(model, gui));
    case controls::kSaveInPlaceItem:
        return font_saved(save_in_place(model, gui));
    case controls::kSaveItem:
        return font_saved(save_font_command(model, gui));
    case controls::kSaveAsItem:
        return font_saved(save_as_any(model, gui));
    case controls::kOpenRecentItem:
        return open_recent_command(shell, gui);
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
    case controls::kCancelStrokeKey:
        return glyph_changed(cancel_stroke(shell.model, gui, shell.edit));
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
            shell.quit_requested = may_replace_font(shell, gui);
        return {};
    case EventKind::WindowResize:
        overview_event(shell.overview, shell.model, gui, event);
        return {};
    case EventKind::FileDrop:
        return open_path_command(shell, gui, event.file_path);
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

void open_start_file(ShellState& shell, GuiServices& gui, const std::string& path, const std::string& font_choice)
{
    font_changed(shell, gui, font_replaced(open_font_path(shell.model, gui, path, font_choice)));
}

void dispatch_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    // Whatever else happens while the button is held, such as a key, ends the stroke where it is;
    // Escape takes it back.
    bool from_canvas = event.kind == EventKind::ControlEvent && event.control_id == controls::kGridCanvas;
    bool cancels = event.kind == EventKind::KeyCommand && event.command_id == controls::kCancelStrokeKey;
    if (!from_canvas && !cancels)
        font_changed(shell, gui, glyph_changed(finish_stroke(shell.model, shell.edit)));
    font_changed(shell, gui, dispatch_to_command(event, shell, gui));
}

}  // namespace glyphwright

#include "app/shell.h"
#include "editor/controls.h"
#include "editor/editing_commands.h"
#include "formats/file_commands.h"

namespace glyphwright {

namespace {

void dispatch_control_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    FontModel& model = shell.model;
    switch (event.control_id) {
    case controls::kGridCanvas:
        if (event.subtype == EventSubtype::LeftClick)
            toggle_pixel(model, gui);
        return;
    case controls::kFileButton:
        // Without a menu the button has nothing to show.
        if (shell.file_menu_exists)
            gui.show_popup_menu(controls::kFileMenu);
        return;
    case controls::kCopyButton:
        copy_glyph(model);
        return;
    case controls::kPasteButton:
        paste_glyph(model, gui);
        return;
    case controls::kRestoreButton:
        restore_glyph(model, gui);
        return;
    case controls::kCharacterList:
        select_character(model, gui);
        return;
    default:
        return;
    }
}

void dispatch_menu_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    FontModel& model = shell.model;
    switch (event.menu_item_id) {
    case controls::kOpenItem:
        open_font(model, gui);
        return;
    case controls::kNewItem:
        show_not_yet(gui);
        return;
    case controls::kSaveAsCItem:
        save_as_c(model, gui);
        return;
    case controls::kSaveAsBasItem:
        save_as_bas(model, gui);
        return;
    case controls::kQuitItem:
        shell.quit_requested = true;
        return;
    case controls::kFileInfoItem:
        show_file_info(model, gui);
        return;
    case controls::kSaveInPlaceItem:
        save_in_place(model, gui);
        return;
    default:
        return;
    }
}

}  // namespace

void dispatch_event(const UiEvent& event, ShellState& shell, GuiServices& gui)
{
    switch (event.kind) {
    case EventKind::WindowClose:
        shell.quit_requested = true;
        return;
    case EventKind::ControlEvent:
        dispatch_control_event(event, shell, gui);
        return;
    case EventKind::MenuEvent:
        dispatch_menu_event(event, shell, gui);
        return;
    case EventKind::Other:
        return;
    }
}

}  // namespace glyphwright

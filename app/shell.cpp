#include "app/shell.h"

#include "app/dispatch.h"
#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/file_commands.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

struct MenuItem {
    int id;
    const char* caption;
};

struct KeyBinding {
    int command_id;
    const char* key;
};

constexpr MenuItem kFileMenuItems[] = {
    {controls::kOpenItem, "Open"},
    {controls::kNewItem, "New"},
    {controls::kSaveAsCItem, "Save as C"},
    {controls::kSaveAsBasItem, "Save as BAS"},
    {controls::kQuitItem, "Quit"},
    {controls::kFileInfoItem, "File Info"},
    {controls::kImportFontItem, "Import font..."},
    {controls::kSaveAsBdfItem, "Save as BDF"},
    {controls::kSaveInPlaceItem, "Save in place"},
    {controls::kSaveItem, "Save"},
    {controls::kSaveAsItem, "Save as..."},
    {controls::kOpenRecentItem, "Open recent..."},
};

constexpr MenuItem kEditMenuItems[] = {
    {controls::kUndoItem, "Undo"},
    {controls::kRedoItem, "Redo"},
    {controls::kShiftLeftItem, "Shift left"},
    {controls::kShiftRightItem, "Shift right"},
    {controls::kShiftUpItem, "Shift up"},
    {controls::kShiftDownItem, "Shift down"},
    {controls::kFlipHorizontallyItem, "Flip horizontally"},
    {controls::kFlipVerticallyItem, "Flip vertically"},
    {controls::kInvertItem, "Invert"},
    {controls::kClearItem, "Clear"},
    {controls::kOverviewItem, "Overview"},
    {controls::kNarrowerItem, "Narrower"},
    {controls::kWiderItem, "Wider"},
    {controls::kAddCharacterItem, "Add character..."},
    {controls::kRemoveCharacterItem, "Remove character"},
    {controls::kCodePageItem, "Code page..."},
    {controls::kZoomInItem, "Zoom in"},
    {controls::kZoomOutItem, "Zoom out"},
    {controls::kZoomToFitItem, "Zoom to fit"},
};

// Every key of the main window. A menu item shows the first key bound to it.
constexpr KeyBinding kKeyBindings[] = {
    {controls::kUndoItem, "Ctrl+Z"},
    {controls::kRedoItem, "Ctrl+Y"},
    {controls::kRedoItem, "Ctrl+Shift+Z"},
    {controls::kCopyButton, "Ctrl+C"},
    {controls::kPasteButton, "Ctrl+V"},
    {controls::kPreviousCharacterKey, "PgUp"},
    {controls::kNextCharacterKey, "PgDown"},
    {controls::kShiftLeftItem, "Left"},
    {controls::kShiftRightItem, "Right"},
    {controls::kShiftUpItem, "Up"},
    {controls::kShiftDownItem, "Down"},
    {controls::kFlipHorizontallyItem, "H"},
    {controls::kFlipVerticallyItem, "V"},
    {controls::kInvertItem, "I"},
    {controls::kClearItem, "Del"},
    {controls::kOverviewItem, "F2"},
    {controls::kNarrowerItem, "["},
    {controls::kWiderItem, "]"},
    {controls::kOpenItem, "Ctrl+O"},
    {controls::kSaveItem, "Ctrl+S"},
    {controls::kSaveAsItem, "Ctrl+Shift+S"},
    {controls::kNewItem, "Ctrl+N"},
    {controls::kQuitItem, "Ctrl+Q"},
    {controls::kImportFontItem, "Ctrl+I"},
    {controls::kCancelStrokeKey, "Esc"},
    {controls::kZoomInItem, "Ctrl++"},
    {controls::kZoomInItem, "Ctrl+="},
    {controls::kZoomOutItem, "Ctrl+-"},
    {controls::kZoomToFitItem, "Ctrl+0"},
};

void create_controls(const FontModel& model, GuiServices& gui)
{
    int canvas_width = model.header.glyph_width * model.zoom;
    int canvas_height = model.header.glyph_height * model.zoom;
    gui.create_canvas(controls::kGridCanvas, 10, 60, canvas_width, canvas_height);
    gui.create_button(controls::kFileButton, 10, 10, 50, 25, "File...");
    gui.create_button(controls::kCopyButton, 60, 10, 50, 25, "Copy");
    gui.create_button(controls::kPasteButton, 110, 10, 50, 25, "Paste");
    gui.create_button(controls::kRestoreButton, 160, 10, 50, 25, "Restore");
    gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
    gui.create_label(controls::kInfoLabel, 10, 40, 240, 25, "");
    // Beside the label, below the list and above the canvas, within the narrowest window.
    gui.create_button(controls::kEditButton, 250, 37, 60, 22, "Edit...");
}

// The caption, then a tab and the item's key, where menus show keys.
std::string caption_with_key(const MenuItem& item)
{
    for (const KeyBinding& binding : kKeyBindings)
        if (binding.command_id == item.id)
            return std::string(item.caption) + "\t" + binding.key;
    return item.caption;
}

bool create_file_menu(GuiServices& gui)
{
    if (!gui.create_popup_menu(controls::kFileMenu))
        return false;
    // The first items keep their captions as they always were; the later ones show their keys.
    for (const MenuItem& item : kFileMenuItems)
        gui.add_menu_item(controls::kFileMenu, item.id, item.id < controls::kSaveItem ? std::string(item.caption) : caption_with_key(item));
    return true;
}

bool create_edit_menu(GuiServices& gui)
{
    if (!gui.create_popup_menu(controls::kEditMenu))
        return false;
    for (const MenuItem& item : kEditMenuItems)
        gui.add_menu_item(controls::kEditMenu, item.id, caption_with_key(item));
    return true;
}

void bind_keys(GuiServices& gui)
{
    for (const KeyBinding& binding : kKeyBindings)
        gui.add_key_command(binding.command_id, binding.key);
}

// Greys Undo and Redo when they have nothing to do; a call only when what is shown changes.
void show_history_state(ShellState& shell, GuiServices& gui)
{
    if (!shell.edit_menu_exists)
        return;
    bool can_undo = shell.edit.history.can_undo();
    bool can_redo = shell.edit.history.can_redo();
    if (can_undo != shell.undo_shown_enabled)
        gui.set_menu_item_enabled(controls::kEditMenu, controls::kUndoItem, can_undo);
    if (can_redo != shell.redo_shown_enabled)
        gui.set_menu_item_enabled(controls::kEditMenu, controls::kRedoItem, can_redo);
    shell.undo_shown_enabled = can_undo;
    shell.redo_shown_enabled = can_redo;
}

}  // namespace

void remember_recent_file(GuiServices& gui, const std::string& path)
{
    std::vector<std::string> files = gui.recent_files();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFiles)
        files.resize(kRecentFiles);
    gui.set_recent_files(files);
}

bool has_unsaved_changes(const ShellState& shell)
{
    return !shell.edit.history.at_saved_state() || shell.changed_outside_history;
}

std::string window_title(const ShellState& shell)
{
    if (!shell.has_font)
        return kWindowTitle;
    const FontSource& source = shell.model.source;
    std::string title = has_unsaved_changes(shell) ? "*" : "";
    title += source.path.empty() ? std::string("Untitled") : std::string(file_name_part(source.path));
    if (!source.path.empty() && source.fonts_in_file > 1 && !source.name.empty())
        title += " (" + source.name + ")";
    return title + " - " + kWindowTitle;
}

void font_changed(ShellState& shell, GuiServices& gui, const FontChange& change)
{
    if (change.font_replaced) {
        forget_edits(shell.edit);
        shell.has_font = true;
        shell.changed_outside_history = false;
    }
    if (change.saved) {
        shell.edit.history.mark_saved();
        shell.changed_outside_history = false;
    }
    if (change.other_change)
        shell.changed_outside_history = true;
    if ((change.saved || change.font_replaced) && !shell.model.source.path.empty())
        remember_recent_file(gui, shell.model.source.path);
    if (std::string title = window_title(shell); title != shell.shown_title) {
        gui.set_window_title(title);
        shell.shown_title = std::move(title);
    }
    if (change.font_replaced || change.layout_changed || change.glyph_row >= 0)
        show_history_state(shell, gui);
    // The overview finds for itself what changed, since not every command reports its glyph
    // (choosing a character changes none, yet moves the frame).
    const bool whole_font = change.font_replaced || change.layout_changed;
    overview_follow(shell.overview, shell.model, gui, whole_font ? FontScope::WholeFont : FontScope::Glyphs);
}

void set_start_values(FontModel& model)
{
    model = FontModel{};
    model.header = FontHeader{32, 50, 0, 0};
    model.zoom = 10;
    model.current_index = 0;
    reset_font_table(model);
    reset_glyph_grid(model);
}

bool build_main_window(ShellState& shell, GuiServices& gui)
{
    const FontModel& model = shell.model;
    int client_width = model.header.glyph_width * model.zoom + 20;
    int client_height = model.header.glyph_height * model.zoom + 70;
    if (!gui.open_main_window(client_width, client_height, kWindowTitle))
        return false;
    shell.shown_title = kWindowTitle;
    create_controls(model, gui);
    shell.file_menu_exists = create_file_menu(gui);
    shell.edit_menu_exists = create_edit_menu(gui);
    show_history_state(shell, gui);
    bind_keys(gui);
    draw_grid(model, gui);
    return true;
}

void run_event_loop(ShellState& shell, GuiServices& gui)
{
    while (!shell.quit_requested)
        dispatch_event(gui.wait_event(), shell, gui);
}

int run_editor(GuiServices& gui, const std::string& start_path, const std::string& font_choice)
{
    ShellState shell;
    set_start_values(shell.model);
    if (build_main_window(shell, gui)) {
        if (!start_path.empty())
            open_start_file(shell, gui, start_path, font_choice);
        run_event_loop(shell, gui);
    }
    // The program ends with its main window: the overview goes with it.
    close_overview(shell.overview, gui);
    return 0;
}

void show_file_info(const FontModel& model, GuiServices& gui) { gui.message_box("File Info", model.header_text); }

}  // namespace glyphwright

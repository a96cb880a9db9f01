#include "app/shell.h"

#include "editor/canvas_view.h"
#include "editor/controls.h"

namespace glyphwright {

namespace {

struct MenuItem {
    int id;
    const char* caption;
};

constexpr MenuItem kFileMenuItems[] = {
    {controls::kOpenItem, "Open"},
    {controls::kNewItem, "New"},
    {controls::kSaveAsCItem, "Save as C"},
    {controls::kSaveAsBasItem, "Save as BAS"},
    {controls::kQuitItem, "Quit"},
    {controls::kFileInfoItem, "File Info"},
    {controls::kSaveInPlaceItem, "Save in place"},
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
}

bool create_file_menu(GuiServices& gui)
{
    if (!gui.create_popup_menu(controls::kFileMenu))
        return false;
    for (const MenuItem& item : kFileMenuItems)
        gui.add_menu_item(controls::kFileMenu, item.id, item.caption);
    return true;
}

}  // namespace

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
    create_controls(model, gui);
    shell.file_menu_exists = create_file_menu(gui);
    draw_grid(model, gui);
    return true;
}

void run_event_loop(ShellState& shell, GuiServices& gui)
{
    while (!shell.quit_requested)
        dispatch_event(gui.wait_event(), shell, gui);
}

int run_editor(GuiServices& gui)
{
    ShellState shell;
    set_start_values(shell.model);
    if (build_main_window(shell, gui))
        run_event_loop(shell, gui);
    return 0;
}

void show_not_yet(GuiServices& gui) { gui.message_box("Sorry", "Not yet."); }

void show_file_info(const FontModel& model, GuiServices& gui) { gui.message_box("File Info", model.header_text); }

}  // namespace glyphwright

#pragma once

// The editor's shell: the start values of the font, the main window with its controls and File
// menu, and the loop that hands each event to one command. It works through GuiServices only, so
// it runs against Qt in the program and against a scripted fake in tests.

#include <string>

#include "editor/edit_session.h"
#include "editor/overview.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

inline constexpr char kWindowTitle[] = "Glyphwright";

struct ShellState {
    FontModel model;
    EditSession edit;
    Overview overview;  // open or closed for the life of the program only
    bool quit_requested = false;
    bool file_menu_exists = false;  // false when the popup menu could not be created
    bool edit_menu_exists = false;
    bool undo_shown_enabled = true;  // what the Edit menu shows for Undo and Redo
    bool redo_shown_enabled = true;
    bool has_font = false;  // a font was opened or made
    bool changed_outside_history = false;  // a change Undo does not take back, such as the code page
    std::string shown_title;
};

// Open recent: the last files opened or saved, the newest first, as the platform keeps them.
inline constexpr std::size_t kRecentFiles = 8;
void remember_recent_file(GuiServices& gui, const std::string& path);

// True when the open font differs from what was saved or opened last.
bool has_unsaved_changes(const ShellState& shell);

// The main window's title: "Glyphwright" before any font, else "*" while there are unsaved
// changes, the file's name ("Untitled" for a font from no file), the font's name in parentheses
// when the file holds several, and " - Glyphwright".
std::string window_title(const ShellState& shell);

// What a command changed in the font: the row of one glyph (-1 for none), how its glyphs are laid
// out (which characters it has, an advance), or the whole font.
struct FontChange {
    int glyph_row = -1;
    bool font_replaced = false;
    bool layout_changed = false;
    bool saved = false;           // the whole font was written
    bool other_change = false;    // a change outside the history (the code page)
};

// The one place that hears of every change to the font and brings what follows it up to date:
// a replaced font forgets the edit history; Undo and Redo are greyed when they have nothing to do;
// the Overview draws again what changed.
void font_changed(ShellState& shell, GuiServices& gui, const FontChange& change);

// The start values: a 32 x 50 font without characters, zoom 10, glyph 0 being edited, a fresh
// table and a clear grid.
void set_start_values(FontModel& model);

// Opens the main window sized to the model, creates its seven controls and the File menu, and
// draws the empty grid. Returns false, creating nothing, when the window cannot be opened.
bool build_main_window(ShellState& shell, GuiServices& gui);

// Takes events and dispatches them until quit_requested is set.
void run_event_loop(ShellState& shell, GuiServices& gui);

// The whole program: start values, window, the file of `start_path` opened when there is one (the
// font `font_choice` names), loop. Returns the exit status, always 0.
int run_editor(GuiServices& gui, const std::string& start_path = {}, const std::string& font_choice = {});

// File Info: shows the header lines kept from the opened file in a message box; changes nothing.
void show_file_info(const FontModel& model, GuiServices& gui);

}  // namespace glyphwright

#pragma once

// The dispatch of one event of the main window, the Overview window or a key to the one command
// it asks for.

#include "app/shell.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Runs the command that `event` asks for; a WindowClose or the Quit item sets quit_requested.
void dispatch_event(const UiEvent& event, ShellState& shell, GuiServices& gui);

// Opens the file named at start as Open would, `font_choice` choosing the font of a file with
// several; a file that cannot be opened gives its message over the start font.
void open_start_file(ShellState& shell, GuiServices& gui, const std::string& path, const std::string& font_choice);

}  // namespace glyphwright

#pragma once

// The File menu's Open, Save as C, Save as BAS, Save as BDF and Save in place: they ask for a
// path, choose the format by the path's extension, and report any failure in a message box
// without losing the open font.

#include <string>

#include "formats/font_document.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Open returns true when a font was read and replaced the open one.
bool open_font(FontModel& model, GuiServices& gui);
void save_as_c(FontModel& model, GuiServices& gui);
void save_as_bas(FontModel& model, GuiServices& gui);
// Save as BDF: as the other saves, in the BDF form, default extension ".bdf".
void save_as_bdf(FontModel& model, GuiServices& gui);

// Writes the open font back into the font of the file it was opened from, changing nothing else
// in that file. Without such a file (nothing opened, a blank or an imported font) it says so; a
// file that changed on disk since it was opened is refused with a message.
void save_in_place(FontModel& model, GuiServices& gui);

// What Open does once `path` was chosen: when the file holds several fonts the user chooses one
// (cancelling changes nothing); the font is read and shown, then its warnings if it has any, or a
// message says why not and nothing changes. Returns true when the font was replaced.
bool open_font_path(FontModel& model, GuiServices& gui, const std::string& path);

// Makes a font that was read (or made) the open one exactly as a successful Open does: the window,
// zoom and canvas fit it, the list holds its characters, and its first glyph is being edited.
void show_new_font(FontModel& model, GuiServices& gui, FontReadResult& read);

// What a save does once `path` was chosen (the default extension already appended): the glyph
// being edited is stored, the file written, and a failure reported in a message box; after the
// save, a message names what no display draws of the font.
void save_font_path(FontModel& model, GuiServices& gui, const std::string& path, FontFormat format);

}  // namespace glyphwright

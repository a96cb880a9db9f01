#pragma once

// The File menu's Open, Save, Save as, Save as C, Save as BAS, Save as BDF and Save in place: they
// ask for a path, choose the format by the path's extension, and report any failure in a message
// box without losing the open font. Each save returns true when the whole font was written.

#include <string>

#include "formats/font_document.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Open returns true when a font was read and replaced the open one.
bool open_font(FontModel& model, GuiServices& gui);
bool save_as_c(FontModel& model, GuiServices& gui);
bool save_as_bas(FontModel& model, GuiServices& gui);
// Save as BDF: as the other saves, in the BDF form, default extension ".bdf".
bool save_as_bdf(FontModel& model, GuiServices& gui);
// Save as: one dialog for every form the program writes; the name's extension chooses the form,
// and a name without one gets the extension of the font's own form (C for a font from no file).
bool save_as_any(FontModel& model, GuiServices& gui);

// Writes the open font back into the font of the file it was opened from, changing nothing else
// in that file. Without such a file (nothing opened, a blank or an imported font) it says so; a
// file that changed on disk since it was opened is refused with a message.
bool save_in_place(FontModel& model, GuiServices& gui);

// True when Save in place can write the font back into its file: it came from a file of a form
// that saves in place.
bool can_save_in_place(const FontModel& model);

// Save: in place when the font can go back into its file, else as Save as.
bool save_font_command(FontModel& model, GuiServices& gui);

// Before a command replaces or ends a font with unsaved changes: asks "Save the changes to NAME?"
// with Save, Discard and Cancel. Without unsaved changes nobody is asked. The command goes on
// unless the answer is Cancelled, which a failed or cancelled save is too.
enum class Settled { NothingToSave, Saved, Discarded, Cancelled };
Settled settle_unsaved_changes(FontModel& model, GuiServices& gui, bool unsaved);

// New: asks for the size and the characters of a blank font (8 x 16, 95 from 32 at first) and
// makes it the open font, "Untitled" until saved. True when it was made.
bool new_font_command(FontModel& model, GuiServices& gui);

// What Open does once `path` was chosen: when the file holds several fonts, the one `font_choice`
// names (a number from 1, a name, "#N"), else the one the user chooses (cancelling changes
// nothing); the font is read and shown, then its warnings if it has any, or a message says why not
// and nothing changes. Returns true when the font was replaced.
bool open_font_path(FontModel& model, GuiServices& gui, const std::string& path, std::string_view font_choice = {});

// Makes a font that was read (or made) the open one exactly as a successful Open does: the window,
// zoom and canvas fit it, the list holds its characters, and its first glyph is being edited.
void show_new_font(FontModel& model, GuiServices& gui, FontReadResult& read);

// What a save does once `path` was chosen (the default extension already appended): the file is
// written, and a failure reported in a message box; after the save, the label says for a moment
// what was saved, the saved file becomes the font's file, and a message names what no display
// draws of the font.
bool save_font_path(FontModel& model, GuiServices& gui, const std::string& path, FontFormat format);

}  // namespace glyphwright

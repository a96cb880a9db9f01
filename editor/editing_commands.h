#pragma once

// Choosing the character to edit, and Copy. The commands that change the glyph being edited are
// steps of the edit session (editor/edit_session.h).

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Choice in CharacterList: makes the chosen row the glyph being edited and draws it. With no entry
// selected nothing changes.
void select_character(FontModel& model, GuiServices& gui);

// Page Up and Page Down: chooses the character `offset` places from the one being edited, as
// choosing it in the list would. Nothing happens beyond the first or the last character.
void select_adjacent_character(FontModel& model, GuiServices& gui, int offset);

// Copy: the glyph being edited goes to the glyph clipboard.
void copy_glyph(FontModel& model);

}  // namespace glyphwright

#pragma once

// Choosing the character to edit, and Copy. The commands that change the glyph being edited are
// steps of the edit session (editor/edit_session.h).

#include <string_view>

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Choice in CharacterList: makes the chosen row the glyph being edited and draws it. With no entry
// selected nothing changes.
void select_character(FontModel& model, GuiServices& gui);

// Page Up and Page Down: chooses the character `offset` places from the one being edited, as
// choosing it in the list would. Nothing happens beyond the first or the last character.
void select_adjacent_character(FontModel& model, GuiServices& gui, int offset);

// A character typed while the list has the focus: chooses the first character of the font that
// reads as it (through the font's code page), as choosing it in the list would; nothing when the
// font has none.
void select_typed_character(FontModel& model, GuiServices& gui, std::string_view typed);

// Copy: the glyph being edited goes to the glyph clipboard.
void copy_glyph(FontModel& model);

}  // namespace glyphwright

#pragma once

// Adding and removing characters as steps of the history, and the character list and info label
// that follow which characters the font has.

#include <string>

#include "editor/edit_session.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// The InfoLabel: «8x12      Chr$(32) to Chr$(126)» for a font of one run of codes within 0 to 255,
// else «16x16      1234 characters, U+0020 to U+FFFD».
std::string info_label_text(const FontModel& model);

// Fills the CharacterList with the font's characters, selects the one being edited and sets the
// InfoLabel.
void show_character_list(const FontModel& model, GuiServices& gui);

// Add character...: asks for a character or «U+XXXX» and adds a blank glyph for it in code order,
// as wide as most glyphs, which becomes the one edited; one step. A character the font has
// already is chosen instead, and said so. Cancel changes nothing.
GlyphChange add_character(FontModel& model, GuiServices& gui, EditSession& session);

// Remove character: after asking, removes the glyph being edited; the next one (or the last) is
// edited then; one step.
GlyphChange remove_character(FontModel& model, GuiServices& gui, EditSession& session);

// Code page...: asks how the font's codes 0 to 255 read as Unicode characters (a code page such as
// CP1251, empty for Latin-1), asking again after a name the system does not know; the list shows
// the characters accordingly. Cancel changes nothing. True when the code page changed.
bool choose_code_page(FontModel& model, GuiServices& gui);

// What Undo and Redo of those steps do: `glyph` put back into `row`, which is then edited, or the
// glyph of `row` taken out; the list follows.
GlyphChange put_back_character(FontModel& model, GuiServices& gui, int row, const Glyph& glyph);
GlyphChange take_out_character(FontModel& model, GuiServices& gui, int row);

}  // namespace glyphwright

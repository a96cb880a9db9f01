#pragma once

// The commands that change glyphs: flipping a pixel, choosing a character, Copy, Paste and Restore.
// Each works on the model and the GUI services it is given.

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Left click on the canvas: flips the pixel under the mouse and redraws that one cell.
void toggle_pixel(FontModel& model, GuiServices& gui);

// Choice in CharacterList: stores the glyph being edited into its row, then loads and draws the
// chosen one. With no entry selected nothing changes.
void select_character(FontModel& model, GuiServices& gui);

// Stores the glyph being edited into its row, then makes `row` the glyph being edited and loads it
// into the grid, without drawing: what choosing a character does to the model. `row` must be a row
// of the table.
void switch_glyph(FontModel& model, int row);

// Page Up and Page Down: chooses the character `offset` places from the one being edited, as
// choosing it in the list would. Nothing happens beyond the first or the last character.
void select_adjacent_character(FontModel& model, GuiServices& gui, int offset);

// Copy: the glyph being edited goes to the glyph clipboard.
void copy_glyph(FontModel& model);

// Paste: the glyph clipboard is decoded into the grid and drawn; the table changes only when the
// glyph is stored later.
void paste_glyph(FontModel& model, GuiServices& gui);

// Restore: reloads the glyph being edited from its row, undoing the edits since it was stored.
void restore_glyph(FontModel& model, GuiServices& gui);

}  // namespace glyphwright

#pragma once

// Editing that can be taken back: drawing strokes, the glyph operations, Paste and Restore as
// steps of the history, and Undo and Redo. Every command returns the glyph it changed, so that the
// caller can bring whatever follows the font up to date in one place.

#include "editor/edit_history.h"
#include "model/font_model.h"
#include "model/glyph_transforms.h"
#include "platform/gui_services.h"

namespace glyphwright {

// A drag with the left button: the pressed cell takes the opposite of its value and every cell
// the pointer crosses takes the same value.
struct Stroke {
    bool button_held = false;  // from the press to the release, even once the stroke has ended
    bool active = false;
    int value = 0;
    int last_x = 0;  // cell of the last pointer position; may lie outside the glyph
    int last_y = 0;
    GlyphGrid before;  // the glyph as the stroke found it
};

struct EditSession {
    EditHistory history;
    Stroke stroke;
};

// The FontTable row whose glyph a command changed; row -1 when nothing changed. A command that
// added or removed a character, or changed an advance, changed how the font's glyphs are laid
// out, in the character list or along a line.
struct GlyphChange {
    int row = -1;
    bool layout_changed = false;
    bool happened() const { return row >= 0 || layout_changed; }
};

// Left press on the canvas: starts a stroke at the mouse cell and draws that cell. A stroke still
// running is ended first. A press beside the glyph, or a canvas that cannot be drawn on, starts
// nothing.
GlyphChange begin_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse);

// Pointer move with the button held: every glyph cell on the straight line from the last pointer
// cell to this one takes the stroke's value; only cells that change are drawn.
GlyphChange continue_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse);

// Release inside the canvas (LeftClick): draws up to the release point and makes the stroke one
// step. A LeftClick that no press began is a press and a release on one cell.
GlyphChange end_stroke(FontModel& model, GuiServices& gui, EditSession& session, ScreenPoint mouse);

// Escape during a stroke: every cell the stroke changed is put back and redrawn; no step.
GlyphChange cancel_stroke(FontModel& model, GuiServices& gui, EditSession& session);

// Makes a running stroke a step where it stands; nothing when no stroke runs. The moves and the
// release of the button still held then draw nothing.
GlyphChange finish_stroke(FontModel& model, EditSession& session);

// The glyph operation on the glyph being edited, drawn at once, as one step.
GlyphChange run_operation(FontModel& model, GuiServices& gui, EditSession& session, GlyphOperation operation);

// Paste: the glyph clipboard into the glyph being edited, as one step. Restore: the glyph back
// to what it was when its character was chosen, as one step.
GlyphChange paste_step(FontModel& model, GuiServices& gui, EditSession& session);
GlyphChange restore_step(FontModel& model, GuiServices& gui, EditSession& session);

// `]` and `[`, Wider and Narrower: the advance of the glyph being edited grows or shrinks by
// `change` pixels, within 0 and the cell's width right of the origin, as one step; the advance
// guide moves.
GlyphChange change_advance(FontModel& model, GuiServices& gui, EditSession& session, int change);

// Puts the glyph of the last step back as it was before it (Undo), or applies the next step again
// (Redo). A step of another character first selects that character as the list would.
GlyphChange undo_edit(FontModel& model, GuiServices& gui, EditSession& session);
GlyphChange redo_edit(FontModel& model, GuiServices& gui, EditSession& session);

// The font was replaced: the history and any stroke are forgotten.
void forget_edits(EditSession& session);

}  // namespace glyphwright

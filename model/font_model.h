#pragma once

// The whole document state of the editor: the font, the pixels of the glyph being edited, the
// glyph clipboard, the zoom, and the file and font it came from.
//
// The font's table is the one truth about every glyph, the one being edited included: the grid is
// that glyph's pixels laid out for the canvas, and every change to it is stored into its row at
// once (store_edited_glyph), so that the overview, the history and the saves read the table alone.

#include <string>

#include "model/font.h"
#include "model/glyph_grid.h"
#include "text/text_file.h"

namespace glyphwright {

// The file and the font in it that the open font was read from, for Save in place. The path is
// empty when the font came from no file (nothing opened yet, a blank or an imported font).
struct FontSource {
    std::string path;
    int entry = -1;        // position of the font among the fonts of the file, from 0
    std::string name;      // the font's name there, for messages
    std::string form;      // the name of the file form it was read in ("c", "bas")
    FileStamp stamp;       // the file's size and time when it was read or last saved in place
    int fonts_in_file = 1;  // how many fonts the file holds
};

// What the user calls the open font: its name in its file (an array's name, "DefineFont #8"),
// else its file's name, else "Untitled".
std::string font_display_name(const FontSource& source);

struct FontModel : Font {
    GlyphGrid glyph_grid = GlyphGrid(32, 50);
    std::string glyph_clipboard;
    int zoom = 10;
    int current_index = 0;  // row of the glyph being edited; -1 while a font is being read
    // The glyph being edited as it was when it was chosen, for Restore.
    std::string glyph_as_chosen;
    FontSource source;
};

// A row the editor can store into and load from: any row of the table, so that choosing a
// character works the same before and after the header's count.
bool is_table_row(const FontModel& model, int row);

// Replaces the grid by a fresh all-clear grid for the header's width and height.
void reset_glyph_grid(FontModel& model);

// Makes table row `row` the glyph being edited: the grid holds its pixels, and Restore goes back
// to them. `row` must be a table row.
void choose_glyph(FontModel& model, int row);

// Stores the grid into the row of the glyph being edited; every command that changes the grid
// calls it. Nothing when no table row is being edited.
void store_edited_glyph(FontModel& model);

// Makes a font that was read or made the open one: the table gets the editor's spare rows, the
// grid is fresh for the font's cell and holds row 0, which is the glyph being edited. The font
// has no source file until the caller sets one.
void adopt_font(FontModel& model, Font font);

}  // namespace glyphwright

#pragma once

// The whole document state of the editor: the font, the pixels of the glyph being edited, the
// glyph clipboard, the zoom, and the file and font it came from.

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
};

struct FontModel : Font {
    GlyphGrid glyph_grid = GlyphGrid(32, 50);
    std::string glyph_clipboard;
    int zoom = 10;
    int current_index = 0;  // row of the glyph being edited; -1 while a font is being read
    FontSource source;
};

// A row the editor can store into and load from: any row of the table, so that choosing a
// character works the same before and after the header's count.
bool is_table_row(const FontModel& model, int row);

// Replaces the grid by a fresh all-clear grid for the header's width and height.
void reset_glyph_grid(FontModel& model);

// Encodes the grid into row `row` of the table; `row` must be 0 to kFontTableRows - 1.
void store_glyph(FontModel& model, int row);

// Decodes row `row` of the table into the grid; `row` must be 0 to kFontTableRows - 1.
void load_glyph(FontModel& model, int row);

}  // namespace glyphwright

#pragma once

// The File menu's "Import font...": a font file of any kind FreeType reads becomes the open font,
// made to the size and characters the user chooses in a small dialog.

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

// Asks for the font file, then for size, first code, count, first code point and cell in one
// dialog prefilled from the font; the result becomes the open font as after Open. A refusal is
// shown and the dialog asked again with what the user typed; the open font stays until a font
// is made. Warnings (missing or cut-off characters) are shown once the font is open. Returns true
// when the font was replaced.
bool import_font_command(FontModel& model, GuiServices& gui);

// Open of a bitmap font FreeType reads (BDF, PCF, OTB, FNT) with one size: every character it
// has becomes the open font, each by its code point, as Import makes them; warnings are shown once
// it is open. False, changing nothing and saying nothing, for a file that is no such font.
bool open_bitmap_font(FontModel& model, GuiServices& gui, const std::string& path);

}  // namespace glyphwright

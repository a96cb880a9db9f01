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

}  // namespace glyphwright

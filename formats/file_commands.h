#pragma once

// The File menu's Open, Save as C and Save as BAS: they ask for a path, choose the format by the
// path's extension, and report any failure in a message box without losing the open font.

#include <string>

#include "formats/font_document.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

void open_font(FontModel& model, GuiServices& gui);
void save_as_c(FontModel& model, GuiServices& gui);
void save_as_bas(FontModel& model, GuiServices& gui);

// What Open does once `path` was chosen: the font is read and shown, or a message says why not
// and nothing changes.
void open_font_path(FontModel& model, GuiServices& gui, const std::string& path);

// What a save does once `path` was chosen (the default extension already appended): the glyph
// being edited is stored, the file written, and a failure reported in a message box.
void save_font_path(FontModel& model, GuiServices& gui, const std::string& path, FontFormat format);

}  // namespace glyphwright

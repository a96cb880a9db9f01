#pragma once

// The File menu's Open, Save as C and Save as BAS: they ask for a path, choose the format by the
// path's extension, and report any failure in a message box without losing the open font.

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

void open_font(FontModel& model, GuiServices& gui);
void save_as_c(FontModel& model, GuiServices& gui);
void save_as_bas(FontModel& model, GuiServices& gui);

}  // namespace glyphwright

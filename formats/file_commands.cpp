#include "formats/file_commands.h"

namespace glyphwright {

void open_font(FontModel&, GuiServices&) {}

void save_as_c(FontModel&, GuiServices&) {}

void save_as_bas(FontModel&, GuiServices&) {}

}  // namespace glyphwright

#pragma once

// A picture of every glyph of a font in a grid, each labelled with its character code.

#include <QImage>

#include "model/font_model.h"

namespace glyphwright {

// Glyphs are scaled up to at least 16 screen pixels in their larger dimension, 16 to a row.
QImage render_font_preview(const FontModel& font);

}  // namespace glyphwright

#pragma once

// A picture of every glyph of a font in a grid, each labelled with its character code, and, when
// asked, a sample text under it drawn with the font at 1:1 and at 2:1.

#include <string_view>

#include "app/convert/picture.h"
#include "model/font.h"

namespace glyphwright {

// Glyphs are scaled up to at least 16 screen pixels in their larger dimension, 16 to a row. The
// sample text is drawn glyph cell after glyph cell, as the display draws it; characters outside
// the font are empty cells. An empty text draws no sample.
Picture render_font_preview(const Font& font, std::string_view sample_text = {});

}  // namespace glyphwright

#pragma once

// The C and DefineFont forms hold a font of one cell: a run of at most 255 codes from a first
// code, every glyph as wide as the cell, whole bytes a glyph. A font of the model that is more
// than that (codes with gaps, its own advance for each glyph, pixels left of the origin, a cell
// that is not whole bytes) is fitted to such a cell when it is saved in these forms.

#include <string>
#include <string_view>
#include <vector>

#include "model/font.h"

namespace glyphwright {

// True when the font is such a font already, and is written exactly as it is.
bool fits_fixed_form(const Font& font);

// Why the font cannot be held by the form titled `form_title`, or the empty text: a code past 255,
// or codes spanning more than 255. Fonts that fit as they are never refused.
std::string fixed_form_refusal(const Font& font, std::string_view form_title);

// What fitting changes, one sentence each: advances that are not kept, pixels cut off, the cell
// widened to whole bytes. Empty when the font fits as it is.
std::vector<std::string> fixed_form_notes(const Font& font);

// The header of the font fitted to one cell, as fixed_form_of gives it, without fitting a glyph.
FontHeader fixed_form_header(const Font& font);

// The font fitted to one cell: codes from the lowest to the highest, gaps blank; the cell as wide
// as the widest advance (widened until every glyph is whole bytes) and as high as the font's; each
// glyph's origin at the cell's left edge. The font must not be refused.
Font fixed_form_of(const Font& font);

}  // namespace glyphwright

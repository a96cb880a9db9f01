#pragma once

// Fonts that are made rather than read: blank fonts of any size that both file forms hold, and
// the notes an imported font keeps in its header text.

#include <optional>
#include <string>
#include <string_view>

#include "formats/font_file.h"

namespace glyphwright {

// The header-text note of an imported font that gives its ascent: the baseline lies that many
// rows below the top of the cell. Written as "// " + kAscentNote + N + " pixels".
inline constexpr std::string_view kAscentNote = "Ascent       : ";

// The ascent a header text notes, or none when it has no such note.
std::optional<int> noted_ascent(std::string_view header_text);

// Why `first_code` and `char_count` cannot start a font (each must be 0 to 255), or the empty text.
std::string range_problem(int first_code, int char_count);

// A font of `header`'s size and characters, every glyph clear, with its header bytes; or a message
// when the size or the range cannot be held by both file forms.
FontReadResult make_blank_font(const FontHeader& header);

// The same without those checks: a cell of any size and any count of characters from first_char.
Font blank_font_of(const FontHeader& header);

}  // namespace glyphwright

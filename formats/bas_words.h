#pragma once

// The data lines of a DefineFont block: the header word and the glyph words, eight words a line.

#include <string>
#include <string_view>

#include "model/font.h"

namespace glyphwright {

// Appends the font's words to `out`: the header word (rebuilt from header_bytes_text, the
// digits' letter case kept where they still give the header's values) and exactly B bytes for each
// of rows 0 to char_count - 1 (missing bytes as 00), padded only at the end to a whole word. The
// first line holds the header word and seven glyph words, every further line eight; each line
// begins with `indent`, its words are separated by one blank, and it ends in `line_end`.
void append_font_words(std::string& out, const Font& font, std::string_view indent, std::string_view line_end);

}  // namespace glyphwright

#pragma once

// What a font reader gives back: a fresh font, or a message that names the problem and its line.

#include <string>
#include <vector>

#include "model/font_model.h"

namespace glyphwright {

struct FontReadResult {
    bool ok = false;
    std::string message;                // when !ok: the problem and its line, for a message box
    FontModel font;                     // the header, header texts and glyph table read
    std::vector<std::string> labels;    // one character_label per glyph, in row order
    std::vector<std::string> warnings;  // data that does not match the header, with line numbers
};

// The text of one CharacterList entry: "Chr$(" + code + ")  " + the character of the code's low
// 8 bits (nothing when they are 0).
std::string character_label(int code);

}  // namespace glyphwright

#pragma once

// What a font reader gives back: a fresh font, or a message that names the problem and its line.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/font.h"

namespace glyphwright {

struct FontReadResult {
    bool ok = false;
    std::string message;                // when !ok: the problem and its line, for a message box
    Font font;                     // the header, header texts and glyph table read
    std::vector<std::string> warnings;  // data that does not match the header, with line numbers
};

// A failed read that gives `message` as its reason.
FontReadResult refused(std::string message);

// Choices a reader takes besides the text: the converter's options of the forms that have them.
struct ReadOptions {
    // Forms of grey pixels (smooth fonts, LVGL fonts of 2 to 8 bits a pixel): a pixel of this
    // coverage (0 to 255) or more is set. None: smooth fonts take 128, LVGL fonts of grey are refused.
    std::optional<int> threshold;
    // glcd arrays: the columns a glyph, where the array's length leaves more than one answer.
    std::optional<int> columns;
};

// One font found inside a C or BASIC source, and where its text lies (byte offsets).
struct FontEntry {
    std::string name;               // C: the array's name; BASIC: "#" and the block's number
    FontHeader header;
    std::size_t leading_begin = 0;  // the lines before the font that belong to it begin here
    std::size_t begin = 0;          // the line of the array declaration or of the DefineFont statement
    std::size_t data_begin = 0;     // C: the header line; BASIC: the line after the DefineFont line
    std::size_t data_end = 0;       // C: the closing "}"; BASIC: the end line, or data_begin when the block
                                    // ends on its DefineFont line; the text's size when missing
    std::size_t end = 0;            // past the closing line or end line and its line end
    bool whole_data_lines = true;   // BASIC: no word shares a line with DefineFont or End DefineFont
    bool guessed = false;           // C: a plain byte array taken for a font by its header and length
};

// Every font of a text, in file order; when there is none, why the nearest line that looked like
// one is not, as "line N: " and the reason.
struct FontScan {
    std::vector<FontEntry> entries;
    std::string refusal;
};

// The text of one CharacterList entry: for codes 0 to 255 "Chr$(" + code + ")  " + the character
// of the code's low 8 bits (nothing when they are 0); above, "U+" + its hexadecimal digits + "  " +
// the character in UTF-8 («U+0416  Ж»).
std::string character_label(char32_t code_point);

// One character_label per glyph of the font, in row order; codes 0 to 255 of a font with a code
// page show that page's character.
std::vector<std::string> character_labels(const Font& font);

}  // namespace glyphwright

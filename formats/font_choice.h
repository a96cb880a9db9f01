#pragma once

// Choosing one font of a source with several, as the converter's --font and --format options do,
// and putting a font from one file into a font of another.

#include <optional>
#include <string>
#include <vector>

#include "formats/font_in_place.h"

namespace glyphwright {

struct FontChoice {
    std::optional<FontFormat> format;  // the form files are read in, whatever their extension
    std::string font;                  // empty for the first font; else as find_font_entry takes it
    std::string code_page;             // how the font's codes 0 to 255 read as Unicode; empty: as read
    ReadOptions read_options;          // the reader's options (--threshold)
};

// The chosen font of the file at `path`, with the code page of the choice when it names one, or a
// failed result whose message names the file.
FontReadResult read_chosen_font(const std::string& path, const FontChoice& choice);

// One line per font of a scanned file: "N: " + font_entry_description + " (FORM, lines A to B)", FORM
// being the name of the form it was found in.
std::vector<std::string> font_listing(const ScannedFontFile& file);

struct PutInPlaceResult {
    bool ok = false;
    std::string message;                // when !ok: why, naming the file
    std::vector<std::string> warnings;  // of the font read, and what no display draws of it there
};

// Reads the first font of `font_file` (in the form of its extension, else `choice.format`) and
// saves it in place into the font of `target` that `choice.font` names (read in `choice.format`,
// else by its extension).
PutInPlaceResult put_font_in_place(const std::string& font_file, const std::string& target, const FontChoice& choice);

}  // namespace glyphwright

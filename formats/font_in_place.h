#pragma once

// Saving a font back into the file it lives in: only the font's own lines change, every other byte
// of the file (other fonts, code, comments, line ends) stays as it is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "formats/font_document.h"

namespace glyphwright {

// `text` with `font` written into `entry` (found by the scan of `format` in `text`).
// C: the array line keeps everything but a number between its brackets, which becomes the new
// size; the header line and one line per glyph with its comment follow, indented as the first
// glyph line was; the closing line is kept. BASIC: the DefineFont and end lines are kept, the data
// lines between them are the words as Save as BAS lays them out, indented as the first data line
// was. Written lines end as the font's own lines did. Refuses a block whose words share a line
// with DefineFont or End DefineFont, whose lines cannot be rewritten alone.
InPlaceText text_with_font_in_place(std::string_view text, FontFormat format, const FontEntry& entry, const Font& font);

// The same for each form, as the registry of forms offers them.
InPlaceText c_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);
InPlaceText bas_font_in_place(std::string_view text, const FontEntry& entry, const Font& font);

// Where a font is saved in place: font `entry` (from 0) of the file at `path`, read in `format`.
// When `name` is not empty the entry must still carry it; when `stamp` is given the file must
// still have that size and time.
struct InPlaceTarget {
    std::string path;
    FontFormat format = FontFormat::C;
    std::size_t entry = 0;
    std::string name;
    std::optional<FileStamp> stamp;
};

struct InPlaceResult {
    bool ok = false;
    std::string error;  // a sentence for a message box when !ok; nothing was written then
    FileStamp stamp;    // the file's after the save
};

// Replaces the file atomically with `font` written into its entry. Refuses, writing nothing, when
// the file cannot be read, changed since `stamp`, no longer holds the entry, or cannot be written.
InPlaceResult save_font_in_place(const Font& font, const InPlaceTarget& target);

}  // namespace glyphwright

#pragma once

// The import and new-font settings as the user types them, on the command line or in a dialog.

#include <optional>
#include <string_view>

#include "import/font_import.h"

namespace glyphwright {

// A whole decimal number from `minimum` to `maximum`, or "0x" and hexadecimal digits; none for
// anything else, blanks included.
std::optional<int> parse_number(std::string_view text, int minimum, int maximum);

// A cell written «WxH» (either case of x), each 1 to 255; none otherwise. Whether the size can
// be held is for the importer to say.
std::optional<CellSize> parse_cell_size(std::string_view text);

}  // namespace glyphwright

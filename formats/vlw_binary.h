#pragma once

// The smooth-font reader and in-place writer over the bytes of one .vlw file, whether the file is
// the font or a C array holds its bytes. Shared by the vlw units only.

#include <string_view>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

// The font of the bytes, as one entry spanning them, or why they are none.
FontScan scan_vlw_binary(std::string_view bytes);

FontReadResult read_vlw_binary(std::string_view bytes, const ReadOptions& options);

// The bytes with the font written over them (see vlw_font_in_place).
InPlaceText vlw_binary_in_place(std::string_view bytes, const Font& font);

}  // namespace glyphwright

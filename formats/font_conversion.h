#pragma once

// Conversion and checking of font files outside the editor. A conversion is exactly what opening
// the file in the editor and saving it at once writes: the same reading, adopting and saving.

#include <string>
#include <vector>

#include "formats/font_choice.h"

namespace glyphwright {

struct ConversionResult {
    bool ok = false;
    std::string message;                // when !ok: why, naming the file
    std::vector<std::string> warnings;  // when ok: of the font read, then what no display draws of it as saved
};

// Reads the font of `input` that `choice` names (the first, in the form of its extension, by
// default) and writes it to `output` in `format`, atomically.
ConversionResult convert_font_file(const std::string& input, const std::string& output, FontFormat format,
                                   const FontChoice& choice = {}, const WriteOptions& options = {});

// The output path for `input` in `folder`: its file name with the extension of `format`
// («fonts/Big.c» to «out/Big.bas»).
std::string output_path_in_folder(const std::string& input, const std::string& folder, FontFormat format);

// What --check prints for a font that was read: size, character range, glyph count, memory usage,
// then one line per warning, each beginning with the file's path.
std::vector<std::string> check_report(const std::string& path, const FontReadResult& read);

}  // namespace glyphwright

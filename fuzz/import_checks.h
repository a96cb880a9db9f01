#pragma once

// The property the importer's fuzz target checks, shared with the test that replays the inputs it
// once failed on. Returns an empty string when the property holds, otherwise what went wrong.

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/bdf_font.h"
#include "fuzz/font_checks.h"
#include "import/font_import.h"
#include "model/glyph_codec.h"

namespace glyphwright::fuzzing {

// The options a fuzz input asks for with its last three bytes: a pixel size (0: the only strike),
// flags (grey rendering, centring, all 255 codes from 0, a given cell of 8 x 8), and the first of
// eight codes. Eight characters reach what 95 reach, many times faster.
inline ImportOptions import_options_of(std::uint8_t size, std::uint8_t flags, std::uint8_t first_code)
{
    ImportOptions options;
    options.pixel_size = size;
    options.first_code = first_code;
    options.char_count = 8;
    if (flags & 1)
        options.rendering = Rendering::Grey;
    if (flags & 2)
        options.placement = Placement::Centred;
    if (flags & 4) {
        options.first_code = 0;
        options.char_count = 255;
    }
    if (flags & 8)
        options.cell = CellSize{8, 8};
    return options;
}

// Any bytes, then a size byte, a flags byte and a code byte: an import gives a font of valid geometry whose
// every glyph is whole, or a message; a font that imports survives BDF and importing again.
inline std::string check_import(std::string_view input)
{
    if (input.size() < 3)
        return {};
    const std::size_t end = input.size() - 3;
    const ImportOptions options = import_options_of(static_cast<std::uint8_t>(input[end]),
                                                    static_cast<std::uint8_t>(input[end + 1]),
                                                    static_cast<std::uint8_t>(input[end + 2]));
    FontReadResult imported = import_font_data(input.substr(0, end), "fuzz.ttf", options);
    if (std::string problem = read_problem(imported); !problem.empty())
        return problem;
    if (!imported.ok)
        return {};
    const FontHeader& header = imported.font.header;
    if (header.first_char != options.first_code || header.char_count != options.char_count)
        return "the imported font has other characters than asked";
    const std::size_t glyph_text = static_cast<std::size_t>(glyph_byte_count(header.glyph_width, header.glyph_height)) * 5;
    for (int row = 0; row < header.char_count; ++row) {
        if (imported.font.font_table[static_cast<std::size_t>(row)].glyph_data.size() != glyph_text)
            return "the glyph of row " + to_decimal(row) + " is not whole";
    }
    if (memory_usage(header) > kLargestRoundTripBytes)
        return {};
    ImportOptions again;
    again.first_code = header.first_char;
    again.char_count = header.char_count;
    FontReadResult from_bdf = import_font_data(write_bdf_font(imported.font, "fuzz.bdf"), "fuzz.bdf", again);
    if (!from_bdf.ok)
        return "the written BDF font is refused: " + from_bdf.message;
    if (!(from_bdf.font.header == header))
        return "through BDF, the header changed";
    for (int row = 0; row < header.char_count; ++row) {
        if (from_bdf.font.font_table[static_cast<std::size_t>(row)].glyph_data
            != imported.font.font_table[static_cast<std::size_t>(row)].glyph_data)
            return "through BDF, the glyph of row " + to_decimal(row) + " changed";
    }
    return {};
}

}  // namespace glyphwright::fuzzing

#pragma once

// The property the importer's fuzz target checks, shared with the test that replays the inputs it
// once failed on. Returns an empty string when the property holds, otherwise what went wrong.

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/bdf_font.h"
#include "fuzz/font_checks.h"
#include "import/font_import.h"
#include "model/font.h"
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

// Each glyph as the set pixels around its origin on the baseline (x right of the origin, y below
// the baseline), with its advance: what a font draws, wherever its cell lies.
inline std::vector<std::string> drawn_glyphs(const Font& font)
{
    std::vector<std::string> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        decode_glyph(glyph.glyph_data, grid);
        std::string drawn = to_decimal(glyph.code_point) + " advance " + to_decimal(glyph.advance) + ":";
        for (int y = 0; y < grid.glyph_height(); ++y) {
            for (int x = 0; x < grid.glyph_width(); ++x) {
                if (!grid.at(x, y))
                    continue;
                drawn += ' ';
                drawn += to_decimal(x - font.origin_x);
                drawn += ',';
                drawn += to_decimal(y - font.ascent);
            }
        }
        glyphs.push_back(drawn);
    }
    return glyphs;
}

// Any bytes, then a size byte, a flags byte and a code byte: an import gives a font of valid geometry whose
// every glyph is whole, or a message; a font that imports survives BDF and importing again with
// every glyph drawn as it was.
inline std::string check_import(std::string_view input)
{
    if (input.size() < 3)
        return {};
    const std::size_t end = input.size() - 3;
    const ImportOptions options = import_options_of(static_cast<std::uint8_t>(input[end]),
                                                    static_cast<std::uint8_t>(input[end + 1]),
                                                    static_cast<std::uint8_t>(input[end + 2]));
    FontReadResult imported = import_font_data(input.substr(0, end), "fuzz.ttf", options);
    if (std::string problem = read_problem(imported, CellRule::AnySize); !problem.empty())
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
    if (from_bdf.font.header.first_char != header.first_char || from_bdf.font.header.char_count != header.char_count)
        return "through BDF, the characters changed";
    const std::vector<std::string> before = drawn_glyphs(imported.font);
    const std::vector<std::string> after = drawn_glyphs(from_bdf.font);
    for (std::size_t row = 0; row < before.size(); ++row) {
        if (row >= after.size() || after[row] != before[row])
            return "through BDF, the glyph of row " + to_decimal(static_cast<std::int64_t>(row)) + " changed";
    }
    return {};
}

}  // namespace glyphwright::fuzzing

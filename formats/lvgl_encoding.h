#pragma once

// A glyph of an LVGL font as its descriptor and bytes, and the bytes written as the converter
// writes them. Shared by the lvgl writer and its save in place only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/lvgl_source.h"
#include "model/font.h"
#include "model/glyph_grid.h"

namespace glyphwright::lvgl {

struct Encoded {
    std::array<std::int64_t, kGlyphFields> fields = {};
    std::vector<std::int64_t> bytes;
};

// The glyph of table row `row` in its tight box: adv_w in 1/16 pixel, ofs_y the box bottom's rows
// above the baseline, rows of bytes rounded up to `stride` when it is not 0, else unpadded.
Encoded encode_row(const Font& font, int row, GlyphGrid& grid, std::int64_t stride = 0);

// True when a field of the glyph's descriptor passes what LVGL's small descriptors hold (adv_w
// 4095, offsets -128 to 127); the bitmap's size is the writer's to check.
bool needs_large_descriptor(const Encoded& glyph);

// «0x3c» as the converter writes a byte.
std::string hex(std::int64_t value);

// «0x3d0» as the converter writes a code's offset in a list: no leading zeros.
std::string hex_number(std::int64_t value);

// The values 8 a line, each line indented four spaces and ending in a line feed.
enum class Written { Bytes, Offsets, Decimal };
std::string number_lines(const std::vector<std::int64_t>& values, Written written);

}  // namespace glyphwright::lvgl

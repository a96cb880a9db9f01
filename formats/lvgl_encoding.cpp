#include "formats/lvgl_encoding.h"

#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright::lvgl {

std::string hex(std::int64_t value)
{
    return std::string("0x") + "0123456789abcdef"[(value >> 4) & 0xF] + "0123456789abcdef"[value & 0xF];
}

// The glyph of table row `row` in its tight box, rows of `stride`-rounded bytes or unpadded.
Encoded encode_row(const Font& font, int row, GlyphGrid& grid, std::int64_t stride)
{
    Encoded encoded;
    const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
    decode_glyph(glyph.glyph_data, grid);
    encoded.fields[lvgl::kAdvance] = std::int64_t{glyph.advance} * 16;
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[lvgl::kBoxWidth] = ink.width;
    encoded.fields[lvgl::kBoxHeight] = ink.height;
    encoded.fields[lvgl::kOffsetX] = ink.x - font.origin_x;
    encoded.fields[lvgl::kOffsetY] = font.ascent - ink.y - ink.height;
    const std::int64_t row_bits = stride > 0 ? ((ink.width + 7) / 8 + stride - 1) / stride * stride * 8 : ink.width;
    encoded.bytes.assign(static_cast<std::size_t>((row_bits * ink.height + 7) / 8), 0);
    for (int r = 0; r < ink.height; ++r)
        for (int c = 0; c < ink.width; ++c)
            if (grid.at(ink.x + c, ink.y + r) == 1) {
                const std::int64_t bit = r * row_bits + c;
                encoded.bytes[static_cast<std::size_t>(bit / 8)] |= 0x80 >> (bit % 8);
            }
    return encoded;
}

bool needs_large_descriptor(const Encoded& glyph)
{
    const auto& f = glyph.fields;
    return f[kAdvance] > 4095 || f[kOffsetX] < -128 || f[kOffsetX] > 127 || f[kOffsetY] < -128 || f[kOffsetY] > 127;
}

std::string hex_number(std::int64_t value)
{
    std::string digits;
    for (std::int64_t rest = value; rest > 0 || digits.empty(); rest >>= 4)
        digits.insert(digits.begin(), "0123456789abcdef"[rest & 0xF]);
    return "0x" + digits;
}

std::string number_lines(const std::vector<std::int64_t>& values, Written written)
{
    std::string out;
    for (std::size_t at = 0; at < values.size(); ++at) {
        out += (at % 8 == 0 ? "    " : " ") + (written == Written::Bytes ? hex(values[at]) : written == Written::Offsets ? hex_number(values[at]) : to_decimal(values[at])) + (at + 1 < values.size() ? "," : "");
        if (at % 8 == 7 || at + 1 == values.size())
            out += "\n";
    }
    return out;
}

}  // namespace glyphwright::lvgl

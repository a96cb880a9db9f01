#include "formats/gfx_encoding.h"

#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright::gfx {

namespace {

constexpr int kBytesPerLine = 12;

// The glyph rows of the font by code: the run from the first code to the last, -1 for a code
// the font has no glyph of.
std::vector<int> rows_by_code(const Font& font)
{
    const int rows = glyph_count(font);
    if (rows == 0)
        return {};
    const char32_t first = font.font_table.front().code_point;
    const char32_t last = font.font_table[static_cast<std::size_t>(rows - 1)].code_point;
    std::vector<int> by_code(static_cast<std::size_t>(last - first + 1), -1);
    for (int row = 0; row < rows; ++row)
        by_code[font.font_table[static_cast<std::size_t>(row)].code_point - first] = row;
    return by_code;
}

// Packs the pixels of `area` of the grid, row after row, most significant bit first.
std::vector<std::uint8_t> packed(const GlyphGrid& grid, const PixelArea& area)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((area.width * area.height + 7) / 8), 0);
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c)
            if (grid.at(area.x + c, area.y + r) == 1) {
                const int bit = r * area.width + c;
                bytes[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
            }
    return bytes;
}

}  // namespace

// The glyph of table row `row` (none: a code without a glyph) with its tight box.
Encoded encode_glyph_row(const Font& font, int row, GlyphGrid& grid)
{
    Encoded encoded;
    if (row < 0)
        return encoded;
    const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
    decode_glyph(glyph.glyph_data, grid);
    encoded.fields[gfx::kAdvance] = glyph.advance;
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[gfx::kWidth] = ink.width;
    encoded.fields[gfx::kHeight] = ink.height;
    encoded.fields[gfx::kXOffset] = ink.x - font.origin_x;
    encoded.fields[gfx::kYOffset] = ink.y - (font.ascent - 1);
    encoded.bytes = packed(grid, ink);
    return encoded;
}

namespace {

// A record of the source with its bytes, made tight, to compare with a glyph encoded anew.
Encoded tight_of(const GfxSource& source, const SourceRecord& record)
{
    Encoded encoded;
    encoded.fields[gfx::kAdvance] = static_cast<int>(record.fields[gfx::kAdvance].value);
    const int width = static_cast<int>(record.fields[gfx::kWidth].value);
    const int height = static_cast<int>(record.fields[gfx::kHeight].value);
    if (!record.complete || width <= 0 || height <= 0 || width > 255 || height > 255)
        return encoded;
    GlyphGrid grid(width, height);
    const std::int64_t offset = record.fields[gfx::kOffset].value;
    for (int bit = 0; bit < width * height; ++bit) {
        const std::int64_t at = offset * 8 + bit;
        const std::size_t byte = static_cast<std::size_t>(at / 8);
        if (at >= 0 && byte < source.bytes.size() && (source.bytes[byte].value & (0x80 >> (at % 8))) != 0)
            grid.set(bit % width, bit / width, true);
    }
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[gfx::kWidth] = ink.width;
    encoded.fields[gfx::kHeight] = ink.height;
    encoded.fields[gfx::kXOffset] = static_cast<int>(record.fields[gfx::kXOffset].value) + ink.x;
    encoded.fields[gfx::kYOffset] = static_cast<int>(record.fields[gfx::kYOffset].value) + ink.y;
    encoded.bytes = packed(grid, ink);
    return encoded;
}

// The record and bytes as the source has them.
Encoded as_written(const GfxSource& source, const SourceRecord& record)
{
    Encoded encoded;
    for (int field = 0; field < gfx::kRecordFields; ++field)
        encoded.fields[static_cast<std::size_t>(field)] = static_cast<int>(record.fields[static_cast<std::size_t>(field)].value);
    const std::int64_t size = (record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8;
    for (std::int64_t at = 0; at < size; ++at) {
        const std::int64_t byte = record.fields[gfx::kOffset].value + at;
        encoded.bytes.push_back(byte >= 0 && byte < static_cast<std::int64_t>(source.bytes.size())
                                    ? static_cast<std::uint8_t>(source.bytes[static_cast<std::size_t>(byte)].value & 0xFF)
                                    : 0);
    }
    return encoded;
}

}  // namespace

// Every glyph of the font by code, and the running offsets. With a source, a glyph that draws
// as its record there does keeps that record and its bytes.
std::vector<Encoded> encode_font(const Font& font, const GfxSource* source)
{
    const std::vector<int> by_code = rows_by_code(font);
    std::vector<Encoded> glyphs;
    glyphs.reserve(by_code.size());
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    const std::int64_t first = by_code.empty() ? 0 : static_cast<std::int64_t>(font.font_table.front().code_point);
    int offset = 0;
    for (std::size_t index = 0; index < by_code.size(); ++index) {
        Encoded encoded = encode_glyph_row(font, by_code[index], grid);
        if (source != nullptr) {
            const std::int64_t old_index = first + static_cast<std::int64_t>(index) - source->first.value;
            if (old_index >= 0 && old_index < static_cast<std::int64_t>(source->records.size())) {
                const SourceRecord& record = source->records[static_cast<std::size_t>(old_index)];
                if (record.complete && tight_of(*source, record) == encoded) {
                    encoded = as_written(*source, record);
                    encoded.kept = true;
                }
            }
        }
        encoded.fields[gfx::kOffset] = offset;
        offset += static_cast<int>(encoded.bytes.size());
        glyphs.push_back(std::move(encoded));
    }
    return glyphs;
}

namespace {

std::string hex_byte(int value, bool lower = false)
{
    static constexpr char kUpper[] = "0123456789ABCDEF";
    static constexpr char kLower[] = "0123456789abcdef";
    const char* digits = lower ? kLower : kUpper;
    return {'0', 'x', digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

std::string padded(int value, std::size_t width)
{
    std::string text = to_decimal(value);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

}  // namespace

std::string code_comment(std::int64_t code)
{
    std::string comment = code <= 0xFF ? hex_byte(static_cast<int>(code)) : "0x" + code_point_text(static_cast<char32_t>(code)).substr(2);
    if (code >= 0x20 && code < 0x7F)
        comment += std::string(" '") + static_cast<char>(code) + "'";
    return comment;
}

namespace {

std::string record_text(const Encoded& glyph)
{
    const auto& f = glyph.fields;
    return "{ " + padded(f[0], 5) + ", " + padded(f[1], 3) + ", " + padded(f[2], 3) + ", " + padded(f[3], 3) + ", "
         + padded(f[4], 4) + ", " + padded(f[5], 4) + " }";
}

}  // namespace

// The bitmap's bytes as fontconvert lays them out, from the line after "{" to before "}".
std::string bitmap_body(const std::vector<Encoded>& glyphs)
{
    std::string body;
    int in_line = 0;
    bool any = false;
    for (const Encoded& glyph : glyphs)
        for (std::uint8_t byte : glyph.bytes) {
            body += any ? (in_line == 0 ? ",\n  " : ", ") : "\n  ";
            body += hex_byte(byte);
            any = true;
            in_line = (in_line + 1) % kBytesPerLine;
        }
    // C has no empty initialiser: a font of blank glyphs keeps one byte.
    return any ? body + " " : "\n  0x00 ";
}

std::string records_body(const std::vector<Encoded>& glyphs, std::int64_t first)
{
    std::string body = "\n";
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const bool last = index + 1 == glyphs.size();
        body += "  " + record_text(glyphs[index]) + (last ? " " : ",   // " + code_comment(first + static_cast<std::int64_t>(index)) + "\n");
    }
    return body;
}

std::string code_text(std::int64_t code) { return code <= 0xFF ? hex_byte(static_cast<int>(code)) : "0x" + code_point_text(static_cast<char32_t>(code)).substr(2); }

int line_height_of(const Font& font) { return font.line_height > 0 ? font.line_height : font.ascent + font.descent; }
}  // namespace glyphwright::gfx

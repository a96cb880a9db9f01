#include "formats/font_to_py_module.h"

#include <algorithm>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright::font_to_py {

std::size_t record_size(int width, int height, bool hmap)
{
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    return 2 + (hmap ? (w + 7) / 8 * h : (h + 7) / 8 * w);
}

int u16_at(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void put_u16(std::string& bytes, std::size_t at, std::int64_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

std::optional<Layout> layout_of(std::string_view text, std::string& problem)
{
    Layout layout;
    layout.module = python_module(text);
    const PythonModule& m = layout.module;
    layout.font = m.bytes("_font");
    const PythonBytes* index = m.bytes("_index");
    const PythonBytes* sparse_index = m.bytes("_sparse");
    const std::optional<std::int64_t> height = m.integer("height");
    if (layout.font == nullptr || !height || (index == nullptr && sparse_index == nullptr)) {
        if (layout.font != nullptr || height)
            problem = "a font module needs a height() and the byte strings _font and _index or _sparse, and this one lacks "
                    + std::string(!height ? "height()" : layout.font == nullptr ? "_font" : "_index and _sparse");
        return std::nullopt;
    }
    const std::size_t line = line_number_at(text, layout.font->line_begin);
    if (*height < 1 || *height > 255) {
        problem = at_line(line, "the font's height() is " + to_decimal(*height) + "; Glyphwright edits glyphs of 1 to 255 rows");
        return std::nullopt;
    }
    layout.height = static_cast<int>(*height);
    if (const std::optional<std::int64_t> baseline = m.integer("baseline"))
        layout.baseline = static_cast<int>(std::clamp<std::int64_t>(*baseline, 0, *height));
    layout.hmap = m.integer("hmap").value_or(1) != 0;
    layout.reverse = m.integer("reverse").value_or(0) != 0;
    const std::string_view code = text.substr(std::max(layout.font->end, (index ? index : sparse_index)->end));
    if (sparse_index != nullptr && index == nullptr) {
        layout.index = sparse_index;
        layout.kind = code.find("<< 3") != std::string_view::npos ? IndexKind::SparseEights : IndexKind::SparseBytes;
    } else {
        layout.index = index;
        layout.kind = code.find("idx_offs = 4 *") != std::string_view::npos ? IndexKind::Pairs
                    : code.find("_chr_addr") != std::string_view::npos && code.find("else ord('?')") != std::string_view::npos
                        ? IndexKind::StartsFromCode
                        : IndexKind::Starts;
        const std::optional<std::int64_t> min_ch = m.integer("min_ch");
        const std::optional<std::int64_t> max_ch = m.integer("max_ch");
        layout.min_ch = static_cast<int>(min_ch.value_or(32));
        layout.max_ch = static_cast<int>(max_ch.value_or(126));
        if (layout.min_ch < 0 || layout.max_ch > 0xFFFF || layout.min_ch > layout.max_ch) {
            problem = at_line(line, "the codes min_ch() " + to_decimal(layout.min_ch) + " to max_ch() " + to_decimal(layout.max_ch) + " make no range");
            return std::nullopt;
        }
    }
    return layout;
}

// The records of the codes the index gives, in code order, with what disagrees as warnings.
std::vector<Record> records_of(std::string_view text, const Layout& layout, std::vector<std::string>& warnings)
{
    const std::string& index = layout.index->bytes;
    const std::string& font = layout.font->bytes;
    std::vector<Record> records;
    auto warn = [&](std::size_t entry, const std::string& what) {
        warnings.push_back(at_line(line_number_at(text, layout.index->position_of(entry)), what));
    };
    auto add = [&](char32_t code, std::size_t entry, std::size_t offset) {
        if (offset + 2 > font.size()) {
            warn(entry, "the record of " + code_point_text(code) + " lies past the end of _font; the code is left out");
            return;
        }
        const int width = u16_at(font, offset);
        if (width > 255 || offset + record_size(width, layout.height, layout.hmap) > font.size()) {
            warn(entry, "the record of " + code_point_text(code) + (width > 255 ? " is " + to_decimal(width) + " pixels wide" : " runs past the end of _font")
                            + "; the code is left out");
            return;
        }
        records.push_back({code, offset, entry, width});
    };
    if (sparse(layout.kind)) {
        const std::size_t unit = layout.kind == IndexKind::SparseEights ? 8 : 1;
        char32_t previous = 0;
        for (std::size_t at = 0; at + 4 <= index.size(); at += 4) {
            const auto code = static_cast<char32_t>(u16_at(index, at));
            if (at > 0 && code <= previous) {
                warn(at, code_point_text(code) + " is out of order in _sparse, which get_ch() searches in code order; it is left out");
                continue;
            }
            previous = code;
            add(code, at, static_cast<std::size_t>(u16_at(index, at + 2)) * unit);
        }
        return records;
    }
    const std::size_t width = layout.kind == IndexKind::Pairs ? 4 : 2;
    const std::size_t first_slot = layout.kind == IndexKind::StartsFromCode ? 0 : 1;
    for (int code = layout.min_ch; code <= layout.max_ch; ++code) {
        const std::size_t entry = (first_slot + static_cast<std::size_t>(code - layout.min_ch)) * width;
        if (entry + 2 > index.size()) {
            warn(index.empty() ? 0 : index.size() - 1, "_index ends before the slot of " + code_point_text(static_cast<char32_t>(code))
                                                          + ", the codes to max_ch() " + to_decimal(layout.max_ch) + " are left out");
            break;
        }
        const std::size_t offset = static_cast<std::size_t>(u16_at(index, entry));
        if (offset != 0 || layout.kind == IndexKind::StartsFromCode)
            add(static_cast<char32_t>(code), entry, offset);
    }
    return records;
}

namespace {

void draw_record(std::string_view record, int width, int height, bool hmap, bool reverse, GlyphGrid& grid)
{
    const int row_bytes = (width + 7) / 8;
    const int column_bytes = (height + 7) / 8;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const std::size_t at = 2 + static_cast<std::size_t>(hmap ? y * row_bytes + x / 8 : x * column_bytes + y / 8);
            const int bit = hmap ? (reverse ? x % 8 : 7 - x % 8) : (reverse ? 7 - y % 8 : y % 8);
            if (((static_cast<unsigned char>(record[at]) >> bit) & 1) != 0)
                grid.set(x, y, true);
        }
    }
}

}  // namespace

FontReadResult font_of(std::string_view text, const Layout& layout)
{
    FontReadResult result;
    const std::vector<Record> records = records_of(text, layout, result.warnings);
    int widest = 1;
    for (const Record& record : records)
        widest = std::max(widest, record.width);
    Font& font = result.font;
    const int first = records.empty() ? layout.min_ch : static_cast<int>(records.front().code);
    font.header = {widest, layout.height, first, static_cast<std::int32_t>(records.size())};
    font.line_height = layout.height;
    font.font_table.assign(records.size(), Glyph{});
    for (std::size_t k = 0; k < records.size(); ++k) {
        const Record& record = records[k];
        GlyphGrid grid(widest, layout.height);
        draw_record(std::string_view(layout.font->bytes).substr(record.offset), record.width, layout.height, layout.hmap, layout.reverse, grid);
        Glyph& glyph = font.font_table[k];
        glyph.code_point = record.code;
        glyph.advance = record.width;
        glyph.glyph_data = encode_glyph(grid);
    }
    font.ascent = layout.baseline ? *layout.baseline : rows_above_glyphs_base(font);
    font.descent = layout.height - font.ascent;
    result.ok = true;
    return result;
}

// A glyph's record: its width, then its columns from the leftmost of its origin and its ink to
// the rightmost of its advance and its ink.
std::string record_of(const Font& font, const Glyph& glyph, GlyphGrid& grid, bool hmap, bool reverse)
{
    decode_glyph(glyph.glyph_data, grid);
    const PixelArea ink = ink_area(grid);
    const int height = font.header.glyph_height;
    int left = font.origin_x;
    int right = font.origin_x + std::max(glyph.advance, 0);
    if (!ink.empty()) {
        left = std::min(left, ink.x);
        right = std::max(right, ink.x + ink.width);
    }
    const int width = right - left;
    std::string record(record_size(width, height, hmap), '\0');
    put_u16(record, 0, width);
    const int row_bytes = (width + 7) / 8;
    const int column_bytes = (height + 7) / 8;
    for (int x = std::max(left, ink.x); !ink.empty() && x < ink.x + ink.width; ++x) {
        for (int y = ink.y; y < ink.y + ink.height; ++y) {
            if (grid.at(x, y) != 1)
                continue;
            const int c = x - left;
            const std::size_t at = 2 + static_cast<std::size_t>(hmap ? y * row_bytes + c / 8 : c * column_bytes + y / 8);
            const int bit = hmap ? (reverse ? c % 8 : 7 - c % 8) : (reverse ? 7 - y % 8 : y % 8);
            record[at] = static_cast<char>(static_cast<unsigned char>(record[at]) | (1u << bit));
        }
    }
    return record;
}

}  // namespace glyphwright::font_to_py

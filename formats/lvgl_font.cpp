#include "formats/lvgl_font.h"

#include <algorithm>

#include "formats/font_text.h"
#include "formats/found_sources.h"
#include "formats/lvgl_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "text/text_primitives.h"

namespace glyphwright {

using lvgl::GlyphRecord;
using lvgl::LvglFound;
using lvgl::LvglSource;

namespace {

enum class Reading { WholeFont, Cell };

// A glyph's box on the scale whose row 0 is the base row (negative: above it).
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

std::optional<Box> box_of(const GlyphRecord& record)
{
    const auto& f = record.fields;
    if (!record.complete || f[lvgl::kBoxWidth].value < 0 || f[lvgl::kBoxWidth].value > 255 || f[lvgl::kBoxHeight].value < 0
        || f[lvgl::kBoxHeight].value > 255 || f[lvgl::kOffsetX].value < -32768 || f[lvgl::kOffsetX].value > 32767
        || f[lvgl::kOffsetY].value < -32768 || f[lvgl::kOffsetY].value > 32767)
        return std::nullopt;
    const int height = static_cast<int>(f[lvgl::kBoxHeight].value);
    return Box{static_cast<int>(f[lvgl::kOffsetX].value), 1 - static_cast<int>(f[lvgl::kOffsetY].value) - height,
               static_cast<int>(f[lvgl::kBoxWidth].value), height};
}

int advance_of(const GlyphRecord& record)
{
    const std::int64_t advance = (std::clamp<std::int64_t>(record.fields[lvgl::kAdvance].value, 0, 1 << 20) + 8) >> 4;
    return static_cast<int>(advance);
}

FontReadResult font_of(const LvglSource& source, Reading reading, std::optional<int> threshold = std::nullopt)
{
    FontReadResult result;
    result.warnings = source.warnings;
    std::vector<std::pair<char32_t, const GlyphRecord*>> glyphs;
    for (const auto& [code, id] : lvgl::glyph_ids(source.cmaps)) {
        if (id < 1 || id >= static_cast<std::int64_t>(source.glyphs.size())) {
            result.warnings.push_back(at_line(source.font_line, "the maps give " + code_point_text(code) + " the glyph " + to_decimal(id)
                                                                     + ", which the descriptors do not hold; it is left out"));
            continue;
        }
        glyphs.emplace_back(code, &source.glyphs[static_cast<std::size_t>(id)]);
    }
    if (glyphs.size() > static_cast<std::size_t>(kMaxGlyphs))
        return refused_at(source.font_line, "the font " + source.name + " has more than 65,535 characters");
    const int line_height = source.line_height ? static_cast<int>(std::clamp<std::int64_t>(source.line_height->value, 0, 255)) : 0;
    const int base_line = source.base_line ? static_cast<int>(std::clamp<std::int64_t>(source.base_line->value, -255, 255)) : 0;
    int left = 0;
    int right = 1;
    int top = std::min(0, 1 - (line_height - base_line));
    int bottom = std::max(0, base_line);
    for (const auto& [code, record] : glyphs) {
        const std::optional<Box> box = box_of(*record);
        if (!box || box->width == 0 || box->height == 0)
            continue;
        left = std::min(left, box->left);
        right = std::max(right, box->left + box->width);
        top = std::min(top, box->top);
        bottom = std::max(bottom, box->top + box->height - 1);
    }
    const int width = right - left;
    const int height = bottom - top + 1;
    if (width > 255 || height > 255)
        return refused_at(source.font_line, "the glyphs and the line of " + source.name + " span " + to_decimal(width) + " x " + to_decimal(height)
                                                + " pixels around the origin; a font of up to 255 x 255 pixels can be read");
    Font& font = result.font;
    font.name = source.name;
    font.header = {width, height, glyphs.empty() ? 0 : static_cast<std::int32_t>(glyphs.front().first), static_cast<std::int32_t>(glyphs.size())};
    font.ascent = 1 - top;
    font.descent = bottom;
    font.origin_x = -left;
    font.line_height = line_height;
    result.ok = true;
    if (reading == Reading::Cell)
        return result;
    if (source.bpp != 1 && !threshold)
        return refused_at(source.font_line, "the font " + source.name + " has " + to_decimal(source.bpp) + " bits a pixel; read it with --threshold T"
                                                " (a pixel of coverage T or more, 0 to 255, is set), or convert it again with --bpp 1");
    const std::int64_t bpp = source.bpp;
    const std::int64_t most = (std::int64_t{1} << bpp) - 1;
    const std::int64_t set_from = threshold ? (std::clamp(*threshold, 0, 255) * most + 254) / 255 : 1;
    font.font_table.assign(std::max<std::size_t>(glyphs.size(), 1), Glyph{});
    const GlyphGrid blank(width, height);
    GlyphGrid grid = blank;
    for (std::size_t row = 0; row < glyphs.size(); ++row) {
        const auto& [code, record] = glyphs[row];
        grid = blank;
        if (const std::optional<Box> box = box_of(*record)) {
            const std::int64_t row_bits = source.stride > 0 ? ((box->width * bpp + 7) / 8 + source.stride - 1) / source.stride * source.stride * 8
                                                            : box->width * bpp;
            const std::int64_t start = record->fields[lvgl::kBitmapIndex].value * 8;
            bool past_end = start < 0;
            for (int r = 0; r < box->height && !past_end; ++r)
                for (int c = 0; c < box->width; ++c) {
                    const std::int64_t bit = start + r * row_bits + c * bpp;
                    if (bit / 8 >= static_cast<std::int64_t>(source.bitmap.size())) {
                        past_end = true;
                        break;
                    }
                    // A pixel's bits lie in one byte, the first at its high end.
                    const std::int64_t byte = source.bitmap[static_cast<std::size_t>(bit / 8)].value & 0xFF;
                    if (((byte >> (8 - bpp - bit % 8)) & most) >= set_from)
                        grid.set(box->left - left + c, box->top - top + r, true);
                }
            if (past_end)
                result.warnings.push_back(at_line(record->line, "the box of " + code_point_text(code) + " runs past the bitmap; the rest is blank"));
        } else if (record->complete) {
            result.warnings.push_back(at_line(record->line, "the box of " + code_point_text(code) + " is too large; its glyph is blank"));
        }
        Glyph& glyph = font.font_table[row];
        glyph.code_point = code;
        glyph.advance = advance_of(*record);
        glyph.glyph_data = encode_glyph(grid);
    }
    return result;
}

}  // namespace

FontScan scan_lvgl_fonts(std::string_view text)
{
    return scan_found_sources(
        lvgl::find_lvgl_sources(text), [](const LvglSource& source) { return font_of(source, Reading::Cell); },
        [](const LvglSource& source, FontEntry& entry) {
            entry.name = source.name;
            entry.leading_begin = entry.begin = source.begin;
            entry.data_begin = source.font_start;
            entry.data_end = entry.end = source.end;
        },
        "no LVGL font (an lv_font_t with its descriptor, bitmap, glyphs and character maps) was found");
}

FontReadResult read_lvgl_font_entry(std::string_view text, const FontEntry& entry) { return read_lvgl_font_with(text, entry, {}); }

FontReadResult read_lvgl_font_with(std::string_view text, const FontEntry& entry, const ReadOptions& options)
{
    std::vector<LvglFound> found = lvgl::find_lvgl_sources(text, entry.data_begin);
    if (found.empty())
        return refused("the file no longer holds the LVGL font " + entry.name);
    if (!found.front().source)
        return refused(found.front().refusal);
    return font_of(*found.front().source, Reading::WholeFont, options.threshold);
}

}  // namespace glyphwright

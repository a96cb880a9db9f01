#include "model/font.h"

#include <algorithm>
#include <cassert>
#include <map>

namespace glyphwright {

bool is_valid_geometry(int glyph_width, int glyph_height)
{
    return glyph_width >= 1 && glyph_width <= 255 && glyph_height >= 1 && glyph_height <= 255
        && (glyph_width * glyph_height) % 8 == 0;
}

void set_fixed_metrics(Font& font)
{
    const int rows = glyph_count(font);
    for (int row = 0; row < rows; ++row) {
        Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        glyph.code_point = static_cast<char32_t>(std::max(font.header.first_char + row, 0));
        glyph.advance = font.header.glyph_width;
    }
    font.ascent = font.header.glyph_height;
    font.descent = 0;
    font.origin_x = 0;
}

bool has_fixed_metrics(const Font& font)
{
    const int rows = glyph_count(font);
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        if (glyph.code_point != static_cast<char32_t>(font.header.first_char + row)
            || glyph.advance != font.header.glyph_width)
            return false;
    }
    return font.origin_x == 0;
}

GlyphPlace glyph_place(const Font& font, char32_t code_point)
{
    const auto begin = font.font_table.begin();
    const auto end = begin + glyph_count(font);
    const auto at = std::lower_bound(begin, end, code_point,
                                     [](const Glyph& glyph, char32_t code) { return glyph.code_point < code; });
    return {static_cast<int>(at - begin), at != end && at->code_point == code_point};
}

namespace {

void follow_first_glyph(Font& font)
{
    if (glyph_count(font) > 0)
        font.header.first_char = static_cast<int>(font.font_table[0].code_point);
}

}  // namespace

void insert_glyph(Font& font, int row, Glyph glyph)
{
    assert(row >= 0 && row <= glyph_count(font));
    font.font_table.insert(font.font_table.begin() + row, std::move(glyph));
    ++font.header.char_count;
    follow_first_glyph(font);
}

Glyph remove_glyph(Font& font, int row)
{
    assert(is_glyph_row(font, row));
    Glyph glyph = std::move(font.font_table[static_cast<std::size_t>(row)]);
    font.font_table.erase(font.font_table.begin() + row);
    if (font.font_table.size() < static_cast<std::size_t>(kFontTableRows))
        font.font_table.emplace_back();
    --font.header.char_count;
    follow_first_glyph(font);
    return glyph;
}

int most_common_advance(const Font& font)
{
    std::map<int, int> counts;
    for (int row = 0; row < glyph_count(font); ++row)
        ++counts[font.font_table[static_cast<std::size_t>(row)].advance];
    int best = font.header.glyph_width;
    int best_count = 0;
    for (const auto& [advance, count] : counts) {
        if (count > best_count) {
            best = advance;
            best_count = count;
        }
    }
    return best;
}

int glyph_count(const Font& model)
{
    return std::clamp(model.header.char_count, 0, static_cast<int>(model.font_table.size()));
}

bool is_glyph_row(const Font& model, int row) { return row >= 0 && row < glyph_count(model); }

void reset_font_table(Font& model) { model.font_table.assign(kFontTableRows, Glyph{}); }

std::int64_t memory_usage(const FontHeader& header)
{
    std::int64_t pixels = static_cast<std::int64_t>(header.glyph_width) * header.glyph_height * header.char_count;
    return pixels / 8 + 4;
}

}  // namespace glyphwright

#include "formats/tft_espi_font.h"

#include <algorithm>

#include "formats/font_text.h"
#include "formats/found_sources.h"
#include "formats/tft_espi_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

using tft_espi::Encoding;
using tft_espi::GlyphArray;
using tft_espi::Shape;
using tft_espi::TftFound;
using tft_espi::TftSource;

namespace {

enum class Reading { WholeFont, Cell };

int width_of(const SourceNumber& number) { return static_cast<int>(number.value & 0xFF); }

// The pixels of one glyph array drawn into the grid at the cell's left edge; a warning when the
// array holds more or fewer than the cell's pixels or bits past the width.
void draw_glyph(const GlyphArray& array, int width, const Shape& shape, GlyphGrid& grid, std::vector<std::string>& warnings)
{
    const std::vector<SourceNumber>& bytes = array.bytes;
    if (shape.encoding == Encoding::Rows) {
        const int per_row = tft_espi::row_bytes(width);
        bool past_width = false;
        for (int row = 0; row < shape.height; ++row)
            for (int column = 0; column < per_row * 8; ++column) {
                const std::size_t at = static_cast<std::size_t>(row * per_row + column / 8);
                if (at >= bytes.size() || (bytes[at].value & (0x80 >> (column % 8))) == 0)
                    continue;
                if (column < width)
                    grid.set(column, row, true);
                else
                    past_width = true;
            }
        if (past_width)
            warnings.push_back(at_line(array.line, array.name + " sets bits past its width of " + to_decimal(width) + "; they are left out"));
        return;
    }
    const int cell = width * shape.height;
    int pixel = 0;
    std::size_t at = 0;
    for (; at < bytes.size() && pixel < cell; ++at) {
        const int run = (static_cast<int>(bytes[at].value) & 0x7F) + 1;
        const bool ink = (bytes[at].value & 0x80) != 0;
        for (int step = 0; step < run && pixel < cell; ++step, ++pixel)
            if (ink)
                grid.set(pixel % width, pixel / width, true);
    }
    if (pixel < cell || at < bytes.size())
        warnings.push_back(at_line(array.line, array.name + "'s runs cover " + (pixel < cell ? to_decimal(pixel) : std::string("more than ")
                                                                                  + to_decimal(cell)) + " pixels of the "
                                                   + to_decimal(cell) + " of its cell" + (pixel < cell ? "; the rest is blank" : "; the rest is left out")));
}

FontReadResult font_of(const TftSource& source, Reading reading)
{
    const std::size_t count = std::min(source.widths.size(), source.table.size());
    if (count == 0)
        return refused_at(source.table_line, "the tables of " + source.suffix + " hold no glyphs");
    const std::optional<Shape> shape = tft_espi::shape_of(source);
    if (!shape)
        return refused_at(source.table_line, "the glyph arrays of chrtbl_" + source.suffix
                                                 + " agree on no height: they are neither rows of bits nor runs that fill a cell");
    FontReadResult result;
    result.warnings = source.warnings;
    Font& font = result.font;
    font.name = source.suffix;
    int widest = 1;
    for (std::size_t index = 0; index < count; ++index)
        widest = std::max(widest, width_of(source.widths[index]));
    if (std::any_of(source.widths.begin(), source.widths.end(), [](const SourceNumber& n) { return n.value < 0 || n.value > 255; }))
        result.warnings.push_back(at_line(source.widths_line, "the width table holds numbers outside 0 to 255; their low 8 bits are taken"));
    font.header = {widest, shape->height, tft_espi::kFirstCode, static_cast<std::int32_t>(count)};
    font.ascent = shape->height;
    font.descent = 0;
    result.ok = true;
    if (reading == Reading::Cell)
        return result;
    font.font_table.assign(count, Glyph{});
    const GlyphGrid blank(widest, shape->height);
    GlyphGrid grid = blank;
    for (std::size_t index = 0; index < count; ++index) {
        grid = blank;
        const int width = width_of(source.widths[index]);
        if (const std::optional<std::size_t> array = source.table[index].array)
            draw_glyph(source.arrays[*array], width, *shape, grid, result.warnings);
        Glyph& glyph = font.font_table[index];
        glyph.code_point = static_cast<char32_t>(tft_espi::kFirstCode + static_cast<int>(index));
        glyph.advance = width;
        glyph.glyph_data = encode_glyph(grid);
    }
    const std::optional<int> baseline = tft_espi::library_baseline(source.suffix);
    font.ascent = baseline && *baseline <= shape->height ? *baseline : rows_above_glyphs_base(font);
    font.descent = shape->height - font.ascent;
    return result;
}

// The #defines of a header as names and values.
std::vector<std::pair<std::string_view, std::int64_t>> defines_of(std::string_view text)
{
    std::vector<std::pair<std::string_view, std::int64_t>> defines;
    for (const CToken& token : c_tokens(text)) {
        if (token.kind != CTokenKind::Directive)
            continue;
        const std::vector<CToken> words = c_tokens(token.text.substr(token.text.find('#') + 1));
        if (words.size() == 3 && is_token(words[0], "define") && words[1].kind == CTokenKind::Name)
            if (const std::optional<std::int64_t> value = c_number_value(words[2].text))
                defines.emplace_back(words[1].text, *value);
    }
    return defines;
}

}  // namespace

FontScan scan_tft_espi_fonts(std::string_view text)
{
    return scan_found_sources(
        tft_espi::find_tft_sources(text), [](const TftSource& source) { return font_of(source, Reading::Cell); },
        [](const TftSource& source, FontEntry& entry) {
            entry.name = source.suffix;
            entry.leading_begin = entry.begin = source.begin;
            entry.data_begin = source.table_start;
            entry.data_end = source.table_close;
            entry.end = source.end;
        },
        "no TFT_eSPI font (a width table widtbl_NAME and a pointer table chrtbl_NAME) was found");
}

FontReadResult read_tft_espi_font_entry(std::string_view text, const FontEntry& entry)
{
    std::vector<TftFound> found = tft_espi::find_tft_sources(text, entry.data_begin);
    if (found.empty())
        return refused("the file no longer holds the TFT_eSPI font " + entry.name);
    if (!found.front().source)
        return refused(found.front().refusal);
    return font_of(*found.front().source, Reading::WholeFont);
}

void read_tft_espi_companion(std::string_view text, Font& font, std::vector<std::string>& warnings)
{
    for (const auto& [name, value] : defines_of(text)) {
        if (name == "chr_hgt_" + font.name && value != font.header.glyph_height)
            warnings.push_back("the header beside the font gives a height of " + to_decimal(value) + " rows; the glyphs have "
                               + to_decimal(font.header.glyph_height) + ", which are kept");
        if (name == "baseline_" + font.name) {
            if (value >= 0 && value <= font.header.glyph_height) {
                font.ascent = static_cast<int>(value);
                font.descent = font.header.glyph_height - font.ascent;
            } else {
                warnings.push_back("the header beside the font puts the baseline " + to_decimal(value) + " rows below the cell's top, outside its "
                                   + to_decimal(font.header.glyph_height) + " rows; the baseline is taken from the glyphs");
            }
        }
    }
}

}  // namespace glyphwright

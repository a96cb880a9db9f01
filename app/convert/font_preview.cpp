#include "app/convert/font_preview.h"

#include <algorithm>

#include "model/glyph_codec.h"
#include "model/sample_layout.h"

namespace glyphwright {

namespace {

constexpr int kColumns = 16;
constexpr int kPadding = 6;
constexpr int kLabelHeight = 14;
constexpr int kLabelTop = 2;
constexpr int kMinimumCellWidth = 30;
constexpr Rgb kPaperColour{255, 255, 255};
constexpr Rgb kClearColour{230, 230, 230};
constexpr Rgb kSetColour{0, 0, 0};
constexpr Rgb kLabelColour{90, 90, 90};

int scale_for(const FontHeader& header)
{
    int larger = std::max(header.glyph_width, header.glyph_height);
    return std::clamp(32 / std::max(larger, 1), 1, 4);
}

void draw_glyph_at(Picture& picture, const GlyphGrid& grid, int left, int top, int scale)
{
    picture.fill_rect(left, top, grid.glyph_width() * scale, grid.glyph_height() * scale, kClearColour);
    for (int y = 0; y < grid.glyph_height(); ++y)
        for (int x = 0; x < grid.glyph_width(); ++x)
            if (grid.at(x, y) == 1)
                picture.fill_rect(left + x * scale, top + y * scale, scale, scale, kSetColour);
}

// Cells that tile their line are drawn whole; the glyphs of a proportional font only by their set
// pixels, over the line's clear band, so that none paints over its neighbours.
void draw_sample(Picture& picture, const Font& font, const SampleLayout& sample, int left, int top)
{
    for (const Box& line : sample.lines)
        picture.fill_rect(left + line.x, top + line.y, line.width, line.height, kClearColour);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (const SampleCell& cell : sample.cells) {
        if (cell.row < 0) {
            picture.fill_rect(left + cell.box.x, top + cell.box.y, cell.box.width, cell.box.height, kClearColour);
            continue;
        }
        decode_glyph(font.font_table[static_cast<std::size_t>(cell.row)].glyph_data, grid);
        if (cell.tiles) {
            draw_glyph_at(picture, grid, left + cell.box.x, top + cell.box.y, cell.scale);
            continue;
        }
        for (int y = 0; y < grid.glyph_height(); ++y)
            for (int x = 0; x < grid.glyph_width(); ++x)
                if (grid.at(x, y) == 1)
                    picture.fill_rect(left + cell.box.x + x * cell.scale, top + cell.box.y + y * cell.scale, cell.scale,
                                      cell.scale, kSetColour);
    }
}

}  // namespace

Picture render_font_preview(const Font& font, std::string_view sample_text)
{
    const FontHeader& header = font.header;
    int scale = scale_for(header);
    int cell_width = std::max(header.glyph_width * scale, kMinimumCellWidth) + kPadding;
    int cell_height = header.glyph_height * scale + kLabelHeight + kPadding;
    int count = std::max(header.char_count, 0);
    int rows = std::max((count + kColumns - 1) / kColumns, 1);
    SampleLayout sample = sample_layout(font, sample_text);
    int sheet_width = kColumns * cell_width + kPadding;
    int sheet_height = rows * cell_height + kPadding;
    int sample_height = sample.content_height > 0 ? sample.content_height + kPadding : 0;
    Picture picture(std::max(sheet_width, sample.content_width + 2 * kPadding), sheet_height + sample_height,
                    kPaperColour);
    GlyphGrid grid(header.glyph_width, header.glyph_height);
    for (int index = 0; index < count; ++index) {
        int left = kPadding + (index % kColumns) * cell_width;
        int top = kPadding + (index / kColumns) * cell_height;
        picture.draw_number(left, top + kLabelTop, static_cast<int>(font.font_table[static_cast<std::size_t>(index)].code_point),
                            kLabelColour);
        decode_glyph(font.font_table[static_cast<std::size_t>(index)].glyph_data, grid);
        draw_glyph_at(picture, grid, left, top + kLabelHeight, scale);
    }
    draw_sample(picture, font, sample, kPadding, sheet_height);
    return picture;
}

}  // namespace glyphwright

#include "app/convert/font_preview.h"

#include <QPainter>
#include <algorithm>

#include "editor/overview_layout.h"
#include "model/glyph_codec.h"

namespace glyphwright {

namespace {

constexpr int kColumns = 16;
constexpr int kPadding = 6;
constexpr int kLabelHeight = 14;
constexpr int kMinimumCellWidth = 30;
const QColor kClearColour(230, 230, 230);

int scale_for(const FontHeader& header)
{
    int larger = std::max(header.glyph_width, header.glyph_height);
    return std::clamp(32 / std::max(larger, 1), 1, 4);
}

void draw_glyph_at(QPainter& painter, const GlyphGrid& grid, int left, int top, int scale)
{
    painter.fillRect(left, top, grid.glyph_width() * scale, grid.glyph_height() * scale, kClearColour);
    for (int y = 0; y < grid.glyph_height(); ++y)
        for (int x = 0; x < grid.glyph_width(); ++x)
            if (grid.at(x, y) == 1)
                painter.fillRect(left + x * scale, top + y * scale, scale, scale, Qt::black);
}

void draw_sample(QPainter& painter, const FontModel& font, const SampleLayout& sample, int left, int top)
{
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (const SampleCell& cell : sample.cells) {
        if (cell.row < 0) {
            painter.fillRect(left + cell.box.x, top + cell.box.y, cell.box.width, cell.box.height, kClearColour);
            continue;
        }
        decode_glyph(font.font_table[static_cast<std::size_t>(cell.row)].glyph_data, grid);
        draw_glyph_at(painter, grid, left + cell.box.x, top + cell.box.y, cell.scale);
    }
}

}  // namespace

QImage render_font_preview(const FontModel& font, std::string_view sample_text)
{
    const FontHeader& header = font.header;
    int scale = scale_for(header);
    int cell_width = std::max(header.glyph_width * scale, kMinimumCellWidth) + kPadding;
    int cell_height = header.glyph_height * scale + kLabelHeight + kPadding;
    int count = std::max(header.char_count, 0);
    int rows = std::max((count + kColumns - 1) / kColumns, 1);
    SampleLayout sample = sample_layout(header, sample_text);
    int sheet_width = kColumns * cell_width + kPadding;
    int sheet_height = rows * cell_height + kPadding;
    int sample_height = sample.content_height > 0 ? sample.content_height + kPadding : 0;
    QImage image(std::max(sheet_width, sample.content_width + 2 * kPadding), sheet_height + sample_height,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont label_font = painter.font();
    label_font.setPixelSize(10);
    painter.setFont(label_font);
    GlyphGrid grid(header.glyph_width, header.glyph_height);
    for (int index = 0; index < count; ++index) {
        int left = kPadding + (index % kColumns) * cell_width;
        int top = kPadding + (index / kColumns) * cell_height;
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(left, top, cell_width - kPadding, kLabelHeight, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(header.first_char + index));
        decode_glyph(font.font_table[static_cast<std::size_t>(index)].glyph_data, grid);
        draw_glyph_at(painter, grid, left, top + kLabelHeight, scale);
    }
    draw_sample(painter, font, sample, kPadding, sheet_height);
    return image;
}

}  // namespace glyphwright

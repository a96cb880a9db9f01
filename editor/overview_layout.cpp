#include "editor/overview_layout.h"

#include <algorithm>

namespace glyphwright {

MapLayout map_layout_at_scale(const FontHeader& header, int scale, int width)
{
    int count = std::max(header.char_count, 0);
    MapLayout layout;
    layout.glyph_count = count;
    layout.glyph_width = std::max(header.glyph_width, 0);
    layout.glyph_height = std::max(header.glyph_height, 0);
    layout.scale = scale;
    layout.cell_width = std::max(layout.glyph_width * scale, kMapLabelWidth) + 2 * kMapCellPadding;
    layout.cell_height = layout.glyph_height * scale + kMapFrameWidth + kMapLabelHeight + 2 * kMapCellPadding;
    layout.columns = std::clamp(width / layout.cell_width, 1, std::max(count, 1));
    layout.rows = (count + layout.columns - 1) / layout.columns;
    layout.content_width = count > 0 ? layout.columns * layout.cell_width : 0;
    layout.content_height = layout.rows * layout.cell_height;
    return layout;
}

bool map_fits(const MapLayout& layout)
{
    return layout.content_width <= kMapMaxWidth && layout.content_height <= kMapMaxHeight;
}

MapLayout map_layout(const FontHeader& header)
{
    for (int scale = kMaxMapScale; scale > 1; --scale) {
        MapLayout layout = map_layout_at_scale(header, scale);
        if (map_fits(layout))
            return layout;
    }
    return map_layout_at_scale(header, 1);
}

Box map_cell(const MapLayout& layout, int index)
{
    return {(index % layout.columns) * layout.cell_width, (index / layout.columns) * layout.cell_height,
            layout.cell_width, layout.cell_height};
}

Box map_glyph_box(const MapLayout& layout, int index)
{
    Box cell = map_cell(layout, index);
    int width = layout.glyph_width * layout.scale;
    // Glyphs narrower than their label are centred over it.
    int left = cell.x + (cell.width - width) / 2;
    return {left, cell.y + kMapCellPadding, width, layout.glyph_height * layout.scale};
}

Box map_label_box(const MapLayout& layout, int index)
{
    Box cell = map_cell(layout, index);
    Box glyph = map_glyph_box(layout, index);
    // Below the frame, so that framing a glyph never touches its label.
    return {cell.x, glyph.y + glyph.height + kMapFrameWidth, cell.width, kMapLabelHeight};
}

Box map_frame_box(const MapLayout& layout, int index)
{
    Box glyph = map_glyph_box(layout, index);
    return {glyph.x - kMapFrameWidth, glyph.y - kMapFrameWidth, glyph.width + 2 * kMapFrameWidth,
            glyph.height + 2 * kMapFrameWidth};
}

int map_glyph_at(const MapLayout& layout, int x, int y)
{
    if (x < 0 || y < 0 || x >= layout.content_width || y >= layout.content_height)
        return -1;
    int index = (y / layout.cell_height) * layout.columns + x / layout.cell_width;
    return index < layout.glyph_count ? index : -1;
}

std::vector<int> map_glyphs_in(const MapLayout& layout, const Box& area)
{
    std::vector<int> found;
    if (layout.glyph_count == 0 || area.width <= 0 || area.height <= 0)
        return found;
    int first_row = std::max(area.y / layout.cell_height, 0);
    int last_row = std::min((area.y + area.height - 1) / layout.cell_height, layout.rows - 1);
    int first_column = std::max(area.x / layout.cell_width, 0);
    int last_column = std::min((area.x + area.width - 1) / layout.cell_width, layout.columns - 1);
    for (int row = first_row; row <= last_row; ++row)
        for (int column = first_column; column <= last_column; ++column) {
            int index = row * layout.columns + column;
            if (index < layout.glyph_count)
                found.push_back(index);
        }
    return found;
}

namespace {

int sample_lines_height(const FontHeader& header) { return 3 * std::max(header.glyph_height, 0) + kSampleLineGap; }

int sample_height(const FontHeader& header) { return std::min(sample_lines_height(header), kSampleMaxHeight); }

// The sample view below the field at `edit_top`, as wide as the window's inside less the bar
// that a sample taller than the view needs.
void place_sample(OverviewWindowLayout& window, const FontHeader& header, int edit_top, int inner_width)
{
    const bool scrolls_down = sample_lines_height(header) > kSampleMaxHeight;
    window.sample_view = {kOverviewMargin, edit_top + kSampleEditHeight + kOverviewGap,
                          inner_width - (scrolls_down ? kScrollBarSize : 0), sample_height(header)};
}

}  // namespace

OverviewWindowLayout overview_window_layout(const MapLayout& map, const FontHeader& header)
{
    OverviewWindowLayout window;
    bool map_scrolls = map.content_height > kMapMaxHeight;
    int map_width = std::min(map.content_width, kMapMaxWidth);
    int map_height = std::min(map.content_height, kMapMaxHeight);
    window.map_view = {kOverviewMargin, kOverviewMargin, map_width, map_height};
    int inner_width = std::max(map_width + (map_scrolls ? kScrollBarSize : 0), kOverviewMinimumWidth);

    int edit_top = kOverviewMargin + map_height + kOverviewGap;
    window.sample_edit = {kOverviewMargin, edit_top, inner_width, kSampleEditHeight};

    place_sample(window, header, edit_top, inner_width);
    window.client_width = inner_width + 2 * kOverviewMargin;
    window.client_height = window.sample_view.y + window.sample_view.height + kScrollBarSize + kOverviewMargin;
    return window;
}

OverviewWindowLayout overview_window_layout_in(MapLayout& map, const FontHeader& header, ScreenSize client)
{
    OverviewWindowLayout window;
    const int inner_width = std::max(client.width - 2 * kOverviewMargin, 1);
    const int below_map = kOverviewGap + kSampleEditHeight + kOverviewGap + sample_height(header) + kScrollBarSize
                        + kOverviewMargin;
    const int map_height = std::max(client.height - kOverviewMargin - below_map, 1);
    map = map_layout_at_scale(header, map.scale, inner_width);
    const bool map_scrolls = map.content_height > map_height;
    if (map_scrolls)
        map = map_layout_at_scale(header, map.scale, inner_width - kScrollBarSize);
    window.map_view = {kOverviewMargin, kOverviewMargin, std::max(inner_width - (map_scrolls ? kScrollBarSize : 0), 1),
                       map_height};
    const int edit_top = kOverviewMargin + map_height + kOverviewGap;
    window.sample_edit = {kOverviewMargin, edit_top, inner_width, kSampleEditHeight};
    place_sample(window, header, edit_top, inner_width);
    window.client_width = client.width;
    window.client_height = client.height;
    return window;
}

}  // namespace glyphwright

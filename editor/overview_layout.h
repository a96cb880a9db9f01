#pragma once

// Where the Overview window puts things: the glyph map (every glyph of the font in a grid with its
// character code under it) and the window around it and the sample text. Pure arithmetic on the
// header.

#include <string_view>
#include <vector>

#include "model/font_model.h"
#include "model/sample_layout.h"
#include "platform/gui_services.h"

namespace glyphwright {

// The map is kept within this size; beyond it, it scrolls.
inline constexpr int kMapMaxWidth = 800;
inline constexpr int kMapMaxHeight = 600;
inline constexpr int kMaxMapScale = 4;
// Space around each glyph, in which the frame of the glyph being edited is drawn.
inline constexpr int kMapCellPadding = 3;
inline constexpr int kMapFrameWidth = 2;
inline constexpr int kMapLabelWidth = 24;
inline constexpr int kMapLabelHeight = 12;

struct MapLayout {
    int glyph_count = 0;
    int glyph_width = 0;
    int glyph_height = 0;
    int scale = 1;  // screen pixels a font pixel
    int columns = 1;
    int rows = 0;
    int cell_width = 0;
    int cell_height = 0;
    int content_width = 0;
    int content_height = 0;

    bool operator==(const MapLayout&) const = default;
};

// The map of the font at one scale, with as many columns as `width` holds (at least one).
MapLayout map_layout_at_scale(const FontHeader& header, int scale, int width = kMapMaxWidth);
// True when the whole map lies within kMapMaxWidth x kMapMaxHeight.
bool map_fits(const MapLayout& layout);

// The largest scale from 4 down to 1 at which the whole map fits within kMapMaxWidth x
// kMapMaxHeight, with as many columns as the width allows; scale 1 when none fits (the map then
// scrolls). A font without characters gives an empty map.
MapLayout map_layout(const FontHeader& header);

// Cell of glyph `index` (its padding and label included), in map coordinates.
Box map_cell(const MapLayout& layout, int index);
// The glyph's own pixels inside its cell, and its character code's label under them.
Box map_glyph_box(const MapLayout& layout, int index);
Box map_label_box(const MapLayout& layout, int index);
// The frame drawn round the glyph being edited: the glyph box grown by the frame width.
Box map_frame_box(const MapLayout& layout, int index);

// The glyph whose cell holds map point (x, y), or -1 outside every cell.
int map_glyph_at(const MapLayout& layout, int x, int y);

// Glyph indices whose cells meet `area`, in order.
std::vector<int> map_glyphs_in(const MapLayout& layout, const Box& area);

// The controls of the Overview window in client coordinates. Scroll bars, where a view needs
// them, lie right of it and below it, inside the window.
inline constexpr int kOverviewMargin = 10;
inline constexpr int kOverviewGap = 8;
inline constexpr int kSampleEditHeight = 24;
inline constexpr int kSampleMaxHeight = 260;
inline constexpr int kOverviewMinimumWidth = 400;

struct OverviewWindowLayout {
    Box map_view;
    Box sample_edit;
    Box sample_view;
    int client_width = 0;
    int client_height = 0;

    bool operator==(const OverviewWindowLayout&) const = default;
};

// The window for a map: the map view as large as the map up to its maximum, the sample view as
// wide as the window and tall enough for both lines up to kSampleMaxHeight, with room kept below
// it for the scroll bar that a long text needs.
OverviewWindowLayout overview_window_layout(const MapLayout& map, const FontHeader& header);

// The window at a client size the user gave it: the sample field and view keep their heights at
// the bottom, the map view takes the rest, and the map flows into as many columns as the view is
// wide. `map` is laid out again at its scale.
OverviewWindowLayout overview_window_layout_in(MapLayout& map, const FontHeader& header, ScreenSize client);

}  // namespace glyphwright

#pragma once

// Draws the glyph being edited as a magnified grid on the GridCanvas: every pixel a cell of
// zoom x zoom screen pixels, grey grid lines (none below kFirstZoomWithGridLines), white for a set
// pixel and black for a clear one.

#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

inline constexpr Colour kBackgroundColour = rgb(0, 0, 0);
inline constexpr Colour kGridLineColour = rgb(127, 127, 127);
inline constexpr Colour kSetPixelColour = rgb(255, 255, 255);
inline constexpr Colour kClearPixelColour = rgb(0, 0, 0);
// The guides over the grid: where the glyphs stand and where the next glyph's origin goes.
inline constexpr Colour kBaselineColour = rgb(0, 160, 255);
inline constexpr Colour kAdvanceColour = rgb(255, 150, 0);

inline constexpr int kSmallestZoom = 1;
inline constexpr int kLargestZoom = 40;
inline constexpr int kFirstZoomWithGridLines = 4;

// The cell size for a glyph size: 6 above 80 pixels in either direction, 8 above 50, else 10.
int zoom_for(const FontHeader& header);

// Gives the canvas cells of `zoom` screen pixels, within kSmallestZoom to kLargestZoom, and draws
// the glyph again; nothing when the zoom stays.
void set_zoom(FontModel& model, GuiServices& gui, int zoom);
// The largest zoom at which the whole glyph fits the room the window leaves the canvas.
int zoom_to_fit(const FontModel& model, GuiServices& gui);

// In one drawing pass: the black grid area and its grey lines.
void draw_grid(const FontModel& model, GuiServices& gui);

// Inside a drawing pass opened by the caller: the grid lines, then over them the baseline and the
// advance of the glyph being edited, each on the grid line it lies on (none on the canvas's bottom
// or right edge, which is then the guide).
void draw_guides(const FontModel& model, GuiServices& gui);

// Fills cell (x, y) from the grid; only inside a drawing pass opened by the caller.
void draw_cell(const FontModel& model, GuiServices& gui, int x, int y);

// In one drawing pass: every cell of the glyph, and the guides.
void draw_glyph(const FontModel& model, GuiServices& gui);

// In one drawing pass: the cells where the grid differs from `shown`, the glyph the canvas shows,
// so that a change costs what it changed. `shown` must have the grid's size.
void draw_changed_cells(const FontModel& model, GuiServices& gui, const GlyphGrid& shown);

// After an Open: a fresh grid for the header, the zoom, and the window and canvas sized to them.
void fit_view_to_font(FontModel& model, GuiServices& gui);

}  // namespace glyphwright

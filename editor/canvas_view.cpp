#include "editor/canvas_view.h"

#include <algorithm>

#include "editor/controls.h"

namespace glyphwright {

namespace {

constexpr int kCanvasX = 10;
constexpr int kCanvasY = 60;
// Below this canvas width the window keeps a minimum width, so the buttons and the list fit.
constexpr int kNarrowCanvasWidth = 300;
constexpr int kMinimumClientWidth = 320;

}  // namespace

int zoom_for(const FontHeader& header)
{
    if (header.glyph_width > 80 || header.glyph_height > 80)
        return 6;
    if (header.glyph_width > 50 || header.glyph_height > 50)
        return 8;
    return 10;
}

void set_zoom(FontModel& model, GuiServices& gui, int zoom)
{
    zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    if (zoom == model.zoom)
        return;
    model.zoom = zoom;
    gui.move_control(controls::kGridCanvas, kCanvasX, kCanvasY, model.header.glyph_width * zoom,
                     model.header.glyph_height * zoom);
    draw_glyph(model, gui);
}

int zoom_to_fit(const FontModel& model, GuiServices& gui)
{
    const ScreenSize room = gui.canvas_room(controls::kGridCanvas);
    const int across = model.header.glyph_width > 0 ? room.width / model.header.glyph_width : kLargestZoom;
    const int down = model.header.glyph_height > 0 ? room.height / model.header.glyph_height : kLargestZoom;
    return std::clamp(std::min(across, down), kSmallestZoom, kLargestZoom);
}

void draw_grid(const FontModel& model, GuiServices& gui)
{
    if (!gui.begin_drawing(controls::kGridCanvas))
        return;
    int zoom = model.zoom;
    int width = model.header.glyph_width * zoom;
    int height = model.header.glyph_height * zoom;
    gui.fill_rect(0, 0, width, height, kBackgroundColour);
    draw_guides(model, gui);
    gui.end_drawing(controls::kGridCanvas);
}

void draw_guides(const FontModel& model, GuiServices& gui)
{
    const int zoom = model.zoom;
    const int width = model.header.glyph_width * zoom;
    const int height = model.header.glyph_height * zoom;
    if (zoom >= kFirstZoomWithGridLines) {
        for (int column = 0; column < model.header.glyph_width; ++column)
            gui.draw_line(column * zoom, 0, column * zoom, height, kGridLineColour);
        for (int row = 0; row < model.header.glyph_height; ++row)
            gui.draw_line(0, row * zoom, width, row * zoom, kGridLineColour);
    }
    // A guide lies on a grid line; one on the canvas's bottom or right edge is the edge itself.
    if (model.ascent >= 0 && model.ascent < model.header.glyph_height)
        gui.draw_line(0, model.ascent * zoom, width, model.ascent * zoom, kBaselineColour);
    if (is_glyph_row(model, model.current_index)) {
        const int column = model.origin_x + model.font_table[static_cast<std::size_t>(model.current_index)].advance;
        if (column >= 0 && column < model.header.glyph_width)
            gui.draw_line(column * zoom, 0, column * zoom, height, kAdvanceColour);
    }
}

void draw_cell(const FontModel& model, GuiServices& gui, int x, int y)
{
    const GlyphGrid& grid = model.glyph_grid;
    if (x < 0 || y < 0 || x >= grid.glyph_width() || y >= grid.glyph_height())
        return;
    const int zoom = model.zoom;
    const Colour colour = grid.at(x, y) == 1 ? kSetPixelColour : kClearPixelColour;
    // With grid lines a cell is drawn inside its line; without them it is the whole square.
    const int line = zoom >= kFirstZoomWithGridLines ? 1 : 0;
    gui.fill_rect(x * zoom + line, y * zoom + line, zoom - line, zoom - line, colour);
}

void draw_glyph(const FontModel& model, GuiServices& gui)
{
    if (!gui.begin_drawing(controls::kGridCanvas))
        return;
    // The grid's own size, not the header's: a cell is only ever read inside the grid.
    for (int x = 0; x < model.glyph_grid.glyph_width(); ++x)
        for (int y = 0; y < model.glyph_grid.glyph_height(); ++y)
            draw_cell(model, gui, x, y);
    draw_guides(model, gui);
    gui.end_drawing(controls::kGridCanvas);
}

void draw_changed_cells(const FontModel& model, GuiServices& gui, const GlyphGrid& shown)
{
    const GlyphGrid& grid = model.glyph_grid;
    if (shown.glyph_width() != grid.glyph_width() || shown.glyph_height() != grid.glyph_height()) {
        draw_glyph(model, gui);
        return;
    }
    if (shown == grid || !gui.begin_drawing(controls::kGridCanvas))
        return;
    for (int x = 0; x < grid.glyph_width(); ++x)
        for (int y = 0; y < grid.glyph_height(); ++y)
            if (grid.at(x, y) != shown.at(x, y))
                draw_cell(model, gui, x, y);
    gui.end_drawing(controls::kGridCanvas);
}

void fit_view_to_font(FontModel& model, GuiServices& gui)
{
    reset_glyph_grid(model);
    model.zoom = zoom_for(model.header);
    int canvas_width = model.header.glyph_width * model.zoom;
    int canvas_height = model.header.glyph_height * model.zoom;
    int client_width = canvas_width >= kNarrowCanvasWidth ? canvas_width + 20 : kMinimumClientWidth;
    int client_height = canvas_height + 70;
    ScreenPoint position = gui.window_position();
    gui.resize_window(position.x, position.y, client_width, client_height);
    gui.move_control(controls::kGridCanvas, kCanvasX, kCanvasY, canvas_width, canvas_height);
}

}  // namespace glyphwright

#include "editor/canvas_view.h"

#include <gtest/gtest.h>

#include "editor/controls.h"
#include "tests/fakes/fake_gui_services.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;

constexpr Colour kGrey = rgb(127, 127, 127);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

FontModel model_of_size(int width, int height)
{
    FontModel model;
    model.header = {width, height, 0, 0};
    model.zoom = zoom_for(model.header);
    reset_glyph_grid(model);
    return model;
}

void create_canvas_for(const FontModel& model, FakeGuiServices& gui)
{
    gui.create_canvas(controls::kGridCanvas, 10, 60, model.header.glyph_width * model.zoom,
                      model.header.glyph_height * model.zoom);
    gui.clear_log();
}

TEST(CanvasView, ZoomThresholdsAreStrict)
{
    struct Row {
        int width, height, zoom;
    };
    const Row rows[] = {
        // At and just over 50 in either direction.
        {50, 50, 10}, {51, 8, 8}, {8, 51, 8},
        // At and just over 80 in either direction.
        {80, 80, 8}, {81, 8, 6}, {8, 81, 6}, {255, 255, 6},
        // Small and empty fonts.
        {8, 8, 10}, {0, 0, 10},
    };
    for (const Row& row : rows)
        EXPECT_EQ(zoom_for({row.width, row.height, 0, 0}), row.zoom) << row.width << " x " << row.height;
}

TEST(CanvasView, FitSizesWindowAndCanvasToTheFont)
{
    struct Row {
        int width, height, zoom, client_width, client_height;
    };
    const Row rows[] = {
        {32, 50, 10, 340, 570},
        {16, 16, 10, 320, 230},  // a narrow canvas keeps the window's minimum width
        {29, 8, 10, 320, 150},   // 290 pixels: still the minimum
        {30, 8, 10, 320, 150},   // 300 pixels: the canvas width plus margins, 320 too
        {31, 8, 10, 330, 150},
        {64, 64, 8, 532, 582},
        {96, 40, 6, 596, 310},
        {248, 255, 6, 1508, 1600},
    };
    for (const Row& row : rows) {
        FakeGuiServices gui;
        gui.window_origin = {123, 45};
        FontModel model;
        model.header = {row.width, row.height, 0, 0};
        model.glyph_grid.set(3, 3, true);
        fit_view_to_font(model, gui);
        EXPECT_EQ(model.zoom, row.zoom) << row.width;
        EXPECT_EQ(gui.client_width, row.client_width) << row.width;
        EXPECT_EQ(gui.client_height, row.client_height) << row.width;
        EXPECT_EQ(gui.window_origin, (ScreenPoint{123, 45})) << "the window stays where it is";
        const testing::FakeControl& canvas = gui.controls[controls::kGridCanvas];
        EXPECT_EQ(canvas.x, 10);
        EXPECT_EQ(canvas.y, 60);
        EXPECT_EQ(canvas.width, row.width * row.zoom);
        EXPECT_EQ(canvas.height, row.height * row.zoom);
        EXPECT_EQ(model.glyph_grid, GlyphGrid(row.width, row.height)) << "a fresh clear grid";
    }
}

TEST(CanvasView, GridHasLinesOnTheTopAndLeftOfEveryCell)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(32, 50);
    create_canvas_for(model, gui);
    draw_grid(model, gui);
    EXPECT_EQ(gui.drawing_passes, 1);
    EXPECT_EQ(gui.pixel(20, 35), kGrey);
    EXPECT_EQ(gui.pixel(25, 30), kGrey);
    EXPECT_EQ(gui.pixel(0, 0), kGrey);
    EXPECT_EQ(gui.pixel(21, 31), kBlack);
    EXPECT_EQ(gui.pixel(29, 39), kBlack);
    // No line closes the right and bottom edges.
    EXPECT_EQ(gui.pixel(319, 499), kBlack);
    EXPECT_EQ(gui.pixel(319, 5), kBlack);
    EXPECT_EQ(gui.count_calls("draw_line"), 32 + 50);
}

TEST(CanvasView, CellFillsTheSquareInsideItsGridLines)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(32, 50);
    create_canvas_for(model, gui);
    draw_grid(model, gui);
    model.glyph_grid.set(2, 3, true);
    draw_glyph(model, gui);
    // Cell (2, 3) at zoom 10: the 9 x 9 square from (21, 31), lines at x = 20 and y = 30.
    EXPECT_EQ(gui.pixel(21, 31), kWhite);
    EXPECT_EQ(gui.pixel(29, 39), kWhite);
    EXPECT_EQ(gui.pixel(20, 31), kGrey);
    EXPECT_EQ(gui.pixel(21, 30), kGrey);
    EXPECT_EQ(gui.pixel(30, 35), kGrey);
    EXPECT_EQ(gui.pixel(31, 41), kBlack);
}

TEST(CanvasView, GlyphIsDrawnInOnePassOneSquarePerPixel)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(16, 8);
    create_canvas_for(model, gui);
    model.glyph_grid.set(15, 7, true);
    draw_glyph(model, gui);
    EXPECT_EQ(gui.drawing_passes, 1);
    EXPECT_EQ(gui.fill_count, 16 * 8);
    EXPECT_EQ(gui.pixel(151, 71), kWhite);
    EXPECT_EQ(gui.pixel(159, 79), kWhite);
}

TEST(CanvasView, NothingIsDrawnWhenThePassCannotOpen)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(8, 8);
    create_canvas_for(model, gui);
    gui.drawing_failures = 2;
    draw_grid(model, gui);
    draw_glyph(model, gui);
    EXPECT_EQ(gui.fill_count, 0);
    EXPECT_EQ(gui.count_calls("draw_line"), 0);
    EXPECT_EQ(gui.count_calls("end_drawing"), 0);
}

TEST(CanvasView, DrawingFollowsTheZoom)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(96, 40);
    ASSERT_EQ(model.zoom, 6);
    create_canvas_for(model, gui);
    draw_grid(model, gui);
    model.glyph_grid.set(95, 39, true);
    draw_glyph(model, gui);
    EXPECT_EQ(gui.pixel(95 * 6, 39 * 6 + 2), kGrey);
    EXPECT_EQ(gui.pixel(95 * 6 + 1, 39 * 6 + 1), kWhite);
    EXPECT_EQ(gui.pixel(575, 239), kWhite);
}

// Zooming sizes the canvas to the glyph at the new zoom and draws it again; from 4 pixels a cell
// down there are no grid lines and a cell is its whole square.
TEST(CanvasView, ZoomStaysWithinItsRangeAndDropsGridLinesBelowFour)
{
    struct Case {
        int asked;
        int zoom;
        bool lines;
    };
    for (Case c : {Case{0, 1, false}, Case{3, 3, false}, Case{4, 4, true}, Case{40, 40, true}, Case{41, 40, true}}) {
        SCOPED_TRACE(c.asked);
        FakeGuiServices gui;
        FontModel model = model_of_size(8, 16);
        create_canvas_for(model, gui);
        model.glyph_grid.set(1, 2, true);
        set_zoom(model, gui, c.asked);
        EXPECT_EQ(model.zoom, c.zoom);
        EXPECT_EQ(gui.controls[controls::kGridCanvas].width, 8 * c.zoom);
        EXPECT_EQ(gui.controls[controls::kGridCanvas].height, 16 * c.zoom);
        EXPECT_EQ(gui.count_calls("draw_line") > 0, c.lines);
        EXPECT_EQ(gui.pixel(c.zoom, 2 * c.zoom), c.lines ? kGrey : kWhite);
        EXPECT_EQ(gui.pixel(2 * c.zoom - 1, 3 * c.zoom - 1), kWhite);
    }
}

// Fit is the largest zoom at which the glyph fits the room the window leaves the canvas.
TEST(CanvasView, ZoomToFitUsesTheRoomOfTheWindow)
{
    FakeGuiServices gui;
    FontModel model = model_of_size(248, 255);
    create_canvas_for(model, gui);
    for (auto [width, height, zoom] : {std::tuple{1280, 770, 2}, std::tuple{340, 200, 1}, std::tuple{3000, 3000, 11}}) {
        gui.resize_window(0, 0, width, height);
        EXPECT_EQ(zoom_to_fit(model, gui), zoom) << width << " x " << height;
    }
    FontModel small = model_of_size(2, 2);
    EXPECT_EQ(zoom_to_fit(small, gui), kLargestZoom);
}

}  // namespace
}  // namespace glyphwright

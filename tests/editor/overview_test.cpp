#include "editor/overview.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/edit_session.h"
#include "editor/editing_commands.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

// One drawing of a glyph's pixels: the canvas, where, and at what scale.
struct BitsDrawn {
    int canvas = 0;
    int x = 0;
    int y = 0;
    int scale = 0;
    bool operator==(const BitsDrawn&) const = default;
};

std::vector<BitsDrawn> bits_drawn(const FakeGuiServices& gui)
{
    std::vector<BitsDrawn> drawn;
    int canvas = 0;
    for (const std::string& line : gui.log) {
        std::istringstream words(line);
        std::string call;
        words >> call;
        if (call == "begin_drawing")
            words >> canvas;
        if (call != "draw_bits")
            continue;
        BitsDrawn bits{canvas};
        int width = 0;
        int height = 0;
        words >> bits.x >> bits.y >> width >> height >> bits.scale;
        drawn.push_back(bits);
    }
    return drawn;
}

// A font of four 8 x 8 glyphs, "A" to "D", being edited at "A", with the Overview open.
class OverviewWindow : public ::testing::Test {
protected:
    void SetUp() override { open_font_of(8, 8, 4, 65); }

    void open_font_of(int width, int height, int count, int first)
    {
        model = FontModel{};
        overview = Overview{};
        model.header = {width, height, first, count};
        set_fixed_metrics(model);
        reset_glyph_grid(model);
        for (int row = 0; row < count; ++row) {
            GlyphGrid grid(width, height);
            for (int y = 0; y < height; ++y)
                grid.set((row + y) % width, y, true);  // a different slant for every glyph
            model.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
        }
        gui = FakeGuiServices{};
        gui.create_canvas(controls::kGridCanvas, 10, 60, width * model.zoom, height * model.zoom);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        for (int row = 0; row < count; ++row)
            gui.list_append(controls::kCharacterList, std::to_string(first + row));
        gui.list_select(controls::kCharacterList, 0);
        model.current_index = 0;
        choose_glyph(model, 0);
        overview.sample_text = "ABCA";
        open_overview(overview, model, gui);
        ASSERT_TRUE(overview.is_open);
        gui.clear_log();
    }

    GlyphGrid row_glyph(int row) const
    {
        GlyphGrid grid(model.header.glyph_width, model.header.glyph_height);
        decode_glyph(model.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
        return grid;
    }

    // Every pixel of `grid` is on canvas `canvas` at (x, y) onwards, `scale` to a font pixel.
    void expect_drawn(int canvas, int x, int y, int scale, const GlyphGrid& grid)
    {
        for (int gy = 0; gy < grid.glyph_height(); ++gy)
            for (int gx = 0; gx < grid.glyph_width(); ++gx)
                for (int corner : {0, scale - 1}) {
                    Colour expected = grid.at(gx, gy) == 1 ? kWhite : kBlack;
                    ASSERT_EQ(gui.pixel_of(canvas, x + gx * scale + corner, y + gy * scale + corner), expected)
                        << "glyph pixel (" << gx << ", " << gy << ")";
                }
    }

    void expect_map_shows(int index, const GlyphGrid& grid)
    {
        Box box = map_glyph_box(overview.map, index);
        ScreenPoint corner = gui.scroll_position(controls::kGlyphMap);
        expect_drawn(controls::kGlyphMap, box.x - corner.x, box.y - corner.y, overview.map.scale, grid);
    }

    BitsDrawn map_bits(int index) const
    {
        Box box = map_glyph_box(overview.map, index);
        return {controls::kGlyphMap, box.x, box.y, overview.map.scale};
    }

    // Handles the next scripted event as the shell does: the command, then the overview follows.
    void handle_next_event()
    {
        UiEvent event = gui.wait_event();
        if (is_overview_control(event.control_id))
            overview_event(overview, model, gui, event);
        else if (event.control_id == controls::kGridCanvas)
            end_stroke(model, gui, session, event.mouse);
        else if (event.control_id == controls::kCharacterList)
            select_character(model, gui);
        overview_follow(overview, model, gui, FontScope::Glyphs);
    }

    FontModel model;
    FakeGuiServices gui;
    EditSession session;
    Overview overview;
};

TEST_F(OverviewWindow, OpensWithEveryGlyphLabelledAndTheEditedOneFramed)
{
    const testing::FakeWindow& window = gui.windows.at(controls::kOverviewWindow);
    EXPECT_EQ(window.title, "Overview");
    EXPECT_EQ(window.client_width, overview.window.client_width);
    EXPECT_EQ(gui.controls.at(controls::kSampleField).text, "ABCA");
    for (int index = 0; index < 4; ++index)
        expect_map_shows(index, row_glyph(index));
    Box frame = map_frame_box(overview.map, 0);
    EXPECT_EQ(gui.pixel_of(controls::kGlyphMap, frame.x, frame.y), kMapFrameColour);
    Box unframed = map_frame_box(overview.map, 1);
    EXPECT_EQ(gui.pixel_of(controls::kGlyphMap, unframed.x, unframed.y), kOverviewBackground);

    FakeGuiServices reopened;
    reopened.create_canvas(controls::kGridCanvas, 10, 60, 80, 80);
    Overview other;
    open_overview(other, model, reopened);
    for (int index = 0; index < 4; ++index) {
        Box label = map_label_box(other.map, index);
        EXPECT_EQ(reopened.count_calls("draw_text " + std::to_string(label.x) + " " + std::to_string(label.y) + " "
                                       + std::to_string(label.width) + " " + std::to_string(label.height) + " "
                                       + std::to_string(65 + index) + " "),
                  1);
    }
}

TEST_F(OverviewWindow, EditedGlyphIsDrawnAsEditedTheOthersAsTheyWere)
{
    GlyphGrid before = row_glyph(0);
    gui.click_canvas(5, 5);  // pixel (0, 0) of "A"
    handle_next_event();
    ASSERT_NE(model.glyph_grid, before);
    ASSERT_EQ(model.glyph_grid, row_glyph(0)) << "the edit is in its row at once";
    expect_map_shows(0, model.glyph_grid);
    expect_map_shows(1, row_glyph(1));
    // "A" is the first and last character of the sample, at both scales.
    const Box& line2 = overview.sample.cells[4].box;
    expect_drawn(controls::kSampleCanvas, 0, 0, 1, model.glyph_grid);
    expect_drawn(controls::kSampleCanvas, 24, 0, 1, model.glyph_grid);
    expect_drawn(controls::kSampleCanvas, line2.x, line2.y, 2, model.glyph_grid);
    expect_drawn(controls::kSampleCanvas, 8, 0, 1, row_glyph(1));
}

// Every kind of change draws again the one glyph it touched, in the map and in the sample, and
// nothing else; a change that touches no glyph draws nothing.
TEST_F(OverviewWindow, EachChangeRedrawsExactlyTheGlyphItTouched)
{
    auto sample_bits = [&](int row) {
        std::vector<BitsDrawn> drawn;
        for (const SampleCell& cell : overview.sample.cells)
            if (cell.row == row)
                drawn.push_back({controls::kSampleCanvas, cell.box.x, cell.box.y, cell.scale});
        return drawn;
    };
    auto with = [](BitsDrawn first, std::vector<BitsDrawn> rest) {
        rest.insert(rest.begin(), first);
        return rest;
    };
    struct Row {
        const char* change;
        std::function<void()> act;
        std::function<std::vector<BitsDrawn>()> expected;
    };
    const Row rows[] = {
        {"click on the canvas", [&] { gui.click_canvas(15, 25); handle_next_event(); },
         [&] { return with(map_bits(0), sample_bits(0)); }},
        {"paste", [&] { model.glyph_clipboard = model.font_table[3].glyph_data; paste_step(model, gui, session); },
         [&] { return with(map_bits(0), sample_bits(0)); }},
        {"restore", [&] { restore_step(model, gui, session); }, [&] { return with(map_bits(0), sample_bits(0)); }},
        {"choosing another character", [&] { gui.choose_list_entry(2); handle_next_event(); },
         [&] { return with(map_bits(2), sample_bits(2)); }},
        {"copy", [&] { copy_glyph(model); }, [] { return std::vector<BitsDrawn>{}; }},
        {"restore of an unchanged glyph", [&] { restore_step(model, gui, session); },
         [] { return std::vector<BitsDrawn>{}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        gui.clear_log();
        row.act();
        std::vector<BitsDrawn> expected = row.expected();
        overview_follow(overview, model, gui, FontScope::Glyphs);
        std::vector<BitsDrawn> drawn = bits_drawn(gui);
        std::erase_if(drawn, [](const BitsDrawn& bits) { return bits.canvas == controls::kGridCanvas; });
        EXPECT_EQ(drawn, expected);
        expect_map_shows(model.current_index, model.glyph_grid);
    }
    // The frame went with the choice.
    Box frame = map_frame_box(overview.map, 2);
    EXPECT_EQ(gui.pixel_of(controls::kGlyphMap, frame.x, frame.y), kMapFrameColour);
    Box old_frame = map_frame_box(overview.map, 0);
    EXPECT_EQ(gui.pixel_of(controls::kGlyphMap, old_frame.x, old_frame.y), kOverviewBackground);
}

TEST_F(OverviewWindow, ClickOnTheMapChoosesThatCharacterAsTheListDoes)
{
    gui.click_canvas(5, 5);
    handle_next_event();
    std::string edited = encode_glyph(model.glyph_grid);
    Box cell = map_cell(overview.map, 3);
    gui.click_canvas_of(controls::kGlyphMap, cell.x + cell.width - 1, cell.y + cell.height - 1);
    handle_next_event();
    EXPECT_EQ(gui.list_selection, 3);
    EXPECT_EQ(model.current_index, 3);
    EXPECT_EQ(model.font_table[0].glyph_data, edited) << "the edited glyph is stored";
    EXPECT_EQ(model.glyph_grid, row_glyph(3));
    EXPECT_EQ(gui.pixel(1 + 3 * 10, 1), kWhite) << "the canvas shows D's top row";

    // A click between or beyond the glyphs chooses nothing.
    gui.click_canvas_of(controls::kGlyphMap, overview.map.content_width + 1, 0);
    handle_next_event();
    EXPECT_EQ(model.current_index, 3);
}

TEST_F(OverviewWindow, ScrolledMapIsHitAndDrawnWhereItIs)
{
    open_font_of(96, 96, 100, 32);  // scale 1, 7 to a row, 15 rows: the map scrolls
    ASSERT_GT(overview.map.content_height, kMapMaxHeight);
    EXPECT_EQ(gui.scrolls[controls::kGlyphMap].content_height, overview.map.content_height);
    Box glyph = map_glyph_box(overview.map, 35);  // row 5 of the map
    gui.scroll_canvas(controls::kGlyphMap, 0, glyph.y - 10);
    handle_next_event();
    expect_map_shows(35, row_glyph(35));

    gui.click_canvas_of(controls::kGlyphMap, glyph.x + 1, 11);
    handle_next_event();
    EXPECT_EQ(model.current_index, 35);
    // Only the glyphs in view are drawn: 600 pixels of view meet rows 0 to 5 (116 pixels each) of 15.
    gui.clear_log();
    gui.scroll_canvas(controls::kGlyphMap, 0, 0);
    handle_next_event();
    EXPECT_EQ(gui.count_calls("draw_bits"), 6 * 7);
}

TEST_F(OverviewWindow, SampleTextFollowsTheFieldAndLeavesUnknownCharactersEmpty)
{
    gui.type_into(controls::kSampleField, "DzB");
    handle_next_event();
    EXPECT_EQ(overview.sample_text, "DzB");
    EXPECT_EQ(gui.scrolls[controls::kSampleCanvas].content_width, 3 * 16);
    expect_drawn(controls::kSampleCanvas, 0, 0, 1, row_glyph(3));
    expect_drawn(controls::kSampleCanvas, 16, 0, 1, row_glyph(1));
    expect_drawn(controls::kSampleCanvas, 32, 8 + kSampleLineGap, 2, row_glyph(1));
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            ASSERT_EQ(gui.pixel_of(controls::kSampleCanvas, x, y), kBlack) << "\"z\" is outside the font";
    EXPECT_EQ(gui.pixel_of(controls::kSampleCanvas, 3 * 8, 0), kOverviewBackground) << "after the text";
}

TEST_F(OverviewWindow, ClosingKeepsTheSampleTextAndANewFontMayResizeTheWindow)
{
    gui.type_into(controls::kSampleField, "BAD");
    handle_next_event();
    gui.close_window_by_user(controls::kOverviewWindow);
    handle_next_event();
    EXPECT_FALSE(overview.is_open);
    EXPECT_FALSE(gui.windows.contains(controls::kOverviewWindow));
    EXPECT_FALSE(gui.controls.contains(controls::kGlyphMap));
    gui.clear_log();
    gui.click_canvas(5, 5);
    handle_next_event();
    EXPECT_EQ(gui.count_calls("begin_drawing 51"), 0) << "a closed window draws nothing";

    toggle_overview(overview, model, gui);
    EXPECT_TRUE(overview.is_open);
    EXPECT_EQ(gui.controls.at(controls::kSampleField).text, "BAD");
    expect_map_shows(0, model.glyph_grid);

    // A font of the same size is drawn in the same window; one of another size gets a new window.
    gui.clear_log();
    model.font_table[1].glyph_data = model.font_table[2].glyph_data;
    overview_follow(overview, model, gui, FontScope::WholeFont);
    EXPECT_EQ(gui.count_calls("open_window"), 0);
    expect_map_shows(1, row_glyph(2));
    model.header = {16, 16, 65, 4};
    reset_glyph_grid(model);
    choose_glyph(model, 0);
    overview_follow(overview, model, gui, FontScope::WholeFont);
    EXPECT_EQ(gui.count_calls("close_window 50"), 1);
    EXPECT_EQ(gui.windows.at(controls::kOverviewWindow).client_height, overview.window.client_height);
    EXPECT_EQ(overview.map.glyph_width, 16);
    expect_map_shows(0, model.glyph_grid);
}

// A window the user resizes flows the map into as many columns as fit, keeps the sample below it,
// keeps its size when the font changes, and opens again at its own size.
TEST_F(OverviewWindow, ResizedWindowReflowsTheMapAndKeepsItsSizeUntilClosed)
{
    open_font_of(8, 8, 95, 32);
    const OverviewWindowLayout opened = overview.window;
    for (auto [width, height] : {std::pair{300, 500}, std::pair{700, 320}, std::pair{240, 200}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        gui.resize_window_by_user(controls::kOverviewWindow, width, height);
        handle_next_event();
        const Box& view = overview.window.map_view;
        EXPECT_EQ(gui.controls.at(controls::kGlyphMap).width, view.width);
        EXPECT_EQ(gui.controls.at(controls::kGlyphMap).height, view.height);
        EXPECT_LE(overview.map.columns * overview.map.cell_width, std::max(view.width, overview.map.cell_width));
        EXPECT_GT((overview.map.columns + 1) * overview.map.cell_width, view.width - kScrollBarSize);
        const testing::FakeControl& sample = gui.controls.at(controls::kSampleCanvas);
        EXPECT_EQ(sample.y, gui.controls.at(controls::kSampleField).y + kSampleEditHeight + kOverviewGap);
        EXPECT_LE(sample.y + sample.height + kScrollBarSize, height);
        EXPECT_LE(sample.x + sample.width, width);
        expect_map_shows(0, model.glyph_grid);
    }
    // Another font flows into the same window.
    const ScreenSize size{overview.window.client_width, overview.window.client_height};
    model.header = {16, 16, 65, 4};
    reset_glyph_grid(model);
    choose_glyph(model, 0);
    overview_follow(overview, model, gui, FontScope::WholeFont);
    EXPECT_EQ(gui.count_calls("close_window"), 0);
    EXPECT_EQ((ScreenSize{overview.window.client_width, overview.window.client_height}), size);
    expect_map_shows(0, model.glyph_grid);

    toggle_overview(overview, model, gui);
    toggle_overview(overview, model, gui);
    EXPECT_EQ(overview.window, overview_window_layout(map_layout(model.header), model.header));
    EXPECT_NE(overview.window, opened);
}

}  // namespace
}  // namespace glyphwright

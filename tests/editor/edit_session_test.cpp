#include "editor/edit_session.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/dispatch.h"
#include "app/shell.h"
#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;

constexpr int kZoom = 10;

// The editor with a font of three 10 x 16 glyphs, A to C (rows that do not end on a byte), A on the
// canvas, and the log cleared. Events go through the dispatch, as in the program.
class EditSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_start_values(shell.model);
        ASSERT_TRUE(build_main_window(shell, gui));
        FontModel& model = shell.model;
        model.header = {10, 16, 65, 3};
        fit_view_to_font(model, gui);
        draw_grid(model, gui);
        for (int row = 0; row < 3; ++row) {
            GlyphGrid glyph(10, 16);
            glyph.set(row, row + 1, true);
            model.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(glyph);
            gui.list_append(controls::kCharacterList, std::string(1, static_cast<char>('A' + row)));
        }
        gui.list_select(controls::kCharacterList, 0);
        choose_glyph(model, 0);
        draw_glyph(model, gui);
        gui.clear_log();
    }

    // Dispatches every queued event.
    void run()
    {
        while (!gui.events.empty())
            dispatch_event(gui.wait_event(), shell, gui);
    }

    static int centre(int cell) { return cell * kZoom + kZoom / 2; }

    void drag(std::initializer_list<std::pair<int, int>> cells)
    {
        auto point = cells.begin();
        gui.press_canvas(centre(point->first), centre(point->second));
        for (++point; point != cells.end(); ++point)
            gui.move_canvas(centre(point->first), centre(point->second));
        gui.release_canvas(centre((cells.end() - 1)->first), centre((cells.end() - 1)->second));
        run();
    }

    void press(const std::string& key)
    {
        gui.press_key(key);
        run();
    }

    const GlyphGrid& grid() const { return shell.model.glyph_grid; }

    GlyphGrid stored_glyph(int row) const
    {
        GlyphGrid glyph(10, 16);
        decode_glyph(shell.model.font_table[static_cast<std::size_t>(row)].glyph_data, glyph);
        return glyph;
    }

    // Every cell square on the canvas has the colour of its pixel.
    void expect_canvas_shows_grid() const
    {
        for (int x = 0; x < grid().glyph_width(); ++x)
            for (int y = 0; y < grid().glyph_height(); ++y)
                ASSERT_EQ(gui.pixel(x * kZoom + 1, y * kZoom + 1) == kSetPixelColour, grid().at(x, y) == 1)
                    << "cell (" << x << ", " << y << ")";
    }

    ShellState shell;
    FakeGuiServices gui;
};

TEST_F(EditSessionTest, AFastDragLeavesNoGapAndDrawsOnlyTheCellsItChanges)
{
    // Each line is drawn by a press and one move: the cells between come from the line alone.
    struct Line {
        int x0, y0, x1, y1;
    };
    const Line lines[] = {{0, 3, 9, 3}, {0, 0, 9, 9}, {0, 0, 3, 15}, {9, 15, 1, 2}};
    for (const Line& line : lines) {
        shell.model.glyph_grid = GlyphGrid(10, 16);
        draw_glyph(shell.model, gui);
        gui.clear_log();
        drag({{line.x0, line.y0}, {line.x1, line.y1}});
        // One cell for every step along the longer direction, and successive cells touch.
        int span = std::max(std::abs(line.x1 - line.x0), std::abs(line.y1 - line.y0));
        bool steep = std::abs(line.y1 - line.y0) > std::abs(line.x1 - line.x0);
        int set_cells = 0;
        int previous = -1;
        for (int along = 0; along <= span; ++along) {
            int count = 0;
            int across = -1;
            for (int other = 0; other < (steep ? 10 : 16); ++other)
                if (steep ? grid().at(other, std::min(line.y0, line.y1) + along)
                          : grid().at(std::min(line.x0, line.x1) + along, other)) {
                    ++count;
                    across = other;
                }
            ASSERT_EQ(count, 1) << "line " << line.x0 << "," << line.y0 << " to " << line.x1 << "," << line.y1;
            ASSERT_TRUE(previous < 0 || std::abs(across - previous) <= 1);
            previous = across;
            set_cells += count;
        }
        EXPECT_TRUE(grid().at(line.x0, line.y0) && grid().at(line.x1, line.y1));
        EXPECT_EQ(gui.fill_count, set_cells) << "one square for each changed cell, no more";
        expect_canvas_shows_grid();
    }
}

TEST_F(EditSessionTest, AStrokeFromASetCellClearsWhatItCrosses)
{
    shell.model.glyph_grid = GlyphGrid(10, 16);
    apply_operation(GlyphOperation::Invert, shell.model.glyph_grid);
    drag({{2, 5}, {2, 5}, {7, 5}, {7, 5}});  // moves within a cell change nothing more
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(grid().at(x, 5), x >= 2 && x <= 7 ? 0 : 1) << x;
    EXPECT_EQ(grid().at(2, 4), 1);
}

TEST_F(EditSessionTest, AStrokeGoesOnOutsideTheCanvasAndEscapeTakesItBack)
{
    GlyphGrid before = grid();
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape before the release" : "released outside");
        gui.press_canvas(centre(0), centre(1));
        gui.move_canvas(centre(9), centre(1));
        gui.move_canvas(-30, 400);  // far beyond the glyph: only cells on the way are drawn
        if (escape)
            gui.press_key("Esc");
        gui.release_canvas(-30, 400);
        run();
        expect_canvas_shows_grid();
        if (escape) {
            EXPECT_EQ(grid(), before) << "Escape put every cell back";
        } else {
            EXPECT_NE(grid(), before);
            EXPECT_EQ(grid().at(0, 1), 0) << "the cells on the way keep the stroke";
            press("Ctrl+Z");
            EXPECT_EQ(grid(), before) << "one step";
        }
    }
    EXPECT_EQ(gui.menu_item_enabled[controls::kUndoItem], false) << "Escape left no step";
}

TEST_F(EditSessionTest, PressAndReleaseOnOneCellIsExactlyAClick)
{
    // Mouse positions on the corners of cells and on a grid line, as for clicks.
    const std::pair<int, int> positions[] = {{0, 0}, {9, 9}, {10, 0}, {99, 159}};
    for (auto [x, y] : positions) {
        FakeGuiServices clicked;
        ShellState clicked_shell;
        set_start_values(clicked_shell.model);
        build_main_window(clicked_shell, clicked);
        clicked_shell.model = shell.model;
        clicked.clear_log();
        clicked.click_canvas(x, y);
        dispatch_event(clicked.wait_event(), clicked_shell, clicked);

        gui.clear_log();
        gui.press_canvas(x, y);
        gui.release_canvas(x, y);
        run();
        EXPECT_EQ(grid(), clicked_shell.model.glyph_grid) << x << ", " << y;
        EXPECT_EQ(gui.fill_count, 1);
        EXPECT_EQ(clicked.fill_count, 1);
        // Either way the click is one step.
        press("Ctrl+Z");
        clicked.press_key("Ctrl+Z");
        dispatch_event(clicked.wait_event(), clicked_shell, clicked);
        EXPECT_EQ(clicked_shell.model.glyph_grid, grid());
    }
}

TEST_F(EditSessionTest, UndoAndRedoWalkStepsAcrossCharactersPasteRestoreAndOperations)
{
    GlyphGrid a_before = grid();
    drag({{0, 0}, {3, 0}});  // A: a stroke
    GlyphGrid a_after = grid();
    press("Ctrl+C");
    press("PgDown");  // B, storing A
    GlyphGrid b_before = grid();
    press("Ctrl+V");  // B: A's pixels
    press("Right");   // B: shifted
    GlyphGrid b_after = grid();
    gui.choose_list_entry(2);  // C: choosing is no step
    run();
    drag({{5, 5}});  // C: a click
    gui.events.push_back({EventKind::ControlEvent, controls::kRestoreButton, EventSubtype::ButtonPress, 0});
    run();  // C: restored, a step of its own

    struct Expected {
        const char* key;
        int row;
        GlyphGrid glyph;
    };
    GlyphGrid c_original = stored_glyph(2);
    GlyphGrid c_clicked = c_original;
    c_clicked.toggle(5, 5);
    const Expected walk[] = {
        {"Ctrl+Z", 2, c_clicked},      // Restore taken back
        {"Ctrl+Z", 2, c_original},     // the click taken back
        {"Ctrl+Z", 1, a_after},         // the shift: B is selected again, showing the pasted glyph
        {"Ctrl+Z", 1, b_before},        // the paste
        {"Ctrl+Z", 0, a_before},        // the stroke, on A
        {"Ctrl+Z", 0, a_before},        // nothing more
        {"Ctrl+Y", 0, a_after},
        {"Ctrl+Shift+Z", 1, a_after},
        {"Ctrl+Y", 1, b_after},
    };
    for (const Expected& step : walk) {
        press(step.key);
        EXPECT_EQ(shell.model.current_index, step.row) << step.key;
        EXPECT_EQ(gui.list_selection, step.row) << "the list shows the character";
        EXPECT_EQ(grid(), step.glyph) << step.key << " to row " << step.row;
        expect_canvas_shows_grid();
    }
    EXPECT_EQ(stored_glyph(2), c_original) << "leaving C stored the glyph it showed";
    EXPECT_EQ(stored_glyph(0), a_after);
}

TEST_F(EditSessionTest, ANewStepAfterUndoDropsTheRedoAndTheMenuFollows)
{
    drag({{1, 1}});
    EXPECT_TRUE(gui.menu_item_enabled[controls::kUndoItem]);
    drag({{2, 2}});
    press("Ctrl+Z");
    EXPECT_TRUE(gui.menu_item_enabled[controls::kRedoItem]);
    drag({{3, 3}});
    EXPECT_FALSE(gui.menu_item_enabled[controls::kRedoItem]);
    GlyphGrid now = grid();
    press("Ctrl+Y");
    EXPECT_EQ(grid(), now);
    EXPECT_EQ(grid().at(2, 2), 0);
}

TEST_F(EditSessionTest, EveryOperationKeyIsOneStepThatUndoTakesBack)
{
    const std::pair<const char*, GlyphOperation> keys[] = {
        {"Left", GlyphOperation::ShiftLeft},         {"Right", GlyphOperation::ShiftRight},
        {"Up", GlyphOperation::ShiftUp},             {"Down", GlyphOperation::ShiftDown},
        {"H", GlyphOperation::FlipHorizontally},     {"V", GlyphOperation::FlipVertically},
        {"I", GlyphOperation::Invert},               {"Del", GlyphOperation::Clear},
    };
    drag({{2, 1}, {5, 1}, {7, 9}});  // a glyph that every operation changes
    for (auto [key, operation] : keys) {
        GlyphGrid before = grid();
        GlyphGrid expected = before;
        apply_operation(operation, expected);
        press(key);
        EXPECT_EQ(grid(), expected) << key;
        expect_canvas_shows_grid();
        press("Ctrl+Z");
        EXPECT_EQ(grid(), before) << key;
        press("Ctrl+Y");
        EXPECT_EQ(grid(), expected) << key;
    }
}

TEST_F(EditSessionTest, AKeyDuringADragEndsTheStrokeAsAStep)
{
    GlyphGrid before = grid();
    gui.press_canvas(centre(0), centre(8));
    gui.move_canvas(centre(6), centre(8));
    run();
    press("Ctrl+Z");  // the stroke so far is one step, taken back
    EXPECT_EQ(grid(), before);
    gui.move_canvas(centre(9), centre(9));
    gui.release_canvas(centre(9), centre(9));
    run();
    EXPECT_EQ(grid(), before) << "moves and the release after the stroke ended draw nothing";
}

TEST_F(EditSessionTest, PageKeysStopAtTheFirstAndLastCharacter)
{
    const std::pair<const char*, int> presses[] = {{"PgUp", 0}, {"PgDown", 1}, {"PgDown", 2}, {"PgDown", 2}, {"PgUp", 1}};
    for (auto [key, row] : presses) {
        press(key);
        EXPECT_EQ(shell.model.current_index, row) << key;
        EXPECT_EQ(gui.list_selection, row);
        EXPECT_EQ(grid(), stored_glyph(row));
    }
}

TEST_F(EditSessionTest, OnlyAnOpenThatReplacesTheFontEmptiesTheHistory)
{
    testing::TempFolder folder;
    testing::write_file(folder.file("bad.c"), "no font here\n");
    testing::write_file(folder.file("good.c"),
                        "fontdatatype F[12] PROGMEM={\n0x08,0x08,0x41,0x01,\n"
                        "0x18,0x3C,0x66,0x66,0x7E,0x66,0x66,0x00,\n};\n");
    drag({{4, 4}});
    for (const std::string& answer : {std::string(), folder.file("bad.c")}) {
        gui.question_answers.push_back(1);  // Discard the changes
        gui.open_dialog_answers.push_back(answer);
        gui.events.push_back({EventKind::MenuEvent, 0, EventSubtype::None, controls::kOpenItem});
        run();
        EXPECT_TRUE(shell.edit.history.can_undo()) << "after an Open of [" << answer << "]";
    }
    gui.question_answers.push_back(1);
    gui.open_dialog_answers.push_back(folder.file("good.c"));
    gui.events.push_back({EventKind::MenuEvent, 0, EventSubtype::None, controls::kOpenItem});
    run();
    ASSERT_EQ(shell.model.header, (FontHeader{8, 8, 65, 1}));
    EXPECT_FALSE(shell.edit.history.can_undo());
    EXPECT_FALSE(gui.menu_item_enabled[controls::kUndoItem]);
}

}  // namespace
}  // namespace glyphwright

#include "editor/editing_commands.h"

#include <gtest/gtest.h>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/edit_session.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

// A font of 8 x 2 glyphs, rows "A" to "C", with the list filled and entry 0 being edited.
class EditingCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.header = {8, 2, 65, 3};
        model.zoom = 10;
        reset_glyph_grid(model);
        model.font_table[0].glyph_data = "0x80,0x00,";
        model.font_table[1].glyph_data = "0x01,0x00,";
        model.font_table[2].glyph_data = "0x00,0xFF,";
        gui.create_canvas(controls::kGridCanvas, 10, 60, 80, 20);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        for (const char* label : {"A", "B", "C"})
            gui.list_append(controls::kCharacterList, label);
        gui.list_select(controls::kCharacterList, 0);
        choose_glyph(model, 0);
        gui.clear_log();
    }

    // The user clicks canvas pixel (x, y) and the click is handled.
    void click(int x, int y)
    {
        gui.click_canvas(x, y);
        end_stroke(model, gui, session, gui.wait_event().mouse);
    }

    // The user chooses list entry `position` and the choice is handled.
    void choose(int position)
    {
        gui.choose_list_entry(position);
        gui.wait_event();
        select_character(model, gui);
    }

    FontModel model;
    FakeGuiServices gui;
    EditSession session;
};

TEST_F(EditingCommands, ClickFlipsThePixelUnderTheMouse)
{
    struct Row {
        int mouse_x, mouse_y, x, y;
    };
    const Row rows[] = {
        {0, 0, 0, 0}, {9, 9, 0, 0},    // the corners of cell (0, 0)
        {10, 0, 1, 0},                 // on a grid line: the cell to its right
        {79, 19, 7, 1},                // the last pixel of the glyph
    };
    for (const Row& row : rows) {
        int before = model.glyph_grid.at(row.x, row.y);
        click(row.mouse_x, row.mouse_y);
        EXPECT_EQ(model.glyph_grid.at(row.x, row.y), 1 - before) << row.mouse_x << ", " << row.mouse_y;
    }
}

TEST_F(EditingCommands, ClickRedrawsOneCellAndStoresTheGlyphInItsRow)
{
    click(35, 15);
    EXPECT_EQ(model.glyph_grid.at(3, 1), 1);
    EXPECT_EQ(gui.drawing_passes, 1);
    EXPECT_EQ(gui.fill_count, 1);
    EXPECT_EQ(gui.pixel(31, 11), kWhite);
    EXPECT_EQ(gui.pixel(39, 19), kWhite);
    EXPECT_EQ(model.font_table[0].glyph_data, "0x80,0x10,");

    click(39, 19);  // a second click on the cell, as in a double click
    EXPECT_EQ(model.glyph_grid.at(3, 1), 0);
    EXPECT_EQ(gui.pixel(31, 11), kBlack);
}

TEST_F(EditingCommands, ClickOutsideTheGlyphChangesNothing)
{
    GlyphGrid before = model.glyph_grid;
    // The spare column and row beyond the glyph, and positions no canvas click can have.
    for (auto [x, y] : {std::pair{80, 5}, {5, 20}, {80, 20}, {500, 500}, {-1, 5}, {5, -1}, {-10, -10}})
        click(x, y);
    EXPECT_EQ(model.glyph_grid, before);
    EXPECT_EQ(gui.drawing_passes, 0);
}

TEST_F(EditingCommands, ClickChangesNothingWhenThePassCannotOpen)
{
    gui.drawing_failures = 1;
    click(5, 5);
    EXPECT_EQ(model.glyph_grid.at(0, 0), 1);
    EXPECT_EQ(gui.fill_count, 0);
}

TEST_F(EditingCommands, ChoosingACharacterKeepsTheEditAndLoadsTheChoice)
{
    click(15, 5);  // sets pixel (1, 0) of "A"
    choose(2);
    EXPECT_EQ(model.font_table[0].glyph_data, "0xC0,0x00,");
    EXPECT_EQ(model.current_index, 2);
    EXPECT_EQ(model.glyph_grid.at(0, 1), 1);
    EXPECT_EQ(model.glyph_grid.at(0, 0), 0);
    EXPECT_EQ(gui.pixel(1, 11), kWhite);
    EXPECT_EQ(gui.pixel(11, 1), kBlack);

    choose(0);
    EXPECT_EQ(model.glyph_grid.at(1, 0), 1) << "the first character shows the edit";
    EXPECT_EQ(gui.pixel(11, 1), kWhite);
    EXPECT_EQ(model.font_table[2].glyph_data, "0x00,0xFF,");
}

TEST_F(EditingCommands, ChoosingNoEntryChangesNothing)
{
    click(15, 5);
    gui.list_select(controls::kCharacterList, -1);
    gui.clear_log();
    select_character(model, gui);
    EXPECT_EQ(model.current_index, 0);
    EXPECT_EQ(model.glyph_grid.at(1, 0), 1) << "the edit stays on the canvas";
    EXPECT_EQ(gui.drawing_passes, 0);
}

TEST_F(EditingCommands, ChoosingWithNoGlyphBeingEditedChangesNoRow)
{
    model.current_index = -1;
    model.glyph_grid.set(7, 1, true);
    choose(1);
    for (int row = 0; row < 3; ++row)
        EXPECT_NE(model.font_table[static_cast<std::size_t>(row)].glyph_data, "0x80,0x01,");
    EXPECT_EQ(model.current_index, 1);
    EXPECT_EQ(model.glyph_grid.at(7, 0), 1);
    EXPECT_EQ(model.glyph_grid.at(7, 1), 0);
}

// A character typed in the list chooses the character that reads as it, through the code page.
TEST_F(EditingCommands, TypedCharacterChoosesTheCharacterThatReadsAsIt)
{
    model.font_table[0].code_point = U'A';
    model.font_table[1].code_point = 0x82;  // é in CP437, a control character in Latin-1
    model.font_table[2].code_point = U'C';
    struct Case {
        const char* code_page;
        const char* typed;
        int row;
    };
    for (Case c : {Case{"", "C", 2}, Case{"", "é", 0}, Case{"CP437", "é", 1}, Case{"", "\xC2\x82", 1},
                   Case{"", "CA", 0}, Case{"", "z", 0}}) {
        SCOPED_TRACE(std::string(c.code_page) + " " + c.typed);
        model.code_page = c.code_page;
        choose(0);
        select_typed_character(model, gui, c.typed);
        EXPECT_EQ(model.current_index, c.row);
        EXPECT_EQ(gui.list_selected(controls::kCharacterList), c.row);
    }
}

TEST_F(EditingCommands, CopyAndPasteMoveAGlyphThroughTheClipboardOnly)
{
    copy_glyph(model);
    EXPECT_EQ(model.glyph_clipboard, "0x80,0x00,");
    EXPECT_EQ(gui.drawing_passes, 0);
    choose(1);
    paste_step(model, gui, session);
    EXPECT_EQ(encode_glyph(model.glyph_grid), "0x80,0x00,");
    EXPECT_EQ(gui.pixel(1, 1), kWhite);
    EXPECT_EQ(model.font_table[1].glyph_data, "0x80,0x00,");
    choose(2);
    EXPECT_EQ(model.font_table[1].glyph_data, "0x80,0x00,");
    EXPECT_EQ(model.font_table[0].glyph_data, "0x80,0x00,");
}

TEST_F(EditingCommands, PasteBeforeAnyCopyClearsTheGlyph)
{
    paste_step(model, gui, session);
    EXPECT_EQ(model.glyph_grid, GlyphGrid(8, 2));
    EXPECT_EQ(gui.pixel(1, 1), kBlack);
}

TEST_F(EditingCommands, PasteDecodesWithTheCurrentSize)
{
    copy_glyph(model);  // 8 x 2: "0x80,0x00,"
    model.header = {16, 1, 65, 3};
    reset_glyph_grid(model);
    gui.move_control(controls::kGridCanvas, 10, 60, 160, 10);
    paste_step(model, gui, session);
    EXPECT_EQ(model.glyph_grid.at(0, 0), 1);
    EXPECT_EQ(encode_glyph(model.glyph_grid), "0x80,0x00,");
}

TEST_F(EditingCommands, RestoreUndoesTheEditsSinceTheCharacterWasChosen)
{
    click(15, 5);
    click(5, 5);
    restore_step(model, gui, session);
    EXPECT_EQ(encode_glyph(model.glyph_grid), "0x80,0x00,");
    EXPECT_EQ(gui.pixel(1, 1), kWhite);
    EXPECT_EQ(gui.pixel(11, 1), kBlack);

    click(15, 5);
    choose(1);
    choose(0);
    restore_step(model, gui, session);
    EXPECT_EQ(encode_glyph(model.glyph_grid), "0xC0,0x00,") << "an edit before the choice is what Restore returns to";
    EXPECT_EQ(model.font_table[0].glyph_data, "0xC0,0x00,");
}

TEST_F(EditingCommands, RestoreWithNoGlyphBeingEditedChangesNothing)
{
    model.glyph_grid.set(5, 1, true);
    for (int index : {-1, kFontTableRows}) {
        model.current_index = index;
        restore_step(model, gui, session);
        EXPECT_EQ(model.glyph_grid.at(5, 1), 1);
    }
    EXPECT_EQ(gui.drawing_passes, 0);
}

}  // namespace
}  // namespace glyphwright

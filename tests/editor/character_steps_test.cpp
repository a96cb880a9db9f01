// The advance of a glyph, and which characters the font has, changed through the Edit menu's keys
// and items as steps that Undo and Redo walk, with the canvas's guides, the list and the label
// following.

#include "editor/character_steps.h"

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/shell.h"
#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "formats/bdf_font.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;

constexpr int kZoom = 10;

// A proportional font of 8 x 10 cells: A, B and D with advances 5, 6 and 7, the baseline 8 rows
// down, the origin one column in; A on the canvas.
class CharacterSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_start_values(shell.model);
        ASSERT_TRUE(build_main_window(shell, gui));
        FontModel& model = shell.model;
        model.header = {8, 10, 65, 3};
        model.ascent = 8;
        model.descent = 2;
        model.origin_x = 1;
        const char32_t codes[] = {'A', 'B', 'D'};
        for (int row = 0; row < 3; ++row) {
            GlyphGrid glyph(8, 10);
            glyph.set(row + 1, 2, true);
            model.font_table[static_cast<std::size_t>(row)] = {encode_glyph(glyph), "", codes[row], 5 + row};
        }
        fit_view_to_font(model, gui);
        draw_grid(model, gui);
        choose_glyph(model, 0);
        show_character_list(model, gui);
        draw_glyph(model, gui);
        gui.clear_log();
    }

    void key(const std::string& name)
    {
        gui.press_key(name);
        while (!gui.events.empty())
            dispatch_event(gui.wait_event(), shell, gui);
    }

    void item(int id)
    {
        dispatch_event({EventKind::MenuEvent, 0, EventSubtype::None, id}, shell, gui);
    }

    int advance(int row) const { return shell.model.font_table[static_cast<std::size_t>(row)].advance; }

    FakeGuiServices gui;
    ShellState shell;
};

TEST_F(CharacterSteps, GuidesShowTheBaselineAndTheAdvanceOfTheGlyphBeingEdited)
{
    // The baseline on the grid line above row 8, the advance on the line left of column 1 + 5.
    EXPECT_EQ(gui.pixel(3 * kZoom + 5, 8 * kZoom), kBaselineColour);
    EXPECT_EQ(gui.pixel(6 * kZoom, 3 * kZoom + 5), kAdvanceColour);
    EXPECT_EQ(gui.pixel(7 * kZoom, 3 * kZoom + 5), kGridLineColour);
}

TEST_F(CharacterSteps, WiderAndNarrowerAreStepsWithinTheCell)
{
    key("]");
    EXPECT_EQ(advance(0), 6);
    EXPECT_EQ(gui.pixel(7 * kZoom, 3 * kZoom + 5), kAdvanceColour) << "the guide moved";
    EXPECT_EQ(gui.pixel(6 * kZoom, 3 * kZoom + 5), kGridLineColour);
    item(controls::kWiderItem);
    item(controls::kWiderItem);
    EXPECT_EQ(advance(0), 7) << "no further than the cell's right edge";
    for (int press = 0; press < 9; ++press)
        key("[");
    EXPECT_EQ(advance(0), 0) << "no narrower than nothing";

    // On another character, Undo comes back to A's steps and selects A.
    gui.list_select(controls::kCharacterList, 1);
    dispatch_event({EventKind::ControlEvent, controls::kCharacterList, EventSubtype::SelectionChange, 0}, shell, gui);
    key("Ctrl+Z");
    EXPECT_EQ(shell.model.current_index, 0);
    EXPECT_EQ(advance(0), 1);
    for (int undo = 0; undo < 6; ++undo)
        key("Ctrl+Z");
    EXPECT_EQ(advance(0), 7);
    key("Ctrl+Z");
    key("Ctrl+Z");
    EXPECT_EQ(advance(0), 5);
    key("Ctrl+Y");
    EXPECT_EQ(advance(0), 6);
}

TEST_F(CharacterSteps, AddedAndRemovedCharactersAreStepsInCodeOrder)
{
    gui.form_answers.push_back(std::vector<std::string>{"U+0416"});
    item(controls::kAddCharacterItem);
    gui.form_answers.push_back(std::vector<std::string>{"C"});
    item(controls::kAddCharacterItem);
    const FontModel& model = shell.model;
    ASSERT_EQ(glyph_count(model), 5);
    EXPECT_EQ(gui.list_entries, (std::vector<std::string>{"Chr$(65)  A", "Chr$(66)  B", "Chr$(67)  C", "Chr$(68)  D",
                                                          "U+0416  \xD0\x96"}));
    EXPECT_EQ(model.current_index, 2) << "the added character is edited";
    EXPECT_EQ(gui.list_selection, 2);
    EXPECT_EQ(advance(2), 5) << "as wide as most: a tie of 5, 6, 7 and 5 goes to 5";
    EXPECT_EQ(gui.controls[controls::kInfoLabel].text, "8x10      5 characters, U+0041 to U+0416");
    EXPECT_EQ(model.glyph_grid, GlyphGrid(8, 10));

    // A character the font has is chosen, not added again; a mistake asks again.
    gui.form_answers.push_back(std::vector<std::string>{"AB"});
    gui.form_answers.push_back(std::vector<std::string>{"u+41"});
    item(controls::kAddCharacterItem);
    EXPECT_EQ(glyph_count(model), 5);
    EXPECT_EQ(model.current_index, 0);
    ASSERT_EQ(gui.messages.size(), 2u);
    EXPECT_EQ(gui.messages[1].second, "The font has Chr$(65)  A already; it is chosen.");

    // Remove asks first; Keep changes nothing.
    gui.choice_answers = {1, 0};
    item(controls::kRemoveCharacterItem);
    EXPECT_EQ(glyph_count(model), 5);
    item(controls::kRemoveCharacterItem);
    EXPECT_EQ(glyph_count(model), 4);
    EXPECT_EQ(model.header.first_char, 'B');
    EXPECT_EQ(gui.list_entries.front(), "Chr$(66)  B");

    key("Ctrl+Z");
    EXPECT_EQ(glyph_count(model), 5);
    EXPECT_EQ(model.font_table[0].code_point, U'A');
    EXPECT_TRUE(model.glyph_grid.at(1, 2)) << "A is back, pixels and all, and edited";
    key("Ctrl+Z");
    key("Ctrl+Z");
    EXPECT_EQ(glyph_count(model), 3);
    EXPECT_EQ(gui.controls[controls::kInfoLabel].text, "8x10      3 characters, U+0041 to U+0044") << "A, B and D: a gap";
    key("Ctrl+Y");
    EXPECT_EQ(model.font_table[3].code_point, U'\u0416');

    // What is saved has the characters and advances as they now are.
    std::string bdf = write_bdf_font(model, "x.bdf");
    EXPECT_NE(bdf.find("ENCODING 1046\nSWIDTH 500 0\nDWIDTH 5 0\n"), std::string::npos) << bdf;
}

TEST_F(CharacterSteps, TheCodePageSaysWhichCharactersTheCodesAre)
{
    gui.form_answers.push_back(std::vector<std::string>{"NO-SUCH-SET"});
    gui.form_answers.push_back(std::vector<std::string>{" CP1251 "});
    item(controls::kCodePageItem);
    EXPECT_EQ(shell.model.code_page, "CP1251");
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].second, "\"NO-SUCH-SET\" is no single-byte character set this system knows.");
    shell.model.font_table[0].code_point = 0xC0;
    show_character_list(shell.model, gui);
    EXPECT_EQ(gui.list_entries.front(), "Chr$(192)  \xD0\x90") << "192 is the Cyrillic A";
    EXPECT_NE(write_bdf_font(shell.model, "x.bdf").find("STARTCHAR char1040\nENCODING 1040\n"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright

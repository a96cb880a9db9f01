#include "app/dispatch.h"
#include "app/shell.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::FakeControl;
using testing::FakeGuiServices;

constexpr Colour kGrey = rgb(127, 127, 127);
constexpr Colour kBlack = rgb(0, 0, 0);

UiEvent control_event(int id, EventSubtype subtype = EventSubtype::ButtonPress)
{
    return {EventKind::ControlEvent, id, subtype, 0};
}

UiEvent menu_event(int item) { return {EventKind::MenuEvent, 0, EventSubtype::None, item}; }

// The shell after start-up, with the log cleared.
class Shell : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_start_values(shell.model);
        ASSERT_TRUE(build_main_window(shell, gui));
        gui.clear_log();
    }

    void dispatch(const UiEvent& event) { dispatch_event(event, shell, gui); }

    ShellState shell;
    FakeGuiServices gui;
};

TEST(ShellStart, StartValuesAreTheDefaultFont)
{
    FontModel model;
    model.header = {8, 8, 65, 4};
    model.zoom = 6;
    model.current_index = -1;
    model.font_table.resize(3);
    set_start_values(model);
    EXPECT_EQ(model.header, (FontHeader{32, 50, 0, 0}));
    EXPECT_EQ(model.zoom, 10);
    EXPECT_EQ(model.current_index, 0);
    EXPECT_EQ(model.font_table, FontTable(kFontTableRows));
    EXPECT_EQ(model.glyph_grid, GlyphGrid(32, 50));
}

TEST(ShellStart, BuildsTheWindowControlsAndMenuInOrder)
{
    FakeGuiServices gui;
    ShellState shell;
    set_start_values(shell.model);
    ASSERT_TRUE(build_main_window(shell, gui));
    std::vector<std::string> expected = {
        "open_main_window 340 570 Glyphwright",
        "create_canvas 1", "create_button 13", "create_button 7", "create_button 8", "create_button 9",
        "create_list 10", "create_label 20", "create_button 30",
        "create_popup_menu 14",
        "add_menu_item 14 15 Open", "add_menu_item 14 18 New", "add_menu_item 14 16 Save as C",
        "add_menu_item 14 17 Save as BAS", "add_menu_item 14 19 Quit", "add_menu_item 14 21 File Info",
        "add_menu_item 14 22 Import font...", "add_menu_item 14 23 Save as BDF",
        "add_menu_item 14 24 Save in place", "add_menu_item 14 60 Save\tCtrl+S",
        "add_menu_item 14 61 Save as...\tCtrl+Shift+S", "add_menu_item 14 62 Open recent...",
        "create_popup_menu 31",
        "add_menu_item 31 32 Undo\tCtrl+Z", "add_menu_item 31 33 Redo\tCtrl+Y",
        "add_menu_item 31 34 Shift left\tLeft", "add_menu_item 31 35 Shift right\tRight",
        "add_menu_item 31 36 Shift up\tUp", "add_menu_item 31 37 Shift down\tDown",
        "add_menu_item 31 38 Flip horizontally\tH", "add_menu_item 31 39 Flip vertically\tV",
        "add_menu_item 31 40 Invert\tI", "add_menu_item 31 41 Clear\tDel", "add_menu_item 31 42 Overview\tF2",
        "add_menu_item 31 43 Narrower\t[", "add_menu_item 31 44 Wider\t]", "add_menu_item 31 45 Add character...",
        "add_menu_item 31 46 Remove character", "add_menu_item 31 47 Code page...",
        "add_menu_item 31 92 Zoom in\tCtrl++", "add_menu_item 31 93 Zoom out\tCtrl+-",
        "add_menu_item 31 94 Zoom to fit\tCtrl+0",
        // Nothing to undo or redo yet.
        "set_menu_item_enabled 31 32 off", "set_menu_item_enabled 31 33 off",
    };
    ASSERT_GE(gui.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(gui.log.begin(), gui.log.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(gui.log.back(), "end_drawing 1") << "the grid is drawn last";
    std::map<std::string, int> keys = {
        {"Ctrl+Z", 32}, {"Ctrl+Y", 33}, {"Ctrl+Shift+Z", 33}, {"Ctrl+C", 7}, {"Ctrl+V", 8}, {"PgUp", 90},
        {"PgDown", 91}, {"Left", 34}, {"Right", 35}, {"Up", 36}, {"Down", 37}, {"H", 38}, {"V", 39},
        {"I", 40}, {"Del", 41}, {"F2", 42}, {"[", 43}, {"]", 44}, {"Ctrl+O", 15}, {"Ctrl+S", 60},
        {"Ctrl+Shift+S", 61}, {"Ctrl+N", 18}, {"Ctrl+Q", 19}, {"Ctrl+I", 22}, {"Esc", 95},
        {"Ctrl++", 92}, {"Ctrl+=", 92}, {"Ctrl+-", 93}, {"Ctrl+0", 94},
    };
    EXPECT_EQ(gui.key_commands, keys);

    struct Row {
        int id;
        FakeControl control;
    };
    const Row rows[] = {
        {1, {"canvas", 10, 60, 320, 500, ""}},   {13, {"button", 10, 10, 50, 25, "File..."}},
        {7, {"button", 60, 10, 50, 25, "Copy"}}, {8, {"button", 110, 10, 50, 25, "Paste"}},
        {9, {"button", 160, 10, 50, 25, "Restore"}}, {10, {"list", 210, 10, 100, 25, ""}},
        {20, {"label", 10, 40, 240, 25, ""}},       {30, {"button", 250, 37, 60, 22, "Edit..."}},
    };
    for (const Row& row : rows) {
        const FakeControl& control = gui.controls[row.id];
        EXPECT_EQ(control.kind, row.control.kind) << row.id;
        EXPECT_EQ(control.text, row.control.text) << row.id;
        EXPECT_EQ((std::array{control.x, control.y, control.width, control.height}),
                  (std::array{row.control.x, row.control.y, row.control.width, row.control.height}))
            << row.id;
    }
    EXPECT_TRUE(gui.list_entries.empty());
    EXPECT_EQ(gui.list_selection, -1);

    // The empty grid and no glyph cells.
    EXPECT_EQ(gui.fill_count, 1);
    EXPECT_EQ(gui.pixel(20, 35), kGrey);
    EXPECT_EQ(gui.pixel(21, 31), kBlack);
}

TEST(ShellStart, AWindowThatCannotOpenEndsTheProgramAtOnce)
{
    FakeGuiServices gui;
    gui.window_can_open = false;
    gui.events.push_back(menu_event(controls::kNewItem));
    EXPECT_EQ(run_editor(gui), 0);
    EXPECT_EQ(gui.log.size(), 1u) << "only the window was asked for";
    EXPECT_EQ(gui.events.size(), 1u) << "no event was taken";
}

TEST(ShellStart, WithoutAMenuTheFileButtonShowsNothingAndClosingStillEnds)
{
    FakeGuiServices gui;
    gui.menu_can_be_created = false;
    gui.events = {control_event(controls::kFileButton), {EventKind::WindowClose, 0, EventSubtype::None, 0}};
    EXPECT_EQ(run_editor(gui), 0);
    EXPECT_EQ(gui.count_calls("add_menu_item"), 0);
    EXPECT_EQ(gui.count_calls("show_popup_menu"), 0);
    EXPECT_EQ(gui.count_calls("create_label"), 1) << "the window is still complete";
}

TEST(ShellStart, LoopEndsAtQuitOrCloseOnceTheEditIsDiscarded)
{
    for (UiEvent last : {menu_event(controls::kQuitItem), UiEvent{EventKind::WindowClose, 0, EventSubtype::None, 0}}) {
        FakeGuiServices gui;
        gui.click_canvas(5, 5);
        gui.events.push_back(last);
        gui.events.push_back(menu_event(controls::kNewItem));
        gui.question_answers.push_back(1);
        EXPECT_EQ(run_editor(gui), 0);
        EXPECT_EQ(gui.events.size(), 1u) << "nothing is taken after the end";
        EXPECT_EQ(gui.questions.size(), 1u);
        EXPECT_TRUE(gui.messages.empty());
        EXPECT_EQ(gui.count_calls("save_file_dialog"), 0);
        EXPECT_EQ(gui.count_calls("fill_rect 1 1 9 9 FFFFFF"), 1) << "the click was handled before";
    }
}

TEST(ShellStart, ClosingTheMainWindowClosesTheOverviewWithIt)
{
    FakeGuiServices gui;
    UiEvent f2{EventKind::KeyCommand, 0, EventSubtype::None, 0};
    f2.command_id = controls::kOverviewItem;
    gui.events.push_back(f2);
    gui.events.push_back({EventKind::WindowClose, 0, EventSubtype::None, 0});
    EXPECT_EQ(run_editor(gui), 0);
    EXPECT_EQ(gui.count_calls("open_window 50"), 1);
    EXPECT_TRUE(gui.windows.empty());
}

TEST_F(Shell, OnlyALeftClickReachesTheCanvas)
{
    for (EventSubtype subtype : {EventSubtype::None, EventSubtype::ButtonPress, EventSubtype::SelectionChange}) {
        gui.mouse_positions.push_back({5, 5});
        gui.events.push_back(control_event(controls::kGridCanvas, subtype));
        dispatch(gui.wait_event());
    }
    EXPECT_EQ(shell.model.glyph_grid, GlyphGrid(32, 50));
    EXPECT_EQ(gui.drawing_passes, 0);

    gui.click_canvas(5, 5);
    dispatch(gui.wait_event());
    EXPECT_EQ(shell.model.glyph_grid.at(0, 0), 1);
}

TEST_F(Shell, ButtonsRunTheirCommandsWhateverTheSubtype)
{
    shell.model.glyph_grid.set(0, 0, true);
    dispatch(control_event(controls::kCopyButton, EventSubtype::None));
    EXPECT_EQ(shell.model.glyph_clipboard.substr(0, 10), "0x80,0x00,");

    shell.model.glyph_grid.set(0, 0, false);
    dispatch(control_event(controls::kPasteButton));
    EXPECT_EQ(shell.model.glyph_grid.at(0, 0), 1);

    dispatch(control_event(controls::kRestoreButton));
    EXPECT_EQ(shell.model.glyph_grid.at(0, 0), 0) << "Restore goes back to row 0 as chosen, which was empty";

    dispatch(control_event(controls::kFileButton, EventSubtype::LeftClick));
    EXPECT_EQ(gui.count_calls("show_popup_menu 14"), 1);
}

TEST_F(Shell, AnyListEventSelectsACharacter)
{
    gui.list_append(controls::kCharacterList, "Chr$(65)  A");
    gui.list_append(controls::kCharacterList, "Chr$(66)  B");
    shell.model.font_table[1].glyph_data = "0xFF,";
    gui.list_select(controls::kCharacterList, 1);
    shell.model.glyph_grid.set(31, 49, true);
    store_edited_glyph(shell.model);
    dispatch(control_event(controls::kCharacterList, EventSubtype::ButtonPress));
    EXPECT_EQ(shell.model.current_index, 1);
    EXPECT_EQ(shell.model.glyph_grid.at(7, 0), 1);
    EXPECT_EQ(shell.model.font_table[0].glyph_data.substr(995), "0x01,") << "row 0 keeps its edit";
}

TEST_F(Shell, EventsWithoutACommandChangeNothing)
{
    shell.model.glyph_grid.set(4, 4, true);
    const UiEvent events[] = {
        control_event(controls::kInfoLabel), control_event(3), control_event(6), control_event(0),
        control_event(controls::kFileMenu),
        // Kinds exclude each other: a menu event is not read as a control event, and the reverse.
        {EventKind::MenuEvent, controls::kCopyButton, EventSubtype::ButtonPress, 0},
        {EventKind::ControlEvent, 0, EventSubtype::None, controls::kQuitItem},
        menu_event(0), menu_event(controls::kFileMenu), menu_event(20), menu_event(99),
        {EventKind::Other, controls::kPasteButton, EventSubtype::ButtonPress, controls::kQuitItem},
    };
    for (const UiEvent& event : events)
        dispatch(event);
    EXPECT_TRUE(gui.log.empty());
    EXPECT_FALSE(shell.quit_requested);
    EXPECT_TRUE(shell.model.glyph_clipboard.empty());
    EXPECT_EQ(shell.model.glyph_grid.at(4, 4), 1);
}

TEST_F(Shell, FileItemsRunTheirFileCommands)
{
    const std::pair<int, std::string> items[] = {
        {controls::kOpenItem, "font.c or font.BAS file to modify."},
        {controls::kSaveAsCItem, "font.c file to save"},
        {controls::kSaveAsBasItem, "font.BAS file to save"},
    };
    for (const auto& [item, title] : items) {
        gui.open_dialog_answers.push_back("");
        gui.save_dialog_answers.push_back("");
        dispatch(menu_event(item));
        ASSERT_FALSE(gui.dialog_titles.empty());
        EXPECT_EQ(gui.dialog_titles.back(), title);
        gui.open_dialog_answers.clear();
        gui.save_dialog_answers.clear();
    }
    EXPECT_EQ(gui.dialog_titles.size(), 3u);
}

TEST_F(Shell, NewAsksForTheSizeAndMakesAnUntitledBlankFont)
{
    gui.form_answers.push_back(std::nullopt);
    dispatch(menu_event(controls::kNewItem));
    EXPECT_EQ(shell.model.header, (FontHeader{32, 50, 0, 0})) << "cancelled";
    EXPECT_EQ(gui.title, "Glyphwright");
    ASSERT_EQ(gui.forms_shown.size(), 1u);
    EXPECT_EQ(gui.forms_shown[0], (std::vector<FormField>{{"Width", "8"}, {"Height", "16"}, {"First code", "32"}, {"Count", "95"}}));

    gui.form_answers.push_back(std::vector<std::string>{"8", "x", "65", "2"});
    gui.form_answers.push_back(std::vector<std::string>{"8", "8", "65", "2"});
    dispatch(menu_event(controls::kNewItem));
    ASSERT_EQ(gui.messages.size(), 1u) << "a field that is no number is told, and the dialog asks again";
    EXPECT_EQ(shell.model.header, (FontHeader{8, 8, 65, 2}));
    EXPECT_EQ(gui.title, "Untitled - Glyphwright");
    EXPECT_EQ(gui.list_entries.size(), 2u);
}

// The title tells of unsaved changes; Undo back to the saved font clears them; every command that
// would end the font asks first, and Cancel keeps everything.
TEST_F(Shell, UnsavedChangesShowInTheTitleAndAreAskedAboutBeforeTheyGo)
{
    testing::TempFolder folder;
    const std::string two = "fontdatatype Letters[8] PROGMEM={\n0x08,0x02,0x41,0x02,\n0x18,0x24,\n0x3C,0x42,\n};\n"
                            "fontdatatype Digit[5] PROGMEM={\n0x08,0x01,0x30,0x01,\n0x7E,\n};\n";
    testing::write_file(folder.file("two.c"), two);
    open_start_file(shell, gui, folder.file("two.c"), "Digit");
    EXPECT_EQ(gui.title, "two.c (Digit) - Glyphwright");
    EXPECT_EQ(gui.recent, std::vector<std::string>{folder.file("two.c")});

    struct Step {
        const char* what;
        std::function<void()> act;
        const char* title;
    };
    const Step steps[] = {
        {"an edit", [&] { gui.press_key("I"); }, "*two.c (Digit) - Glyphwright"},
        {"undo to the font as opened", [&] { gui.press_key("Ctrl+Z"); }, "two.c (Digit) - Glyphwright"},
        {"redo", [&] { gui.press_key("Ctrl+Y"); }, "*two.c (Digit) - Glyphwright"},
        {"Quit, cancelled", [&] { gui.question_answers.push_back(2); gui.press_key("Ctrl+Q"); },
         "*two.c (Digit) - Glyphwright"},
        {"Open, cancelled", [&] { gui.question_answers.push_back(2); gui.press_key("Ctrl+O"); },
         "*two.c (Digit) - Glyphwright"},
        {"New, cancelled", [&] { gui.question_answers.push_back(2); gui.press_key("Ctrl+N"); },
         "*two.c (Digit) - Glyphwright"},
        {"a dropped file, cancelled", [&] {
             gui.question_answers.push_back(2);
             gui.events.push_back({EventKind::FileDrop, 0, EventSubtype::None, 0, 0, {}, folder.file("two.c")});
         }, "*two.c (Digit) - Glyphwright"},
        {"Save, into the file it came from", [&] { gui.press_key("Ctrl+S"); }, "two.c (Digit) - Glyphwright"},
        {"undo past the save", [&] { gui.press_key("Ctrl+Z"); }, "*two.c (Digit) - Glyphwright"},
        {"a code page", [&] {
             gui.press_key("Ctrl+Y");
             gui.form_answers.push_back(std::vector<std::string>{"CP1251"});
             gui.events.push_back(menu_event(controls::kCodePageItem));
         }, "*two.c (Digit) - Glyphwright"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        while (!gui.events.empty())
            dispatch(gui.wait_event());
        EXPECT_EQ(gui.title, step.title);
        EXPECT_FALSE(shell.quit_requested);
        EXPECT_TRUE(gui.question_answers.empty());
    }
    EXPECT_EQ(gui.questions.size(), 4u);
    EXPECT_EQ(gui.questions[0], (std::pair<std::string, std::string>{"Unsaved changes", "Save the changes to Digit?"}));
    EXPECT_EQ(gui.passing_label_texts, std::vector<std::string>{"Saved Digit to two.c"});
    std::string saved = testing::read_file(folder.file("two.c"));
    EXPECT_EQ(saved.substr(0, saved.find("fontdatatype Digit")), two.substr(0, two.find("fontdatatype Digit")))
        << "Letters as it was";

    // The close box, answered Save: saved in place, then the end.
    gui.question_answers.push_back(0);
    dispatch({EventKind::WindowClose, 0, EventSubtype::None, 0});
    EXPECT_TRUE(shell.quit_requested);
    EXPECT_EQ(gui.title, "two.c (Digit) - Glyphwright");
}

TEST_F(Shell, SaveAsMakesTheSavedFileTheFontsAndOpenRecentListsIt)
{
    testing::TempFolder folder;
    gui.form_answers.push_back(std::vector<std::string>{"8", "8", "65", "2"});
    gui.press_key("Ctrl+N");
    dispatch(gui.wait_event());
    EXPECT_EQ(gui.title, "Untitled - Glyphwright");
    gui.press_key("I");
    dispatch(gui.wait_event());
    EXPECT_EQ(gui.title, "*Untitled - Glyphwright");
    // Save of a font from no file is Save as, whose one dialog names every form.
    gui.save_dialog_answers.push_back(folder.file("9 lives"));
    gui.press_key("Ctrl+S");
    dispatch(gui.wait_event());
    EXPECT_EQ(gui.dialog_filters.back(), "C File|*.c;*.h;*.ino;*.cpp|BAS File|*.bas;*.BAS;*.inc;*.INC|BDF File|*.bdf;*.BDF|"
                                         "Adafruit GFX font|*.h|Smooth font|*.vlw;*.VLW|TFT_eSPI font|*.c|LVGL font|*.c|glcd font|*.c|ThingPulse OLED font|*.h|MicroPython font module|*.py|u8g2 font|*.c|All files (*.*)|*.*");
    EXPECT_EQ(gui.title, "9 lives.c - Glyphwright");
    EXPECT_NE(testing::read_file(folder.file("9 lives.c")).find("fontdatatype _9_lives[20] PROGMEM={"), std::string::npos);
    EXPECT_EQ(gui.passing_label_texts, std::vector<std::string>{"Saved _9_lives to 9 lives.c"});

    gui.recent.push_back(folder.file("gone.c"));
    for (int chosen : {1, 0}) {
        gui.choice_answers.push_back(chosen);
        dispatch(menu_event(controls::kOpenRecentItem));
    }
    EXPECT_EQ(gui.choices_shown.back(), std::vector<std::string>{folder.file("9 lives.c")}) << "a file that is gone left the list";
    EXPECT_EQ(gui.messages.back().second, "\"gone.c\" is gone; it was taken off the list.");
    EXPECT_EQ(shell.model.header, (FontHeader{8, 8, 65, 2}));
    EXPECT_TRUE(gui.question_answers.empty());
}

TEST_F(Shell, FileInfoShowsTheHeaderLines)
{
    shell.model.header_text = "// Font <tiny> & more\r\n// second line\r\n";
    dispatch(menu_event(controls::kFileInfoItem));
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "File Info");
    EXPECT_EQ(gui.messages[0].second, shell.model.header_text);
    EXPECT_EQ(gui.log.size(), 1u);
}

// Every glyph of the map in view shows its pixels as the table holds them; the glyph being edited
// is the grid.
void expect_map_shows_the_font(const ShellState& shell, const FakeGuiServices& gui)
{
    const FontModel& model = shell.model;
    const MapLayout& map = shell.overview.map;
    GlyphGrid glyph(model.header.glyph_width, model.header.glyph_height);
    for (int index = 0; index < model.header.char_count; ++index) {
        decode_glyph(model.font_table[static_cast<std::size_t>(index)].glyph_data, glyph);
        if (index == model.current_index) {
            ASSERT_EQ(glyph, model.glyph_grid) << "the glyph being edited is stored in its row";
        }
        Box box = map_glyph_box(map, index);
        for (int y = 0; y < glyph.glyph_height(); ++y)
            for (int x = 0; x < glyph.glyph_width(); ++x)
                ASSERT_EQ(gui.pixel_of(controls::kGlyphMap, box.x + x * map.scale, box.y + y * map.scale),
                          glyph.at(x, y) == 1 ? kSetPixelColour : kClearPixelColour)
                    << "glyph " << index << " pixel (" << x << ", " << y << ")";
    }
}

// The overview follows every command that changes the font, whatever window has the focus.
TEST_F(Shell, OverviewFollowsEveryChange)
{
    testing::TempFolder folder;
    const std::string three = "fontdatatype F[28] PROGMEM={\n0x08,0x08,0x41,0x03,\n"
                              "0x18,0x3C,0x66,0x66,0x7E,0x66,0x66,0x00,\n0x7C,0x66,0x66,0x7C,0x66,0x66,0x7C,0x00,\n"
                              "0x3C,0x66,0x60,0x60,0x60,0x66,0x3C,0x00,\n};\n";
    testing::write_file(folder.file("three.c"), three);
    testing::write_file(folder.file("wide.c"), "fontdatatype F[36] PROGMEM={\n0x10,0x08,0x30,0x02,\n"
                                               "0xFF,0x00,0x81,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x01,\n"
                                               "0x01,0x80,\n};\n");
    // A BDF font of the same size as three.c, a diagonal in each glyph: only what an import reports
    // makes the overview draw all of them again.
    Font to_import = make_blank_font({8, 8, 65, 3}).font;
    GlyphGrid diagonal(8, 8);
    for (int at = 0; at < 8; ++at)
        diagonal.set(at, at, true);
    for (int row = 0; row < 3; ++row)
        to_import.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(diagonal);
    testing::write_file(folder.file("diagonals.bdf"), write_bdf_font(to_import, "diagonals.bdf"));

    gui.open_dialog_answers.push_back(folder.file("three.c"));
    dispatch(menu_event(controls::kOpenItem));
    shell.overview.sample_text = "ABCA";
    gui.press_key("F2");
    dispatch(gui.wait_event());
    ASSERT_TRUE(shell.overview.is_open);
    EXPECT_EQ(gui.count_calls("add_window_key_command 50 42 F2"), 1) << "F2 closes it from itself too";

    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"a stroke", [&] { gui.press_canvas(5, 5); gui.move_canvas(35, 5); gui.release_canvas(35, 5); }},
        {"an operation", [&] { gui.press_key("Right"); }},
        {"undo", [&] { gui.press_key("Ctrl+Z"); }},
        {"redo", [&] { gui.press_key("Ctrl+Y"); }},
        {"copy and the next character", [&] { gui.press_key("Ctrl+C"); gui.press_key("PgDown"); }},
        {"paste", [&] { gui.press_key("Ctrl+V"); }},
        {"restore", [&] { gui.events.push_back(control_event(controls::kRestoreButton)); }},
        {"a click on the map", [&] {
             Box cell = map_cell(shell.overview.map, 2);
             gui.click_canvas_of(controls::kGlyphMap, cell.x + 1, cell.y + 1);
         }},
        {"H, V and I with the map in focus", [&] {
             for (const char* key : {"H", "V", "I"}) {
                 gui.press_key_in(controls::kSampleField, key);  // typed into the sample text: no command
                 gui.press_key_in(controls::kGlyphMap, key);
             }
             EXPECT_EQ(gui.events.size(), 3u);
         }},
        {"undo of another character", [&] {
             for (int undo = 0; undo < 5; ++undo)
                 gui.press_key("Ctrl+Z");
         }},
        {"a narrower glyph", [&] { gui.press_key("["); }},
        {"a character added", [&] {
             gui.form_answers.push_back(std::vector<std::string>{"@"});
             gui.events.push_back(menu_event(controls::kAddCharacterItem));
         }},
        {"undo of both", [&] { gui.press_key("Ctrl+Z"); gui.press_key("Ctrl+Z"); }},
        {"an import of the same size", [&] {
             gui.question_answers.push_back(1);  // the edits above are discarded
             gui.open_dialog_answers.push_back(folder.file("diagonals.bdf"));
             gui.form_answers.push_back(std::vector<std::string>{"8", "65", "3", "", "", "no", ""});
             gui.events.push_back(menu_event(controls::kImportFontItem));
             while (!gui.events.empty())
                 dispatch(gui.wait_event());
             EXPECT_EQ(shell.model.font_table[1].glyph_data, encode_glyph(diagonal)) << "the font imported";
         }},
        {"an Open of another size", [&] {
             gui.open_dialog_answers.push_back(folder.file("wide.c"));
             gui.events.push_back(menu_event(controls::kOpenItem));
         }},
        {"an Open of the same size", [&] {
             testing::write_file(folder.file("three.c"), three.substr(0, three.find("0x18")) + std::string(3 * 41, ' ')
                                                             .replace(0, 123, "0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,\n"
                                                                              "0x01,0x01,0x01,0x01,0x01,0x01,0x01,0x01,\n"
                                                                              "0x80,0x80,0x80,0x80,0x80,0x80,0x80,0x80,\n")
                                                         + "};\n");
             gui.open_dialog_answers.push_back(folder.file("three.c"));
             gui.events.push_back(menu_event(controls::kOpenItem));
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        while (!gui.events.empty())
            dispatch(gui.wait_event());
        expect_map_shows_the_font(shell, gui);
        EXPECT_EQ(shell.overview.framed_index, shell.model.current_index);
        EXPECT_EQ(shell.overview.sample.cells, sample_layout(shell.model, shell.overview.sample_text).cells)
            << "the sample is laid out by the advances and characters of now";

    }
    EXPECT_EQ(shell.overview.map.glyph_width, 8) << "the last font is the one shown";

    gui.press_key("F2");
    dispatch(gui.wait_event());
    EXPECT_FALSE(shell.overview.is_open);
    EXPECT_TRUE(gui.windows.empty());
}

}  // namespace
}  // namespace glyphwright

#include "editor/file_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/controls.h"
#include "formats/bdf_font.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;
using testing::TempFolder;
using testing::read_file;
using testing::write_file;

// An 8 x 2 font of two characters from code 65, as a C source.
const std::string kTinyC = "// tiny.c\r\n// Font Size : 8x2\r\n\r\nfontdatatype SevenSegNumFont[8] PROGMEM={\r\n"
                           "0x08,0x02,0x41,0x02,\r\n0x18,0x24,  // A\r\n0x3C,0x42,  // B\r\n};\r\n";

class FileCommands : public ::testing::Test {
protected:
    // Opens `content` saved as `name` through the Open command.
    void open(const std::string& name, const std::string& content)
    {
        write_file(folder.file(name), content);
        gui.open_dialog_answers.push_back(folder.file(name));
        open_font(model, gui);
    }

    TempFolder folder;
    FakeGuiServices gui;
    FontModel model;

    void SetUp() override
    {
        gui.create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        gui.create_label(controls::kInfoLabel, 10, 40, 240, 25, "");
    }
};

TEST_F(FileCommands, OpenShowsTheFontsFirstCharacter)
{
    open("tiny.c", kTinyC);

    EXPECT_EQ(gui.dialog_titles, std::vector<std::string>{"font.c or font.BAS file to modify."});
    EXPECT_EQ(gui.dialog_filters,
              std::vector<std::string>{"C File|*.c;*.h;*.ino;*.cpp|BAS File|*.bas;*.BAS;*.inc;*.INC|BDF File|*.bdf;*.BDF|"
                                       "Adafruit GFX font|*.h|Smooth font|*.vlw;*.VLW|TFT_eSPI font|*.c|LVGL font|*.c|glcd font|*.c|ThingPulse OLED font|*.h|MicroPython font module|*.py|u8g2 font|*.c|Bitmap fonts|*.pcf;*.pcf.gz;*.otb;*.fnt;*.fon|All files (*.*)|*.*"});
    EXPECT_EQ(gui.controls[controls::kInfoLabel].text, "8x2      Chr$(65) to Chr$(66)");
    EXPECT_EQ(gui.list_entries, (std::vector<std::string>{"Chr$(65)  A", "Chr$(66)  B"}));
    EXPECT_EQ(gui.list_selection, 0);
    EXPECT_EQ(model.current_index, 0);
    EXPECT_EQ(model.source.path, folder.file("tiny.c"));
    EXPECT_EQ(gui.client_width, 320);  // the minimum width of a fitted window
    EXPECT_EQ(gui.client_height, 2 * 10 + 70);
    // 0x18 = ...##...: cell (3, 0) is set, cell (2, 0) clear.
    EXPECT_EQ(gui.pixel(3 * 10 + 5, 5), rgb(255, 255, 255));
    EXPECT_EQ(gui.pixel(2 * 10 + 5, 5), rgb(0, 0, 0));
}

TEST_F(FileCommands, CancelledOpenChangesNothingAndKeepsTheEditOnTheCanvas)
{
    open("tiny.c", kTinyC);
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    FontModel before = model;
    gui.clear_log();
    gui.open_dialog_answers.push_back("");
    open_font(model, gui);

    EXPECT_EQ(model.glyph_grid, before.glyph_grid);
    EXPECT_EQ(model.font_table, before.font_table);
    EXPECT_EQ(gui.drawing_passes, 0);
    EXPECT_EQ(gui.count_calls("list_"), 0);
    EXPECT_EQ(gui.count_calls("set_label_text"), 0);
}

// A BDF font, such as Save as BDF writes, opens with each glyph's character, advance and pixels
// around its origin; it has no place to be saved back into.
TEST_F(FileCommands, BitmapFontsOpenWithEveryCharacterAndItsAdvance)
{
    FontModel font;
    font.header = {6, 4, 65, 2};
    set_fixed_metrics(font);
    font.ascent = 3;
    font.descent = 1;
    font.font_table[0].glyph_data = "0x85,0xE0,0x3F,";
    font.font_table[1] = {"0x00,0xC2,0x00,", "", 0x416, 5};
    write_file(folder.file("two.bdf"), write_bdf_font(font, "two.bdf"));
    ASSERT_TRUE(open_font_path(model, gui, folder.file("two.bdf")));
    EXPECT_EQ(glyph_count(model), 2);
    EXPECT_EQ(model.font_table[1].code_point, U'\u0416');
    EXPECT_EQ(model.font_table[1].advance, 5);
    EXPECT_EQ(model.font_table[0].advance, 6);
    EXPECT_EQ(model.ascent, 3);
    EXPECT_EQ(gui.list_entries, (std::vector<std::string>{"Chr$(65)  A", "U+0416  \xD0\x96"}));
    EXPECT_EQ(gui.controls[controls::kInfoLabel].text, "6x4      2 characters, U+0041 to U+0416");
    EXPECT_EQ(model.glyph_grid.at(0, 0), 1);
    EXPECT_EQ(model.glyph_grid.at(5, 3), 1);
    EXPECT_EQ(model.source.form, "bdf");
}

// Files that cannot become the open font leave it, its edits and the view as they were, and say why.
TEST_F(FileCommands, RefusedFilesKeepTheOpenFontAndGiveAMessage)
{
    open("tiny.c", kTinyC);
    model.glyph_grid.toggle(1, 1);
    store_edited_glyph(model);
    FontModel before = model;
    write_file(folder.file("notes.txt"), "A font, some day.\n");
    write_file(folder.file("empty.c"), "");
    struct Row { std::string path; std::string reason; };
    const Row rows[] = {
        {folder.file("notes.txt"), "holds no C font array"},
        {folder.file("missing.bas"), "No such file"},
        {folder.file("empty.c"), "empty.c"},
        {folder.path().string() + "/sub.c", "No such file"},
    };
    for (const Row& row : rows) {
        gui.clear_log();
        gui.messages.clear();
        gui.open_dialog_answers.push_back(row.path);
        open_font(model, gui);
        ASSERT_EQ(gui.messages.size(), 1u) << row.path;
        EXPECT_EQ(gui.messages[0].first, "Cannot open");
        EXPECT_NE(gui.messages[0].second.find(row.reason), std::string::npos) << gui.messages[0].second;
        EXPECT_EQ(model.font_table, before.font_table);
        EXPECT_EQ(model.header, before.header);
        EXPECT_EQ(model.glyph_grid, before.glyph_grid);
        EXPECT_EQ(gui.list_entries.size(), 2u);
        EXPECT_EQ(gui.drawing_passes, 0);
    }
}

TEST_F(FileCommands, SaveWritesTheEditedGlyph)
{
    open("tiny.c", kTinyC);
    model.glyph_grid.toggle(0, 0);  // 0x18 becomes 0x98
    store_edited_glyph(model);
    gui.save_dialog_answers.push_back(folder.file("out.c"));
    save_as_c(model, gui);

    EXPECT_TRUE(gui.messages.empty());
    EXPECT_EQ(gui.dialog_titles.back(), "font.c file to save");
    EXPECT_EQ(gui.dialog_filters.back(), "C File|*.c|All files (*.*)|*.*");
    std::string saved = read_file(folder.file("out.c"));
    EXPECT_EQ(saved.substr(saved.find("fontdatatype SevenSegNumFont")),
              "fontdatatype SevenSegNumFont[8] PROGMEM={\r\n0x08,0x02,0x41,0x02,\r\n0x98,0x24, //  A\r\n0x3C,0x42, //  B\r\n};\r\n");
}

TEST_F(FileCommands, DefaultExtensionOnlyForPathsWithoutOne)
{
    open("tiny.c", kTinyC);
    struct Row { std::string answer; bool as_c; std::string written; };
    const Row rows[] = {
        {"tiny", true, "tiny.c"},
        {"tiny", false, "tiny.bas"},
        {"tiny.C", false, "tiny.C"},
        {"tiny.txt", true, "tiny.txt"},
        {"tiny.", false, "tiny..bas"},
    };
    for (const Row& row : rows) {
        gui.save_dialog_answers.push_back(folder.file(row.answer));
        row.as_c ? save_as_c(model, gui) : save_as_bas(model, gui);
        std::string saved = read_file(folder.file(row.written));
        EXPECT_EQ(saved.rfind(row.as_c ? "// " + row.written : "' " + row.written, 0), 0u) << row.written;
    }
    EXPECT_EQ(gui.dialog_titles.back(), "font.BAS file to save");
    EXPECT_EQ(gui.dialog_filters.back(), "BAS File|*.bas|All files (*.*)|*.*");
}

TEST_F(FileCommands, CancelledSaveChangesAndWritesNothing)
{
    open("tiny.c", kTinyC);
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    gui.save_dialog_answers.push_back("");
    save_as_bas(model, gui);
    EXPECT_EQ(model.font_table[0].glyph_data, "0x98,0x24,");
    EXPECT_EQ(folder.entry_count(), 1u);
}

TEST_F(FileCommands, FailedSaveKeepsTheOldFileAndTheEditAndSaysWhy)
{
    open("tiny.c", kTinyC);
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    gui.save_dialog_answers.push_back(folder.file("missing/out.bas"));
    save_as_bas(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "Cannot save");
    EXPECT_NE(gui.messages[0].second.find("No such file"), std::string::npos) << gui.messages[0].second;
    EXPECT_EQ(model.font_table[0].glyph_data, "0x98,0x24,");

    std::filesystem::create_directory(folder.file("folder.c"));
    gui.save_dialog_answers.push_back(folder.file("folder.c"));
    save_as_c(model, gui);
    ASSERT_EQ(gui.messages.size(), 2u);
    EXPECT_NE(gui.messages[1].second.find("is a folder"), std::string::npos) << gui.messages[1].second;
    EXPECT_EQ(read_file(folder.file("tiny.c")), kTinyC);
    EXPECT_EQ(folder.entry_count(), 2u);  // tiny.c and folder.c: no temporary file is left
}

TEST_F(FileCommands, BasRoundTripThroughTheCommands)
{
    open("tiny.c", kTinyC);
    gui.save_dialog_answers.push_back(folder.file("tiny.bas"));
    save_as_bas(model, gui);
    open("tiny.bas", read_file(folder.file("tiny.bas")));
    EXPECT_EQ(model.header, (FontHeader{8, 2, 65, 2}));
    EXPECT_EQ(model.font_table[0].glyph_data, "0x18,0x24,");
    EXPECT_EQ(model.font_table[1].glyph_data, "0x3C,0x42,");
    EXPECT_EQ(gui.list_entries.size(), 2u);
}

// Two fonts in one source, with code between them that every save in place must keep.
const std::string kTwoFontsC = "// two.c\nint before;\nfontdatatype Letters[8] PROGMEM={\n0x08,0x02,0x41,0x02,\n"
                               "0x18,0x24, // A\n0x3C,0x42, // B\n};\nint between;\n"
                               "fontdatatype Digit[] PROGMEM={\n  0x08,0x01,0x30,0x01,\n  0x7E, // 0\n};\nint after;\n";

TEST_F(FileCommands, AFileWithSeveralFontsOpensTheOneChosenAndACancelChangesNothing)
{
    open("tiny.c", kTinyC);
    FontModel before = model;
    gui.choice_answers.push_back(-1);
    open("two.c", kTwoFontsC);
    EXPECT_EQ(gui.choices_shown.back(), (std::vector<std::string>{"Letters: 8 x 2, 2 characters from 65",
                                                                  "Digit: 8 x 1, 1 character from 48"}));
    EXPECT_EQ(gui.choices_preselected.back(), 0);
    EXPECT_EQ(model.font_table, before.font_table);
    EXPECT_EQ(model.source.path, folder.file("tiny.c"));

    gui.choice_answers.push_back(1);
    open("two.c", kTwoFontsC);
    EXPECT_EQ(model.header, (FontHeader{8, 1, 48, 1}));
    EXPECT_EQ(gui.list_entries, std::vector<std::string>{"Chr$(48)  0"});
    EXPECT_EQ(model.source.entry, 1);
    EXPECT_EQ(model.source.name, "Digit");
}

TEST_F(FileCommands, SaveInPlaceWritesOnlyTheFontItWasOpenedFrom)
{
    gui.choice_answers.push_back(1);
    open("two.c", kTwoFontsC);
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    save_in_place(model, gui);
    EXPECT_TRUE(gui.messages.empty());
    std::string expected = kTwoFontsC;
    expected.replace(expected.find("0x7E, // 0"), 4, "0xFE");
    EXPECT_EQ(read_file(folder.file("two.c")), expected);

    // A second save goes through, but not once the file changed behind the editor's back.
    save_in_place(model, gui);
    EXPECT_TRUE(gui.messages.empty());
    write_file(folder.file("two.c"), kTwoFontsC + "int later;\n");
    save_in_place(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "Cannot save");
    EXPECT_NE(gui.messages[0].second.find("changed on disk"), std::string::npos);
    EXPECT_EQ(read_file(folder.file("two.c")), kTwoFontsC + "int later;\n");
}

TEST_F(FileCommands, SaveInPlaceWithoutASourceFileSaysSoAndWritesNothing)
{
    save_in_place(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "Save in place");
    EXPECT_EQ(folder.entry_count(), 0u);
}

// Warnings come in one message after Open, at most ten of them and how many more there are.
TEST_F(FileCommands, OpenAndSaveAsCTellWhatIsWrongWithTheFont)
{
    std::string glyphs;
    for (int glyph = 0; glyph < 12; ++glyph)
        glyphs += "0x00,0x00,0x00,0x00,0x00,\n";  // two bytes too many each
    open("long.c", "// long.c\nfontdatatype L[40] PROGMEM={\n0x0C,0x02,0xF8,0x0C,\n" + glyphs + "};\n");
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "Warnings");
    const std::string& text = gui.messages[0].second;
    EXPECT_NE(text.find("line 3: the characters run from 248 to 259"), std::string::npos) << text;
    EXPECT_NE(text.find("line 3: the glyphs are 12 pixels wide"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11) << text;
    EXPECT_NE(text.find("... and 4 more."), std::string::npos) << text;

    save_font_path(model, gui, folder.file("out.c"), FontFormat::C);
    ASSERT_EQ(gui.messages.size(), 2u);
    EXPECT_EQ(gui.messages[1].first, "Saved");
    EXPECT_NE(gui.messages[1].second.find("12 pixels wide"), std::string::npos);
    save_font_path(model, gui, folder.file("out.bas"), FontFormat::Bas);
    EXPECT_EQ(gui.messages.back().second.find("pixels wide"), std::string::npos) << "BASIC draws any width";
}

}  // namespace
}  // namespace glyphwright

#include "editor/import_command.h"

#include <gtest/gtest.h>

#include "editor/controls.h"
#include "editor/file_commands.h"
#include "formats/new_font.h"
#include "import/font_import.h"
#include "model/glyph_codec.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/font_collection.h"
#include "tests/support/system_fonts.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;
using testing::kDejaVuSans;
using testing::kDejaVuSansMono;
using Answer = std::vector<std::string>;

class ImportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui.create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        gui.create_label(controls::kInfoLabel, 10, 40, 240, 25, "");
        FontReadResult open = make_blank_font({8, 8, 48, 10});
        show_new_font(model, gui, open);
        model.glyph_grid.set(1, 1, true);
        store_edited_glyph(model);
        gui.clear_log();
    }

    FontModel model;
    FakeGuiServices gui;
};

TEST_F(ImportCommand, TheChosenFontBecomesTheOpenFontAsAfterOpen)
{
    SKIP_WITHOUT_FONT(kDejaVuSansMono);
    gui.open_dialog_answers.push_back(kDejaVuSansMono);
    gui.form_answers.push_back(Answer{"16", "65", "3", "", "", "no", ""});
    import_font_command(model, gui);

    ASSERT_EQ(gui.forms_shown.size(), 1u);
    EXPECT_EQ(gui.forms_shown[0][0], (FormField{"Pixel size", "16"}));
    EXPECT_EQ(gui.forms_shown[0][2].value, "95");
    EXPECT_EQ(gui.form_notes[0], "DejaVu Sans Mono Book: an outline font, drawn at any pixel size from 1 to 255.");
    EXPECT_TRUE(gui.messages.empty());
    EXPECT_EQ(model.header, (FontHeader{10, 19, 65, 3}));
    EXPECT_EQ(gui.list_entries, (std::vector<std::string>{"Chr$(65)  A", "Chr$(66)  B", "Chr$(67)  C"}));
    EXPECT_EQ(gui.list_selection, 0);
    EXPECT_EQ(gui.controls[controls::kInfoLabel].text, "10x19      Chr$(65) to Chr$(67)");
    EXPECT_EQ(model.current_index, 0);
    EXPECT_EQ(model.glyph_grid.at(4, 3), 1) << "the top of A is being edited";
}

TEST_F(ImportCommand, MistakesAreShownAndAskedAgainUntilCancelKeepsTheOpenFont)
{
    SKIP_WITHOUT_FONT(kDejaVuSansMono);
    const FontModel before = model;
    gui.open_dialog_answers.push_back(kDejaVuSansMono);
    gui.form_answers.push_back(Answer{"300", "32", "95", "", "", "no", ""});
    gui.form_answers.push_back(Answer{"16", "32", "95", "U+10FFF0", "", "no", ""});
    gui.form_answers.push_back(std::nullopt);
    import_font_command(model, gui);

    ASSERT_EQ(gui.messages.size(), 2u);
    EXPECT_EQ(gui.messages[0].second, "The pixel size must be a number from 1 to 255.");
    EXPECT_NE(gui.messages[1].second.find("past the last code point"), std::string::npos) << gui.messages[1].second;
    ASSERT_EQ(gui.forms_shown.size(), 3u);
    EXPECT_EQ(gui.forms_shown[1][0].value, "300") << "the dialog comes back with what was typed";
    EXPECT_EQ(model.header, before.header);
    EXPECT_EQ(model.font_table, before.font_table);
    EXPECT_EQ(model.glyph_grid.at(1, 1), 1) << "the edit on the canvas stays";
}

// The dialog shows the font its fields make, glyph after glyph, and the converter's centring and
// threshold reach the import; fields that cannot be read show why instead of a picture.
TEST_F(ImportCommand, TheDialogPreviewsWhatTheFieldsMakeWithCentringAndThreshold)
{
    SKIP_WITHOUT_FONT(kDejaVuSansMono);
    gui.open_dialog_answers.push_back(kDejaVuSansMono);
    gui.form_answers.push_back(Answer{"16", "65", "3", "", "", "maybe", ""});
    gui.form_answers.push_back(Answer{"16", "65", "3", "", "12x20", "yes", "100"});
    import_font_command(model, gui);

    ImportOptions options;
    options.pixel_size = 16;
    options.first_code = 65;
    options.char_count = 3;
    options.cell = CellSize{12, 20};
    options.placement = Placement::Centred;
    options.rendering = Rendering::Grey;
    options.threshold = 100;
    const FontReadResult expected = import_font(kDejaVuSansMono, options);
    ASSERT_TRUE(expected.ok) << expected.message;
    EXPECT_EQ(model.font_table, expected.font.font_table);

    ASSERT_EQ(gui.previews_shown.size(), 4u);
    const PreviewPicture& opened = gui.previews_shown[0];  // 95 characters from 32 at 16 pixels
    EXPECT_EQ(opened.height, 19);
    EXPECT_GT(opened.width, 200);
    EXPECT_LE(opened.width, 320);
    EXPECT_EQ(gui.previews_shown[1].message, "Centred in the cell is yes or no.");
    const PreviewPicture& chosen = gui.previews_shown[3];
    ASSERT_EQ(chosen.width, 3 * 12);
    ASSERT_EQ(chosen.height, 20);
    for (int row = 0; row < 3; ++row) {
        GlyphGrid grid(12, 20);
        decode_glyph(expected.font.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(chosen.bits[static_cast<std::size_t>(y * chosen.width + row * 12 + x)], grid.at(x, y))
                    << "glyph " << row << " at (" << x << ", " << y << ")";
    }
}

TEST_F(ImportCommand, AFileThatIsNoFontIsRefusedBeforeTheDialog)
{
    testing::TempFolder folder;
    testing::write_file(folder.file("notes.ttf"), "no font\n");
    gui.open_dialog_answers.push_back(folder.file("notes.ttf"));
    import_font_command(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].first, "Cannot import");
    EXPECT_NE(gui.messages[0].second.find("is not a font of a known kind"), std::string::npos);
    EXPECT_TRUE(gui.forms_shown.empty());
    EXPECT_EQ(model.header, (FontHeader{8, 8, 48, 10}));
}

TEST_F(ImportCommand, ACollectionAsksForTheFaceAndImportsTheOneChosen)
{
    SKIP_WITHOUT_FONT(kDejaVuSansMono);
    SKIP_WITHOUT_FONT(kDejaVuSans);
    testing::TempFolder folder;
    testing::write_file(folder.file("two.ttc"), testing::font_collection(std::vector<std::string>{
                                                        testing::read_file(kDejaVuSansMono), testing::read_file(kDejaVuSans)}));
    gui.open_dialog_answers.push_back(folder.file("two.ttc"));
    gui.form_answers.push_back(Answer{"16", "65", "3", "", "", "no", "", "2"});
    gui.form_answers.push_back(Answer{"16", "65", "3", "", "", "no", "", "1"});
    import_font_command(model, gui);

    ASSERT_EQ(gui.forms_shown.size(), 2u);
    EXPECT_EQ(gui.forms_shown[0].back(), (FormField{"Face, 0 to 1", "0"}));
    EXPECT_EQ(gui.form_notes[0], "A collection of 2 faces; face 0 is DejaVu Sans Mono Book: an outline font, drawn at "
                                 "any pixel size from 1 to 255.");
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0].second, "The face must be a number from 0 to 1.");
    ImportOptions options;
    options.pixel_size = 16;
    options.first_code = 65;
    options.char_count = 3;
    FontReadResult alone = import_font(kDejaVuSans, options);
    ASSERT_TRUE(alone.ok) << alone.message;
    EXPECT_EQ(model.header, alone.font.header) << "face 1 is DejaVu Sans";
    EXPECT_EQ(model.font_table, alone.font.font_table);
}

TEST_F(ImportCommand, WarningsAreShownOnceTheFontIsOpen)
{
    SKIP_WITHOUT_FONT(kDejaVuSansMono);
    gui.open_dialog_answers.push_back(kDejaVuSansMono);
    gui.form_answers.push_back(Answer{"16", "65", "2", "U+0378", "", "no", ""});
    import_font_command(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    EXPECT_EQ(gui.messages[0], (std::pair<std::string, std::string>{
                                   "Import font", "2 characters are not in the font and stay blank: 65 to 66 (U+0378 to U+0379)"}));
    EXPECT_EQ(model.header.first_char, 65);
}

TEST_F(ImportCommand, SaveAsBdfAppendsItsExtensionAndWritesTheEditedGlyph)
{
    testing::TempFolder folder;
    gui.save_dialog_answers.push_back(folder.file("digits"));
    save_as_bdf(model, gui);
    EXPECT_EQ(gui.dialog_titles.back(), "font.bdf file to save");
    EXPECT_EQ(gui.dialog_filters.back(), "BDF File|*.bdf|All files (*.*)|*.*");
    std::string bdf = testing::read_file(folder.file("digits.bdf"));
    EXPECT_EQ(bdf.rfind("STARTFONT 2.1\n", 0), 0u);
    // The edited pixel, (1, 1), is the whole box: one column right of the origin, six rows above the baseline.
    EXPECT_NE(bdf.find("ENCODING 48\nSWIDTH 1000 0\nDWIDTH 8 0\nBBX 1 1 1 6\nBITMAP\n80\nENDCHAR\n"), std::string::npos) << bdf;
    EXPECT_TRUE(gui.messages.empty());
}

}  // namespace
}  // namespace glyphwright

// The registry of file forms: each form is found again in what it writes, by content alone, and
// the names and extensions that the converter and the dialogs take from it lead back to it.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "formats/file_forms.h"
#include "formats/font_document.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"
#include "tests/support/temp_folder.h"

namespace glyphwright::testing {
namespace {

TEST(FileForms, NamesAndExtensionsLeadBackToTheirForm)
{
    std::set<std::string_view> names;
    for (const FileForm& form : file_forms()) {
        SCOPED_TRACE(form.name);
        EXPECT_TRUE(names.insert(form.name).second) << "a name is taken twice";
        EXPECT_EQ(form_named(form.name), &form);
        // An extension two forms share (".h") leads to the first of them.
        for (std::string_view extension : form.extensions) {
            auto first = std::find_if(file_forms().begin(), file_forms().end(), [&](const FileForm& other) {
                return std::find(other.extensions.begin(), other.extensions.end(), extension) != other.extensions.end();
            });
            EXPECT_EQ(format_of_path("dir.x/font." + to_upper(extension)), first->format);
        }
        EXPECT_EQ(with_default_extension("font", form.format), "font." + std::string(form.extensions.front()));
        EXPECT_NE(open_dialog_filter().find(std::string(form.title)), form.readable() ? std::string::npos : 0u);
    }
    EXPECT_EQ(form_named("png"), nullptr);
    EXPECT_EQ(format_of_path("font.png"), std::nullopt);
}

// A file written in a readable form and given a name that says nothing is opened in that form.
TEST(FileForms, EveryReadableFormFindsWhatItWritesByContent)
{
    TempFolder folder;
    FontReadResult blank = make_blank_font({8, 12, 32, 95});
    ASSERT_TRUE(blank.ok) << blank.message;
    for (const FileForm& form : file_forms()) {
        if (!form.readable())
            continue;
        SCOPED_TRACE(form.name);
        std::string path = folder.file("font.txt");
        write_file(path, form.write(blank.font, path, {}));
        ScannedFontFile file = scan_font_file(path);
        ASSERT_TRUE(file.ok) << file.message;
        EXPECT_EQ(file.format, form.format);
        ASSERT_EQ(file.scan.entries.size(), 1u);
        FontReadResult read = read_font_entry(file, 0);
        ASSERT_TRUE(read.ok) << read.message;
        // A form of boxes keeps no cell around blank glyphs: they are the same where drawn. A form
        // of one range of codes (TFT_eSPI's 32 to 127) writes the codes past the font's blank.
        std::vector<DrawnGlyph> drawn = drawn_glyphs(read.font);
        if (form.format == FontFormat::Glcd) {
            // A glcd array holds every code from 0 with the library's own advance.
            EXPECT_EQ(read.font.header.char_count, 256);
            continue;
        }
        drawn.resize(std::min<std::size_t>(drawn.size(), 95));
        EXPECT_EQ(drawn, drawn_glyphs(blank.font));
        if (!form.limits.proportional) {
            EXPECT_EQ(read.font.header, blank.font.header);
        }
    }
}

// A byte array that is not declared as a font counts only when it holds what its header announces.
TEST(FileForms, ByteArrayIsAFontOnlyWhenItsLengthAgreesWithItsHeader)
{
    const std::string glyphs = "  0x18,0x24,\n  0x3C,0x42,\n";
    struct Row {
        std::string data;
        bool font;
        std::string refusal = "but a font of its header (8 x 2, 2 characters) takes 8";
    };
    const Row rows[] = {
        {glyphs, true},                               // 4 + 2 glyphs of 2 bytes
        {glyphs + "  0x00,0x00,\n", true},            // one glyph more: a surplus line, warned of
        {"  0x18,0x24,\n", true},                     // one glyph less: a missing glyph, warned of
        {glyphs + "  0x00,0x00,0x00,0x00,\n", false}, // two glyphs more: some other table
        {"", false},
        // never closed: the bytes after the next declaration are that array's, whatever their count
        {"  0x18,0x24,\nconst uint8_t Next[] = {\n  0x3C,0x42,\n", false, "the next array begins before it is closed"},
    };
    for (const Row& row : rows) {
        std::string text = "const uint8_t Table[] = {\n  0x08,0x02,0x41,0x02,\n" + row.data + "};\n";
        SCOPED_TRACE(text);
        FontScan scan = form_of(FontFormat::C).scan(text);
        EXPECT_EQ(scan.entries.size(), row.font ? 1u : 0u) << scan.refusal;
        if (!row.font) {
            EXPECT_NE(scan.refusal.find(row.refusal), std::string::npos) << scan.refusal;
        }
    }
}

}  // namespace
}  // namespace glyphwright::testing

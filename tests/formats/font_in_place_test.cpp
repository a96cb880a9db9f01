#include "formats/font_in_place.h"

#include <gtest/gtest.h>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

FontFormat format_of(const fs::path& path) { return is_bas_path(path) ? FontFormat::Bas : FontFormat::C; }

FontScan scan_of(std::string_view text, FontFormat format)
{
    return format == FontFormat::C ? scan_c_fonts(text) : scan_bas_fonts(text);
}

FontReadResult read_of(std::string_view text, FontFormat format, const FontEntry& entry)
{
    return format == FontFormat::C ? read_c_font_entry(text, entry) : read_bas_font_entry(text, entry);
}

FontModel edited_font(std::string_view text, FontFormat format, const FontEntry& entry)
{
    FontReadResult read = read_of(text, format, entry);
    EXPECT_TRUE(read.ok) << read.message;
    FontModel model;
    adopt_font(model, std::move(read.font));
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    return model;
}

// Saving an edited font into any font of a real file changes only that font's lines: the text
// before and after it is the same, every other font reads as before, the edit reads back, and a
// second save of the font as read back changes nothing.
TEST(FontInPlace, OnlyTheEditedFontsLinesChangeInEveryFontOfTheCorpus)
{
    const fs::path corpus = GLYPHWRIGHT_CORPUS_DIR;
    if (!fs::is_directory(corpus))
        GTEST_SKIP() << "the corpus folder " << corpus << " is absent";
    std::vector<fs::path> files = files_in(corpus / "c");
    for (const fs::path& file : files_in(corpus / "mmbasic"))
        files.push_back(file);
    for (const fs::path& path : files) {
        const FontFormat format = format_of(path);
        const std::string text = read_file(path.string());
        const FontScan before = scan_of(text, format);
        for (std::size_t at = 0; at < before.entries.size(); ++at) {
            SCOPED_TRACE(path.filename().string() + " font " + std::to_string(at + 1));
            const FontEntry& entry = before.entries[at];
            FontModel font = edited_font(text, format, entry);
            InPlaceText saved = text_with_font_in_place(text, format, entry, font);
            ASSERT_TRUE(saved.ok) << saved.error;
            std::size_t tail = text.size() - entry.end;
            ASSERT_GE(saved.text.size(), entry.begin + tail);
            EXPECT_EQ(saved.text.substr(0, entry.begin), text.substr(0, entry.begin));
            EXPECT_EQ(saved.text.substr(saved.text.size() - tail), text.substr(entry.end));
            bool crlf = text.find("\r\n") != std::string::npos;
            std::string_view written = std::string_view(saved.text).substr(entry.begin, saved.text.size() - tail - entry.begin);
            EXPECT_EQ(written.find(crlf ? "\n\n" : "\r"), std::string_view::npos) << "a line end of another kind";

            FontScan after = scan_of(saved.text, format);
            ASSERT_EQ(after.entries.size(), before.entries.size());
            for (std::size_t other = 0; other < after.entries.size(); ++other) {
                if (other == at)
                    continue;
                FontReadResult old_read = read_of(text, format, before.entries[other]);
                FontReadResult new_read = read_of(saved.text, format, after.entries[other]);
                EXPECT_EQ(dump_of(new_read), dump_of(old_read)) << "font " << other + 1;
            }
            FontReadResult back = read_of(saved.text, format, after.entries[at]);
            ASSERT_TRUE(back.ok) << back.message;
            EXPECT_EQ(back.font.header, font.header);
            EXPECT_EQ(font_bytes(back.font), font_bytes(font));

            EXPECT_EQ(text_with_font_in_place(saved.text, format, after.entries[at], back.font).text, saved.text);
        }
    }
}

// Every block's places run in order and blocks do not overlap, whatever shares a line with
// DefineFont or End DefineFont and whichever line ends the text uses.
TEST(FontInPlace, TheBlocksOfASourceLieInOrder)
{
    const std::string texts[] = {
        "DefineFont #1\n  01300801 0000007E\nEnd DefineFont\n",
        "DefineFont #1 : 01300801 0000007E : End DefineFont\nDefineFont #2\n01300801 0000007E\nEnd DefineFont",
        "x\rDefineFont #0 : 01300801 0000007E:End DefineFont\r  : y\rDefineFont #8\r\n  01410808 6AAAbar",
        "DefineFont #1 : 01300801\r\n0000007E : End DefineFont\r\n' after\r\n",
    };
    for (const std::string& text : texts) {
        FontScan scan = scan_bas_fonts(text);
        ASSERT_FALSE(scan.entries.empty()) << text;
        std::size_t previous_end = 0;
        for (const FontEntry& entry : scan.entries) {
            EXPECT_LE(previous_end, entry.leading_begin) << text;
            EXPECT_LE(entry.leading_begin, entry.begin) << text;
            EXPECT_LE(entry.begin, entry.data_begin) << text;
            EXPECT_LE(entry.data_begin, entry.data_end) << text;
            EXPECT_LE(entry.data_end, entry.end) << text;
            EXPECT_LE(entry.end, text.size()) << text;
            previous_end = entry.end;
        }
    }
}

const std::string kTwoFonts = "// two.c\nfontdatatype A[6] PROGMEM={\n0x08,0x01,0x41,0x02,\n0x18, // A\n0x3C, // B\n};\n"
                              "fontdatatype B[5] PROGMEM={\n0x08,0x01,0x30,0x01,\n0x7E, // 0\n};\n";

InPlaceTarget second_font_of(const std::string& path, const ScannedFontFile& file)
{
    return {path, FontFormat::C, 1, "B", file.stamp};
}

TEST(FontInPlace, SaveRefusesAFileThatChangedOrLostTheFontAndWritesNothing)
{
    TempFolder folder;
    const std::string path = folder.file("two.c");
    write_file(path, kTwoFonts);
    ScannedFontFile file = scan_font_file(path);
    ASSERT_TRUE(file.ok) << file.message;
    FontModel font = edited_font(file.content, FontFormat::C, file.scan.entries[1]);
    InPlaceTarget target = second_font_of(path, file);

    // Saved, the stamp follows the file, so the next save in place goes through as well.
    InPlaceResult saved = save_font_in_place(font, target);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.stamp, file_stamp(path));
    EXPECT_NE(read_file(path).find("0xFE, // 0"), std::string::npos);
    target.stamp = saved.stamp;
    EXPECT_TRUE(save_font_in_place(font, target).ok);

    // Changed on disk by someone else: refused, and their text stays.
    const std::string theirs = kTwoFonts + "// their line\n";
    write_file(path, theirs);
    InPlaceResult refused = save_font_in_place(font, target);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("changed on disk"), std::string::npos) << refused.error;
    EXPECT_EQ(read_file(path), theirs);

    // The font is no longer there under its name.
    target.stamp.reset();
    target.name = "Gone";
    InPlaceResult lost = save_font_in_place(font, target);
    EXPECT_FALSE(lost.ok);
    EXPECT_NE(lost.error.find("no longer holds \"Gone\""), std::string::npos) << lost.error;
    EXPECT_EQ(read_file(path), theirs);
    EXPECT_EQ(folder.entry_count(), 1u) << "no temporary file is left";
}

}  // namespace
}  // namespace glyphwright::testing

// TFT_eSPI's own fonts: glyphs worked out by hand from the library's drawing rule, properties
// over every corpus font in both encodings, arrays shared by several codes, the header beside the
// arrays, and the fonts the form cannot hold.

#include "formats/tft_espi_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/font_document.h"
#include "formats/font_in_place.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kTftFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "tft-espi";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::TftEspi, text); }

constexpr char kTftCorpusName[] = "tft-espi";
using TftCorpus = CorpusFolderTest<kTftCorpusName>;

// Worked out from the tables and bytes by hand, as drawChar draws them.
TEST_F(TftCorpus, GlyphsStandWhereTheLibraryDrawsThem)
{
    // Font 2 'A': width 8, rows 3 to 12 are 10 10 28 28 44 44 7C 82 82 82, row 12 the base row
    // (baseline 13). With the file's own #defines, '$' is the dollar and '`' the 5-wide degree.
    const FontReadResult font2 = read_font_file((kTftFolder / "Font16.c").string());
    ASSERT_TRUE(font2.ok) << font2.message;
    EXPECT_TRUE(font2.warnings.empty()) << joined_lines(font2.warnings);
    EXPECT_EQ(font2.font.name, "f16");
    EXPECT_EQ(font2.font.ascent, 13);
    EXPECT_EQ(font2.font.header.glyph_height, 16);
    EXPECT_EQ(advance(font2.font, U'A'), 8);
    const char* a[] = {"...#....", "...#....", "..#.#...", "..#.#...", ".#...#..", ".#...#..", ".#####..", "#.....#.", "#.....#.", "#.....#."};
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(pixel(font2.font, U'A', c, r - 9), a[r][c] == '#') << r << ", " << c;
    EXPECT_FALSE(pixel(font2.font, U'A', 3, -10));
    EXPECT_EQ(advance(font2.font, U'`'), 5);
    EXPECT_TRUE(pixel(font2.font, U'$', 2, -10));  // the dollar's row 2 is 0x28; the pound's is 0x00

    // Font 4 '!': width 8, 26 rows; runs 0A 81 05 81 ... give a stroke in columns 3 and 4 on rows
    // 1 to 13 and the dot on rows 16 to 18; row 18 is the base row (baseline 19).
    const FontReadResult font4 = read_font_file((kTftFolder / "Font32rle.c").string());
    ASSERT_TRUE(font4.ok) << font4.message;
    EXPECT_EQ(font4.font.ascent, 19);
    EXPECT_EQ(font4.font.header.glyph_height, 26);
    EXPECT_EQ(advance(font4.font, U'!'), 8);
    for (int row = 0; row < 26; ++row) {
        const bool ink = (row >= 1 && row <= 13) || (row >= 16 && row <= 18);
        EXPECT_EQ(pixel(font4.font, U'!', 3, row - 18), ink) << row;
        EXPECT_EQ(pixel(font4.font, U'!', 4, row - 18), ink) << row;
        EXPECT_FALSE(pixel(font4.font, U'!', 2, row - 18)) << row;
    }
}

// Every corpus font: written anew in both encodings and read back, saved in place without edits
// and with one pixel changed, and through BDF, it keeps its glyphs, advances and codes.
TEST_F(TftCorpus, EveryFontSurvivesEveryWayOut)
{
    int fonts = 0;
    for (const fs::path& path : files_in(kTftFolder)) {
        if (path.extension() != ".c")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontScan scan = scan_tft_espi_fonts(text);
        ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
        const FontEntry& entry = scan.entries.front();
        const FontReadResult read = read_tft_espi_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        ++fonts;
        for (std::size_t length = 0; length < text.size(); length += 11) {
            const FontScan cut = scan_tft_espi_fonts(std::string_view(text).substr(0, length));
            for (const FontEntry& found : cut.entries)
                read_tft_espi_font_entry(std::string_view(text).substr(0, length), found);
            ASSERT_TRUE(!cut.entries.empty() || !cut.refusal.empty()) << length;
        }
        const bool run_length = path.filename().string().find("rle") != std::string::npos;
        for (const bool rle : {false, true}) {
            const std::string written = write_tft_espi_font(read.font, path.string(), {rle});
            const FontReadResult again = read_first(written);
            ASSERT_TRUE(again.ok) << again.message;
            // Font 2 stores (width + 6) / 8 bytes a row, so a glyph with ink in its last column
            // (width 17: column 16) grows by one column when a run-length font is written in rows.
            if (rle == run_length) {
                EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(read.font));
            }
            EXPECT_EQ(glyph_count(again.font), glyph_count(read.font));
            EXPECT_EQ(write_tft_espi_font(again.font, path.string(), {rle}), written) << "the program's own file comes back byte for byte";
        }
        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        ASSERT_TRUE(bdf.ok) << bdf.message;
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));

        const InPlaceText same = tft_espi_font_in_place(text, entry, read.font);
        ASSERT_TRUE(same.ok) << same.error;
        EXPECT_EQ(first_difference(text, same.text), "");
        const Font edited = with_pixel_turned(read.font, U'A', 1, 1);
        const InPlaceText changed = tft_espi_font_in_place(text, entry, edited);
        ASSERT_TRUE(changed.ok) << changed.error;
        const FontReadResult reread = read_first(changed.text);
        ASSERT_TRUE(reread.ok) << reread.message;
        EXPECT_EQ(drawn_glyphs(reread.font), drawn_glyphs(edited));
        // Font 2: the line of A's row 2; Font 4: A's runs, which all move on.
        EXPECT_LE(lines_changed_by_diff(text, changed.text), run_length ? 9 : 1) << first_difference(text, changed.text);
    }
    EXPECT_EQ(fonts, 2);
}

// Three codes of a run-length font, 3 x 2 pixels each; the space's array serves code 34 too, as
// Font7srle.c's does for every code without a segment glyph.
const char kShared[] = R"(PROGMEM const unsigned char widtbl_t[3] = { 3, 3, 3 };
PROGMEM const unsigned char chr_t_20[] = { 0x05 };
PROGMEM const unsigned char chr_t_21[] = { 0x80, 0x04 };
PROGMEM const unsigned char* const chrtbl_t[3] = { chr_t_20, chr_t_21, chr_t_20 };
)";

TEST(TftEspiFont, ACodeThatSharedItsArrayGetsItsOwnWhenItChanges)
{
    const FontScan scan = scan_tft_espi_fonts(kShared);
    ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
    const FontReadResult read = read_tft_espi_font_entry(kShared, scan.entries.front());
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.font.header.glyph_height, 2);
    EXPECT_TRUE(pixel(read.font, U'!', 0, -read.font.ascent + 1));

    const Font edited = with_pixel_turned(read.font, U'"', 2, 1);
    const InPlaceText saved = tft_espi_font_in_place(kShared, scan.entries.front(), edited);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_NE(saved.text.find("PROGMEM const unsigned char chr_t_22[] = \n{\n0x04, 0x80\n};\n\nPROGMEM const unsigned char* const chrtbl_t[3] = "
                              "{ chr_t_20, chr_t_21, chr_t_22 };"), std::string::npos) << saved.text;
    EXPECT_NE(saved.text.find("chr_t_20[] = { 0x05 }"), std::string::npos) << "the space keeps its array";
    const FontReadResult again = read_first(saved.text);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(edited));
}

// Runs written otherwise than the fewest (two background runs in a row) stay as written through a
// save without edits: the glyph draws as before.
TEST(TftEspiFont, AnUneditedGlyphKeepsItsRunsAsWritten)
{
    std::string text = kShared;
    text.replace(text.find("{ 0x80, 0x04 }"), 14, "{ 0x80, 0x01, 0x02 }");
    const FontScan scan = scan_tft_espi_fonts(text);
    ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
    const FontReadResult read = read_tft_espi_font_entry(text, scan.entries.front());
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(read.warnings.empty()) << joined_lines(read.warnings);
    EXPECT_EQ(tft_espi_font_in_place(text, scan.entries.front(), read.font).text, text);
}

// The header beside the arrays gives the baseline, Save as writes it with the arrays, and a
// save in place writes over only its numbers that changed.
TEST(TftEspiFont, TheHeaderBesideTheArraysTravelsWithThem)
{
    TempFolder folder;
    write_file(folder.file("Tiny.c"), kShared);
    write_file(folder.file("Tiny.h"), "#include <Fonts/Tiny.c>\n#define chr_hgt_t 2 // rows\n#define baseline_t 1\n");
    const FontReadResult read = read_font_file(folder.file("Tiny.c"));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.font.ascent, 1);

    Font lower = read.font;
    lower.ascent = 2;
    lower.descent = 0;
    ASSERT_TRUE(save_font_in_place(lower, {folder.file("Tiny.c"), FontFormat::TftEspi, 0, "t", std::nullopt}).ok);
    EXPECT_EQ(read_file(folder.file("Tiny.h")), "#include <Fonts/Tiny.c>\n#define chr_hgt_t 2 // rows\n#define baseline_t 2\n");
    EXPECT_EQ(read_file(folder.file("Tiny.c")), kShared);

    ASSERT_TRUE(save_font(lower, folder.file("Copy.c"), FontFormat::TftEspi).ok);
    const FontReadResult copy = read_font_file(folder.file("Copy.c"));
    ASSERT_TRUE(copy.ok) << copy.message;
    EXPECT_EQ(copy.font.ascent, 2);
    EXPECT_NE(read_file(folder.file("Copy.h")).find("#include <Fonts/Copy.c>"), std::string::npos);
    const std::vector<DrawnGlyph> glyphs = drawn_glyphs(copy.font);
    ASSERT_EQ(glyphs.size(), 96u) << "every code from 32 to 127, blank where the font has none";
    EXPECT_EQ(std::vector<DrawnGlyph>(glyphs.begin(), glyphs.begin() + 3), drawn_glyphs(lower));
}

TEST(TftEspiFont, WhatTheFormCannotHoldIsRefusedByName)
{
    const FontReadResult read = read_first(kShared);
    ASSERT_TRUE(read.ok) << read.message;
    Font high = read.font;
    high.font_table[2].code_point = 200;
    EXPECT_NE(tft_espi_refusal(high).find("outside 32 to 127"), std::string::npos) << tft_espi_refusal(high);
    EXPECT_EQ(tft_espi_refusal(read.font), "");
    // A pointer table without its width table, and arrays that agree on no height.
    EXPECT_EQ(scan_tft_espi_fonts("\nconst unsigned char* const chrtbl_x[1] = { a };\n").refusal,
              "line 2: chrtbl_x has no width table widtbl_x beside it");
    EXPECT_NE(scan_tft_espi_fonts("const unsigned char widtbl_x[2] = {3, 3};\nconst unsigned char a[] = {1};\nconst unsigned char b[] = {1, 2};\n"
                                  "const unsigned char* const chrtbl_x[2] = { a, b };\n").refusal.find("agree on no height"),
              std::string::npos);
}

}  // namespace
}  // namespace glyphwright::testing

// glcd column fonts: glyphs worked out by hand from the library's drawing rule, properties over
// the corpus arrays, the layouts an array's length and name give, and what the form cannot hold.

#include "formats/glcd_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kGlcdFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "glcd";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::Glcd, text); }

// The numbers of a text's array, in order, without comments.
std::vector<int> array_numbers(std::string_view text)
{
    std::vector<int> numbers;
    for (std::string_view line : lines_of(text.substr(text.find("[] ")))) {
        line = line.substr(0, line.find("//"));
        for (std::size_t at = line.find("0x"); at != std::string_view::npos; at = line.find("0x", at + 2))
            numbers.push_back(static_cast<int>(parse_value(std::string("$").append(line.substr(at + 2, 2)))));
    }
    return numbers;
}

constexpr char kGlcdCorpusName[] = "glcd";
using GlcdCorpus = CorpusFolderTest<kGlcdCorpusName>;

// Adafruit 'A' = glyph 65, 7C 12 11 12 7C: rows 0 to 6, row 6 the base row; '!' = 00 00 5F 00 00.
// MicroPython '!' = glyph 33 - 32 of 8 columns, 00 00 00 4F 4F 00 00 00.
TEST_F(GlcdCorpus, GlyphsStandWhereTheLibraryDrawsThem)
{
    const FontReadResult adafruit = read_first(read_file((kGlcdFolder / "glcdfont_adafruit_gfx_2019.c").string()));
    ASSERT_TRUE(adafruit.ok) << adafruit.message;
    EXPECT_EQ(adafruit.font.header, (FontHeader{6, 8, 0, 256}));
    EXPECT_EQ(advance(adafruit.font, U'A'), 6);
    const char* a[] = {"..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#", "....."};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(pixel(adafruit.font, U'A', c, r - 6), a[r][c] == '#') << r << ", " << c;
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(pixel(adafruit.font, U'!', 2, r - 6), r <= 4 || r == 6) << r;

    const FontReadResult petme = read_first(read_file((kGlcdFolder / "font_petme128_8x8_micropython.h").string()));
    ASSERT_TRUE(petme.ok) << petme.message;
    EXPECT_EQ(petme.font.header, (FontHeader{8, 8, 32, 96}));
    EXPECT_EQ(advance(petme.font, U'!'), 8);
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(pixel(petme.font, U'!', 3, r - 6), r <= 3 || r == 6) << r;
}

// Every corpus array: written anew it gives the same bytes; saved in place without edits the file
// stays, and one pixel changes one line; through BDF the glyphs stay.
TEST_F(GlcdCorpus, EveryFontSurvivesEveryWayOut)
{
    int fonts = 0;
    for (const fs::path& path : files_in(kGlcdFolder)) {
        if (path.extension() == ".md")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontEntry entry = read_first_of_entry(FontFormat::Glcd, text);
        const FontReadResult read = read_glcd_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        ++fonts;
        const std::string written = write_glcd_font(read.font, path.string());
        EXPECT_EQ(array_numbers(written), array_numbers(text));
        EXPECT_EQ(write_glcd_font(read_first(written).font, path.string()), written);
        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        ASSERT_TRUE(bdf.ok) << bdf.message;
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));
        EXPECT_EQ(glcd_font_in_place(text, entry, read.font).text, text);
        const Font edited = with_pixel_turned(read.font, U'A', 0, 0);
        const InPlaceText changed = glcd_font_in_place(text, entry, edited);
        ASSERT_TRUE(changed.ok) << changed.error;
        EXPECT_EQ(drawn_glyphs(read_first(changed.text).font), drawn_glyphs(edited));
        EXPECT_EQ(lines_that_differ(text, changed.text), 1);
    }
    EXPECT_EQ(fonts, 2);
}

// What an array's length and name give, and what --cell gives where they leave more than one answer.
TEST(GlcdFont, TheLayoutComesFromTheLengthTheNameOrTheCell)
{
    const struct {
        std::string_view name;
        int bytes;
        std::optional<int> columns;
        FontHeader header;  // glyph_width 0: refused, asking for the cell
    } rows[] = {
        {"font", 1280, {}, {6, 8, 0, 256}},             // Adafruit and TFT_eSPI
        {"font", 1536, {}, {6, 8, 0, 256}},             // QMK's 6 columns
        {"font", 768, {}, {8, 8, 32, 96}},              // MicroPython
        {"glyphs", 2048, {}, {8, 8, 0, 256}},           // a wide font as Glyphwright writes it
        {"font_6x8", 576, {}, {6, 8, 32, 96}},          // a size in the name
        {"font", 576, {}, {0, 8, 0, 0}},                // 6 x 96 or 8 x 72: ask
        {"font", 576, 6, {6, 8, 32, 96}},
        {"font", 1280, 8, {8, 8, 0, 160}},              // the cell given wins over the length
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.bytes));
        std::string text = "const unsigned char " + std::string(row.name) + "[] = {";
        for (int at = 0; at < row.bytes; ++at)
            text += at == 0 ? "0x01" : ", 0x01";
        text += "};\n";
        const FontEntry entry = read_first_of_entry(FontFormat::Glcd, text);
        const FontReadResult read = read_glcd_font_with(text, entry, {std::nullopt, row.columns});
        if (row.header.glyph_width == 0) {
            EXPECT_NE(read.message.find("give the columns a glyph with --cell WxH"), std::string::npos) << read.message;
            continue;
        }
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.font.header, row.header);
    }
}

// An array whose name states a size is written in that size when it holds the font, and read
// back as written either way: the size in the name must not mislead the length.
TEST(GlcdFont, ANameWithASizeReadsBackAsWritten)
{
    const struct {
        const char* name;
        int ink_column;  // the rightmost column of 'A' with ink
        FontHeader header;
    } rows[] = {
        {"font_petme128_8x8", 2, {8, 8, 32, 96}},  // 8 columns as named, though 5 would do
        {"font6x8", 2, {6, 8, 0, 256}},
        {"font6x8", 7, {8, 8, 0, 256}},            // too narrow for its name: every code from 0
        {"font5x7", 5, {6, 8, 0, 256}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.ink_column));
        Font font = make_blank_font({8, 8, 0x41, 2}).font;
        font.name = row.name;
        font.ascent = 7;
        font.descent = 1;
        font = with_pixel_turned(with_pixel_turned(font, U'A', 0, 3), U'A', row.ink_column, 6);
        const FontReadResult back = read_first(write_glcd_font(font, "font.c"));
        ASSERT_TRUE(back.ok) << back.message;
        EXPECT_EQ(back.font.header, row.header);
        EXPECT_TRUE(pixel(back.font, U'A', 0, -3));
        EXPECT_TRUE(pixel(back.font, U'A', row.ink_column, 0));
    }
}

TEST(GlcdFont, WhatTheFormCannotHoldIsRefusedByName)
{
    Font font = make_blank_font({8, 10, 0x41, 2}).font;
    font.ascent = 7;
    font.descent = 3;
    EXPECT_EQ(glcd_refusal(font), "");
    EXPECT_NE(glcd_refusal(with_pixel_turned(font, U'B', 0, 9)).find("the glyph of U+0042 has pixels"), std::string::npos);
    font.font_table[1].code_point = 0x100;
    EXPECT_NE(glcd_refusal(font).find("has a code past 255"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright::testing

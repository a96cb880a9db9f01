#include "import/code_points.h"
#include "text/text_primitives.h"

#include <gtest/gtest.h>

#include "formats/new_font.h"
#include "import/option_text.h"

namespace glyphwright {
namespace {

TEST(CodePoints, AreReadAndWrittenAsUPlusHexadecimal)
{
    EXPECT_EQ(code_point_text(0x41), "U+0041");
    EXPECT_EQ(code_point_text(0x1F600), "U+1F600");
    EXPECT_EQ(parse_code_point("U+0410"), char32_t{0x410});
    EXPECT_EQ(parse_code_point("u+10ffff"), char32_t{0x10FFFF});
    for (const char* wrong : {"", "U+", "0410", "U+110000", "U+41 ", "U+G1", "U+0000041"})
        EXPECT_FALSE(parse_code_point(wrong).has_value()) << wrong;
}

TEST(CodePoints, RangesAreListsOfForwardRunsUpToTheLastCodePoint)
{
    using Ranges = std::vector<CodePointRange>;
    EXPECT_EQ(parse_code_point_ranges("U+0020-U+007E,U+0400-U+045F"), (Ranges{{0x20, 0x7E}, {0x400, 0x45F}}));
    EXPECT_EQ(parse_code_point_ranges("u+a0"), (Ranges{{0xA0, 0xA0}}));
    EXPECT_EQ(parse_code_point_ranges("U+0000-U+10FFFF"), (Ranges{{0, 0x10FFFF}}));
    for (const char* wrong : {"", "U+007E-U+0020", "U+0020-", "U+0020,,U+0030", "U+0000-U+10FFFF,U+0000", "32-126"})
        EXPECT_EQ(parse_code_point_ranges(wrong), std::nullopt) << wrong;
}

TEST(CodePoints, MapLinesGiveCodesTheirCharacters)
{
    CodePointMap map = parse_code_point_map("# Cyrillic capitals\r\n192 U+0410\n\n  0xC1\tU+0411  \n");
    ASSERT_TRUE(map.ok) << map.message;
    EXPECT_EQ(map.code_points, (std::map<int, char32_t>{{192, 0x410}, {193, 0x411}}));

    struct Case {
        const char* text;
        const char* message;
    };
    const Case refused[] = {
        {"65 U+0041\n256 U+0100\n", "line 2: a map line is a code (0 to 255) and a code point such as «65 U+0041»"},
        {"65\n", "line 1: a map line"},
        {"65 0x41\n", "line 1: a map line"},
        {"65 U+0041 extra\n", "line 1: a map line"},
        {"65 U+0041\n65 U+0042\n", "line 2: code 65 is mapped twice"},
    };
    for (const Case& test : refused) {
        CodePointMap bad = parse_code_point_map(test.text);
        EXPECT_FALSE(bad.ok) << test.text;
        EXPECT_EQ(bad.message.rfind(test.message, 0), 0u) << bad.message;
    }
}

TEST(OptionText, NumbersAndCellsAreWholeAndInRange)
{
    EXPECT_EQ(parse_number("255", 0, 255), 255);
    EXPECT_EQ(parse_number("0x20", 0, 255), 32);
    for (const char* wrong : {"", "256", "-1", " 1", "1 ", "0x", "12a", "99999999999"})
        EXPECT_FALSE(parse_number(wrong, 0, 255).has_value()) << wrong;
    EXPECT_EQ(parse_cell_size("8x16"), (CellSize{8, 16}));
    EXPECT_EQ(parse_cell_size("255X1"), (CellSize{255, 1}));
    for (const char* wrong : {"8", "x16", "8x", "0x8", "8x256", "8 x 16"})
        EXPECT_FALSE(parse_cell_size(wrong).has_value()) << wrong;
}

TEST(NewFont, BlankFontsOfEveryHeldSizeAndNoOther)
{
    FontReadResult blank = make_blank_font({6, 4, 65, 3});
    ASSERT_TRUE(blank.ok) << blank.message;
    EXPECT_EQ(blank.font.header_bytes_text, "0x06,0x04,0x41,0x03,");
    EXPECT_EQ(blank.font.font_table[2].glyph_data, "0x00,0x00,0x00,");
    EXPECT_TRUE(blank.font.font_table[3].glyph_data.empty());
    EXPECT_EQ(character_labels(blank.font), (std::vector<std::string>{"Chr$(65)  A", "Chr$(66)  B", "Chr$(67)  C"}));

    const FontHeader refused[] = {{0, 8, 32, 1}, {7, 9, 32, 1}, {256, 8, 32, 1}, {8, 8, 256, 1}, {8, 8, 32, 256}, {8, 8, -1, 1}};
    for (const FontHeader& header : refused) {
        FontReadResult font = make_blank_font(header);
        EXPECT_FALSE(font.ok) << header.glyph_width << "x" << header.glyph_height;
        EXPECT_FALSE(font.message.empty());
    }
}

}  // namespace
}  // namespace glyphwright

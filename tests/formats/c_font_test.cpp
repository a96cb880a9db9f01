#include "formats/c_font.h"

#include <gtest/gtest.h>

#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

std::string c_file(std::string_view header_line, std::string_view glyph_lines)
{
    return "// t.c\r\nfontdatatype F[8] PROGMEM={\r\n" + std::string(header_line) + "\r\n" + std::string(glyph_lines) + "};\r\n";
}

TEST(CFont, ArrayLinesAreFontdatatypeAndByteArraysAfterBlanksAndQualifiers)
{
    struct Row { std::string_view line; bool is_array_line; };
    const Row rows[] = {
        // "fontdatatype" at the start, whatever follows, after blanks, tabs, static and const
        {"fontdatatype X[8]={", true}, {"fontdatatypeXYZ", true}, {"  fontdatatype X[8]={", true},
        {"\tstatic const fontdatatype X[8] PROGMEM={", true}, {"const fontdatatype Grotesk16x32[6084] PROGMEM={", true},
        // byte arrays, with const, static and PROGMEM in their usual places
        {"const unsigned char X[8] = {", true}, {"uint8_t X[] PROGMEM={", true}, {"prog_uint8_t X[8] = {", true},
        {"static const char X[8] = {", true}, {"const PROGMEM uint8_t X[8] = {", true}, {"const uint8_t PROGMEM X[8] =", true},
        // another case, other types and words, no array, or an initializer that starts on the line
        {"FontDataType X[8]={", false}, {"extern fontdatatype X[];", false}, {"const int X[8] = {", false},
        {"unsigned X[8] = {", false}, {"uint8_t X = 8;", false}, {"uint8_t X[8];", false},
        {"uint8_t X[8] = {0x08,", false}, {"// const unsigned char X[8] = {", false},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_c_font("// n.c\n" + std::string(row.line) + "\n0x08,0x01,0x41,0x01,\n0x7E,\n};\n");
        EXPECT_EQ(result.ok, row.is_array_line) << "«" << row.line << "» " << result.message;
    }
}

TEST(CFont, GlyphLinesSplitIntoDataAndComment)
{
    struct Row { std::string_view line; std::string_view data; std::string_view comment; };
    const Row rows[] = {
        // the comment keeps its blanks: one more in front on every read and write
        {"0x18,0x24,  // A", "0x18,0x24,", " //  A"},
        {"0x18,0x24, //  A", "0x18,0x24,", " //   A"},
        {"0xFF,0x81,", "0xFF,0x81,", " // "},
        // everything after the second slash survives
        {"0x00,0x00, // 1/2", "0x00,0x00,", " //  1/2"},
        {"0x00,0x00, // /", "0x00,0x00,", " //  /"},
        {"0x00,0x00, // http://x", "0x00,0x00,", " //  http://x"},
        // blanks and tabs around the data do not matter
        {"\t0x18, 0x24,\t// A", "0x18, 0x24,", " //  A"},
        {"  0x18,0x24  ", "0x18,0x24", " // "},
        // a brace after the comment's slash is part of the comment
        {"0x18,0x24, // }", "0x18,0x24,", " //  }"},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_c_font(c_file("0x08,0x02,0x41,0x01,", std::string(row.line) + "\r\n"));
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.font.font_table[0].glyph_data, row.data) << "«" << row.line << "»";
        EXPECT_EQ(result.font.font_table[0].comment, row.comment) << "«" << row.line << "»";
    }
}

TEST(CFont, HeaderValuesComeFromTrimmedFields)
{
    struct Row { std::string_view header_line; FontHeader header; };
    const Row rows[] = {
        {"0x08,0x02,0x41,0x01,", {8, 2, 65, 1}},
        {" 0x08 ,\t0x02, 0x41 , 0x01 ", {8, 2, 65, 1}},
        {"0x08,0x02,0x41,0x01, // 8 x 2", {8, 2, 65, 1}},
        // the prefix is not checked, one digit is read alone, lower case is fine
        {"$$08,0X2,0x61,0x1", {8, 2, 97, 1}},
        // a missing count is a font without characters
        {"0x08,0x02,0x41", {8, 2, 65, 0}},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_c_font(c_file(row.header_line, "0x18,0x24,\r\n"));
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.font.header, row.header) << "«" << row.header_line << "»";
        EXPECT_EQ(result.font.header_bytes_text, row.header_line);
    }
}

TEST(CFont, GeometryThatCannotBeEditedIsRefusedNamingTheValues)
{
    struct Row { std::string_view header_line; std::string_view message; };
    const Row rows[] = {
        {"0x00,0x02,0x41,0x01,", "line 3: the header gives a width of 0 and a height of 2;"},
        {"0x08,0x00,0x41,0x01,", "line 3: the header gives a width of 8 and a height of 0;"},
        {"0x0A,0x03,0x41,0x01,", "line 3: the header gives glyphs of 10 x 3 pixels;"},
        {"0xFF,0xFF,0x41,0x01,", "line 3: the header gives glyphs of 255 x 255 pixels;"},
        // blanks instead of commas make one field
        {"0x08 0x02 0x41 0x01", "line 3: the header gives a width of 8 and a height of 0;"},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_c_font(c_file(row.header_line, ""));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message.substr(0, row.message.size()), row.message);
    }
    for (std::string_view valid : {"0x01,0x08,0x20,0x00,", "0xFF,0x08,0x20,0x00,", "0xF8,0xFF,0x20,0x00,"})
        EXPECT_TRUE(read_c_font(c_file(valid, "")).ok) << valid;
}

// The searches that stop at the end of the file are golden cases.
TEST(CFont, EmptyAndUnreadableFilesGiveMessages)
{
    EXPECT_EQ(read_c_font("").message, "the file is empty, so it holds no C font array");
    FontReadResult missing = read_c_font_file("/nonexistent/folder/font.c");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.empty());
}

TEST(CFont, HeaderMayFollowAnOpeningBraceOnItsOwnLine)
{
    FontReadResult result = read_c_font("// t.c\nfontdatatype F[] PROGMEM =\n{\n0x08,0x01,0x41,0x01,\n0x7E, // A\n};\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.font.header, (FontHeader{8, 1, 65, 1}));
    EXPECT_EQ(result.font.font_table[0].glyph_data, "0x7E,");
}

TEST(CFont, WriterStatesTheHeaderWhenTheHeaderTextDoesNot)
{
    // A font never opened from a file has no header text; the file must still say what it holds.
    FontModel fresh;
    std::string written = write_c_font(fresh, "/tmp/new font.c");
    EXPECT_EQ(written.substr(written.find("fontdatatype new_font")),
              "fontdatatype new_font[4] PROGMEM={\r\n0x20,0x32,0x00,0x00,\r\n};\r\n");
    FontReadResult back = read_c_font(written);
    ASSERT_TRUE(back.ok) << back.message;
    EXPECT_EQ(back.font.header, fresh.header);

    FontModel stale;
    stale.header = {8, 1, 65, 1};
    stale.header_bytes_text = "0x10,0x01,0x41,0x01,";
    stale.font_table[0].glyph_data = "0x7E,";
    EXPECT_NE(write_c_font(stale, "s.c").find("\r\n0x08,0x01,0x41,0x01,\r\n0x7E,\r\n"), std::string::npos);
}

TEST(CFont, WriterKeepsRowsInPlaceWhenDataIsMissing)
{
    FontModel font;
    font.header = {8, 2, 65, 3};
    font.header_bytes_text = "0x08,0x02,0x41,0x03,";
    font.font_table[1].glyph_data = "0x3C,0x42";
    font.font_table[2].glyph_data = "0x18,0x24,";
    std::string written = write_c_font(font, "gap.c");
    EXPECT_NE(written.find("\r\n0x00,0x00,\r\n0x3C,0x42,\r\n0x18,0x24,\r\n};"), std::string::npos) << written;
    FontReadResult back = read_c_font(written);
    ASSERT_TRUE(back.ok) << back.message;
    EXPECT_EQ(back.font.font_table[2].glyph_data, "0x18,0x24,");
    EXPECT_TRUE(back.warnings.empty()) << joined_lines(back.warnings);
}

TEST(CFont, LabelsNameEveryCharacterFromTheFirstCode)
{
    EXPECT_EQ(character_label(48), "Chr$(48)  0");
    EXPECT_EQ(character_label(65), "Chr$(65)  A");
    EXPECT_EQ(character_label(0), "Chr$(0)  ");
    // Past the bytes, the code point and its character in UTF-8.
    EXPECT_EQ(character_label(256), "U+0100  \xC4\x80");
    EXPECT_EQ(character_label(0x416), "U+0416  \xD0\x96");
    EXPECT_EQ(character_label(0x1F600), "U+1F600  \xF0\x9F\x98\x80");
    FontReadResult result = read_c_font(c_file("0x08,0x01,0xFE,0x02,", "0x01,\r\n0x02,\r\n"));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(character_labels(result.font), (std::vector<std::string>{"Chr$(254)  \xFE", "Chr$(255)  \xFF"}));
}

}  // namespace
}  // namespace glyphwright::testing

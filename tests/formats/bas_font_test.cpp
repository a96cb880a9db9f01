#include "formats/bas_font.h"

#include <gtest/gtest.h>

#include "tests/formats/format_test_support.h"
#include "model/font_model.h"

namespace glyphwright::testing {
namespace {

std::string bas_file(std::string_view block_line, std::string_view data_lines, std::string_view end_line)
{
    return "' t.bas\r\n" + std::string(block_line) + "\r\n" + std::string(data_lines) + std::string(end_line) + "\r\n";
}

TEST(BasFont, BlockAndEndLinesAreFoundInAnyCaseAndIndentation)
{
    struct Row { std::string_view block_line; std::string_view end_line; bool opens; };
    const Row rows[] = {
        // the DefineFont line: any case, indented, anything after the keyword
        {"DefineFont #8", "End DefineFont", true}, {"DEFINEFONT #2", "End DefineFont", true},
        {"  definefont", "End DefineFont", true}, {"\tDefineFont #8 ' big", "End DefineFont", true},
        // the end line: any case, blanks and tabs around it, a comment after it
        {"DefineFont #8", "  end definefont  ", true}, {"DefineFont #8", "\tEND DEFINEFONT\t' done", true},
        {"DefineFont #8", "End DefineFont'", true},
        // not the lines searched for
        {"' DefineFont #8", "End DefineFont", false}, {"Define Font #8", "End DefineFont", false},
        {"DefineFont #8", "EndDefineFont", false}, {"DefineFont #8", "End DefineFont extra", false},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_bas_font(bas_file(row.block_line, "  01410808 66663C18 0066667E\r\n", row.end_line));
        EXPECT_EQ(result.ok, row.opens) << "«" << row.block_line << "» «" << row.end_line << "» " << result.message;
    }
}

TEST(BasFont, WordsAreEightHexadecimalDigitsAndAnythingElseIsRefused)
{
    struct Row { std::string_view data_line; std::string_view message; };
    const Row rows[] = {
        // accepted: run together, tabs, no blanks, lower case, a comment
        {"01410808\t66663C18 0066667E", ""}, {"0141080866663c180066667e", ""}, {"01410808 66663C18 0066667E ' A", ""},
        {"01410808 66663C18'comment\r\n0066667E", ""},
        // refused, naming the line and the piece
        {"01410808 66663C18 0066667", "line 3: \"0066667\" is not a word of eight hexadecimal digits"},
        {"01410808 66663C1G 0066667E", "line 3: \"66663C1G\" is not a word of eight hexadecimal digits"},
        {"01410808, 66663C18 0066667E", "line 3: \",\" is not a word of eight hexadecimal digits"},
        {"01410808 &H66663C18", "line 3: \"&H66663C18\" is not a word of eight hexadecimal digits"},
        {"014108081 66663C18", "line 3: \"1\" is not a word of eight hexadecimal digits"},
    };
    for (const Row& row : rows) {
        FontReadResult result = read_bas_font(bas_file("DefineFont #8", std::string(row.data_line) + "\r\n", "End DefineFont"));
        EXPECT_EQ(result.ok, row.message.empty()) << "«" << row.data_line << "»";
        EXPECT_EQ(result.message, row.message);
        if (result.ok) {
            EXPECT_EQ(to_upper(result.font.font_table[0].glyph_data.substr(0, 10)), "0X18,0X3C,");
        }
    }
}

TEST(BasFont, LeadingLinesBecomeCommentsWithoutTheirFirstCharacter)
{
    FontReadResult result = read_bas_font("' Font\r\nFont\r\n'\r\n\r\nDefineFont #8\r\n  00410808\r\nEnd DefineFont\r\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.font.header_text, "//  Font\r\n// ont\r\n// \r\n// \r\n");
}

// The other refusals (no block, no end line, no header word) are golden cases.
TEST(BasFont, EmptyAndUnreadableFilesGiveMessages)
{
    EXPECT_EQ(read_bas_font("").message, "the file is empty, so it holds no font block");
    FontReadResult missing = read_bas_font_file("/nonexistent/folder/font.bas");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.empty());
}

// Glyph i is bytes i * B to (i + 1) * B - 1 of the stream, whatever the word boundaries.
TEST(BasFont, GlyphsAreSlicesOfOneByteStream)
{
    // 6 x 4 pixels: three bytes a glyph, so glyph 1 starts in the middle of the first word
    FontReadResult result = read_bas_font(bas_file("DefineFont #8", "  02410406 03020100 00060504\r\n", "End DefineFont"));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.font.font_table[0].glyph_data, "0x00,0x01,0x02,");
    EXPECT_EQ(result.font.font_table[1].glyph_data, "0x03,0x04,0x05,");
    EXPECT_TRUE(result.warnings.empty()) << joined_lines(result.warnings);
}

TEST(BasFont, WriterLaysOutEightWordsALine)
{
    FontModel font;
    font.header = {8, 8, 32, 4};
    font.header_bytes_text = "0x08,0x08,0x20,0x04,";
    for (int row = 0; row < 4; ++row)
        font.font_table[static_cast<std::size_t>(row)].glyph_data = "0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,";
    std::string written = write_bas_font(font, "w.bas");
    EXPECT_NE(written.find("DefineFont #8\r\n  04200808 04030201 08070605 04030201 08070605 04030201 08070605 04030201\r\n  08070605\r\nEnd"),
              std::string::npos)
        << written;
    font.font_table[3].glyph_data += "0x09,";  // a surplus byte is not written
    EXPECT_EQ(write_bas_font(font, "w.bas"), written);
}

TEST(BasFont, WriterTakesEachByteFromItsFieldOrItsValue)
{
    FontModel font;
    font.header = {8, 8, 48, 1};
    font.header_bytes_text = "0x08,0x08,0x30,0x01,";
    // kept as they stand; one digit; not hexadecimal; blanks; missing
    font.font_table[0].glyph_data = "0xab,0xCd,0x5,0xG1, 0x7f ,0x80";
    std::string written = write_bas_font(font, "n.bas");
    EXPECT_NE(written.find("' Font type    : Numeric (1 characters)\r\n"), std::string::npos);
    EXPECT_NE(written.find("  01300808 0005Cdab 0000807f\r\n"), std::string::npos) << written;
}

TEST(BasFont, FontNeverOpenedIsSavedSoThatItReadsBack)
{
    FontModel fresh;
    std::string written = write_bas_font(fresh, "new.bas");
    EXPECT_NE(written.find("' Font type    : Full (0 characters)\r\n' Font size    : 32x50 pixels\r\n' Memory usage : 4 bytes\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("' Font adapted from: " + std::string(kFontSourceAddress) + "\r\n\r\nDefineFont #8\r\n  00003220\r\nEnd DefineFont\r\n"),
              std::string::npos)
        << written;
    FontReadResult back = read_bas_font(written);
    ASSERT_TRUE(back.ok) << back.message;
    EXPECT_EQ(back.font.header, fresh.header);
}

}  // namespace
}  // namespace glyphwright::testing

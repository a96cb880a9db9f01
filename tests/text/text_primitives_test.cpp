#include "text/text_primitives.h"

#include <gtest/gtest.h>

#include <climits>

namespace glyphwright {
namespace {

TEST(TextPrimitives, SubstringClampsPositionAndLength)
{
    struct Row { std::string_view text; std::int64_t position; std::int64_t length; std::string_view expected; };
    const Row rows[] = {
        // inside and at the end of the text
        {"ABCDEFGH", 7, 2, "GH"}, {"ABCDEFGH", 8, 2, "H"}, {"ABCDEFGH", 9, 2, ""},
        // positions of 1 or less start at the first character
        {"ABC", 0, 2, "AB"}, {"ABC", -5, 1, "A"},
        // negative and zero lengths give nothing
        {"ABC", 1, -1, ""}, {"ABC", 1, 0, ""}, {"", 1, 3, ""},
        // lengths far beyond the text
        {"ABC", 2, INT64_MAX, "BC"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(substring(row.text, row.position, row.length), row.expected) << row.text << " " << row.position;
}

TEST(TextPrimitives, SubstringWithoutLengthTakesTheRest)
{
    EXPECT_EQ(substring("' Font", 2), " Font");
    EXPECT_EQ(substring("'", 2), "");
    EXPECT_EQ(substring("ABC", -3), "ABC");
    EXPECT_EQ(substring("ABC", 4), "");
}

TEST(TextPrimitives, TrimTakesBlanksAndTabsFromBothEnds)
{
    EXPECT_EQ(trim_blanks_and_tabs(" \t0x20, \t"), "0x20,");
    EXPECT_EQ(trim_blanks_and_tabs("\t \t"), "");
}

TEST(TextPrimitives, ToUpperChangesOnlyAsciiLetters)
{
    EXPECT_EQ(to_upper("End defineFont #8 \xe9z"), "END DEFINEFONT #8 \xe9Z");
}

TEST(TextPrimitives, ParseValueReadsEachBaseAndStopsAtTheFirstOtherCharacter)
{
    struct Row { std::string_view text; std::int64_t expected; };
    const Row rows[] = {
        // no digits give 0
        {"", 0}, {"$", 0}, {"$ 1", 0}, {"0x1F", 0}, {"-", 0}, {"xyz", 0}, {"$-10", 0},
        // hexadecimal in both cases, stopping at the first non-digit
        {"$1F", 31}, {"$0a", 10}, {"$FF", 255}, {"$ff", 255}, {"$1G", 1},
        // decimal with blanks, tabs and one sign
        {"  -12abc", -12}, {"\t+7", 7}, {"-$10", -16}, {"--5", 0},
        // base 2
        {"%101", 5}, {"%102", 2},
        // overflow wraps instead of failing
        {"$10000000000000000", 0}, {"$FFFFFFFFFFFFFFFF", -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(parse_value(row.text), row.expected) << "«" << row.text << "»";
}

TEST(TextPrimitives, NumbersPrintWithTheirFixedWidths)
{
    EXPECT_EQ(to_decimal(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(to_decimal(0), "0");
    EXPECT_EQ(char_of(65), "A");
    EXPECT_EQ(char_of(321), "A");
    EXPECT_EQ(char_of(256), "");
}

TEST(TextPrimitives, FileExtensionLooksOnlyAtTheLastComponent)
{
    struct Row { std::string_view path; std::string_view expected; };
    const Row rows[] = {
        {"C:\\fonts\\font.bas", "bas"}, {"font.BAS", "BAS"}, {"my font.c", "c"}, {"/home/a/x.c", "c"},
        // no extension
        {"font", ""}, {"font.", ""}, {".bas", ""}, {"font.c old", ""}, {"old.fonts\\font", ""},
        {"dir/.hidden", ""}, {"old.d/font", ""}, {"", ""}, {"x", ""},
        // a double quote ends the extension
        {"font.bas\"", "bas"}, {"font.bas\" x", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(file_extension(row.path), row.expected) << row.path;
}

TEST(TextPrimitives, FileNamePartKeepsTheExtension)
{
    EXPECT_EQ(file_name_part("C:\\fonts\\font.bas"), "font.bas");
    EXPECT_EQ(file_name_part("/tmp/a/tiny2.c"), "tiny2.c");
    EXPECT_EQ(file_name_part("\"C:\\x\\font.c\""), "font.c");
    EXPECT_EQ(file_name_part("plain"), "plain");
    EXPECT_EQ(file_name_part("dir/"), "");
}

}  // namespace
}  // namespace glyphwright

// Properties over random fonts of many sizes: what is written reads back as the same font, in
// both forms, and the two forms of one font carry the same glyph bytes.

#include <gtest/gtest.h>

#include <random>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "formats/font_text.h"
#include "tests/formats/format_test_support.h"
#include "model/glyph_codec.h"

namespace glyphwright::testing {
namespace {

// A font of the given size with random glyph bytes, its header text in the canonical form.
FontModel random_font(std::mt19937& random, int width, int height, int count)
{
    FontModel font;
    int first = static_cast<int>(random() % 256);
    font.header = {width, height, first, count};
    font.header_bytes_text.clear();
    for (int value : {width, height, first, count})
        append_byte_field(font.header_bytes_text, value);
    int bytes = glyph_byte_count(width, height);
    for (int row = 0; row < count; ++row) {
        std::string& text = font.font_table[static_cast<std::size_t>(row)].glyph_data;
        for (int byte = 0; byte < bytes; ++byte)
            append_byte_field(text, static_cast<int>(random() % 256));
    }
    return font;
}

// Sizes that reach every case of the word layout: glyphs shorter than a word, not whole words,
// exactly a word, narrow and wide, and the largest.
std::vector<FontHeader> sizes(std::mt19937& random)
{
    std::vector<FontHeader> result = {{1, 8, 0, 3}, {8, 1, 32, 5}, {6, 4, 32, 7}, {10, 4, 65, 3}, {8, 13, 32, 9},
                                      {8, 12, 32, 95}, {32, 50, 48, 10}, {9, 8, 39, 17}, {255, 8, 0, 2},
                                      {248, 255, 0, 2}, {16, 16, 0, 0}, {24, 1, 0, 255}};
    while (result.size() < 60) {
        int width = 1 + static_cast<int>(random() % 255);
        int height = 1 + static_cast<int>(random() % 40);
        if (is_valid_geometry(width, height))
            result.push_back({width, height, 0, static_cast<int>(random() % 12)});
    }
    return result;
}

void expect_same_font(const FontReadResult& read, const FontModel& font, const std::string& form)
{
    ASSERT_TRUE(read.ok) << form << ": " << read.message;
    EXPECT_EQ(read.font.header, font.header) << form;
    EXPECT_EQ(read.font.header_bytes_text, font.header_bytes_text) << form;
    // A written font warns only of what no display draws, at its header line.
    std::vector<std::string> drawing;
    // The C header line follows the name line, the definitions of fontdatatype and PROGMEM, an empty
    // line and the array line.
    std::string header_line = form == "C" ? "line 15: " : "line 8: ";
    for (const std::string& problem : {codes_problem(font.header), form == "C" ? row_width_problem(font.header) : ""}) {
        if (!problem.empty())
            drawing.push_back(header_line + problem);
    }
    EXPECT_EQ(joined_lines(read.warnings), joined_lines(drawing)) << form;
    for (int row = 0; row < font.header.char_count; ++row) {
        std::size_t index = static_cast<std::size_t>(row);
        ASSERT_EQ(read.font.font_table[index].glyph_data, font.font_table[index].glyph_data) << form << " row " << row;
    }
}

TEST(FontProperties, WrittenFontsReadBackTheSameInBothForms)
{
    std::mt19937 random(2024);
    for (const FontHeader& size : sizes(random)) {
        SCOPED_TRACE(to_decimal(size.glyph_width) + " x " + to_decimal(size.glyph_height) + ", " + to_decimal(size.char_count));
        FontModel font = random_font(random, size.glyph_width, size.glyph_height, size.char_count);
        expect_same_font(read_c_font(write_c_font(font, "f.c")), font, "C");
        expect_same_font(read_bas_font(write_bas_font(font, "f.bas")), font, "BAS");
    }
}

TEST(FontProperties, BasWrittenTwiceThroughAReadIsIdentical)
{
    std::mt19937 random(7);
    for (const FontHeader& size : sizes(random)) {
        FontModel font = random_font(random, size.glyph_width, size.glyph_height, size.char_count);
        // lower-case digits and a shortened glyph must survive the second save unchanged too
        if (size.char_count > 0)
            font.font_table[0].glyph_data = "0xab,";
        std::string first = write_bas_font(font, "f.bas");
        FontReadResult read = read_bas_font(first);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(write_bas_font(read.font, "f.bas"), first)
            << size.glyph_width << " x " << size.glyph_height << ", " << size.char_count;
    }
}

TEST(FontProperties, CAndBasOfOneFontCarryTheSameGlyphBytes)
{
    std::mt19937 random(99);
    for (const FontHeader& size : sizes(random)) {
        FontModel font = random_font(random, size.glyph_width, size.glyph_height, size.char_count);
        FontReadResult from_c = read_c_font(write_c_font(font, "f.c"));
        FontReadResult from_bas = read_bas_font(write_bas_font(font, "f.bas"));
        ASSERT_TRUE(from_c.ok && from_bas.ok) << from_c.message << from_bas.message;
        EXPECT_EQ(font_bytes(from_c.font), font_bytes(from_bas.font));
        // and across: the BAS file of the font read from C is the BAS file of the font
        EXPECT_EQ(write_bas_font(from_c.font, "f.bas"), write_bas_font(font, "f.bas"));
        from_bas.font.header_text.clear();  // the BAS comment lines, which a C file keeps
        EXPECT_EQ(write_c_font(from_bas.font, "f.c"), write_c_font(font, "f.c"));
    }
}

}  // namespace
}  // namespace glyphwright::testing

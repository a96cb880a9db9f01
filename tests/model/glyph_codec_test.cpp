#include "model/glyph_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace glyphwright {
namespace {

GlyphGrid decoded(std::string_view text, int width, int height)
{
    GlyphGrid grid(width, height);
    decode_glyph(text, grid);
    return grid;
}

std::string pixels_of(const GlyphGrid& grid)
{
    std::string rows;
    for (int y = 0; y < grid.glyph_height(); ++y) {
        for (int x = 0; x < grid.glyph_width(); ++x)
            rows += grid.at(x, y) ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

TEST(GlyphCodec, EncodesWholeBytesInUpperCaseWithTrailingCommas)
{
    GlyphGrid grid(8, 1);
    EXPECT_EQ(encode_glyph(grid), "0x00,");
    for (int x = 0; x < 8; ++x)
        grid.set(x, 0, true);
    EXPECT_EQ(encode_glyph(grid), "0xFF,");
    EXPECT_EQ(encode_glyph(decoded("0xab,", 8, 1)), "0xAB,");
}

TEST(GlyphCodec, MostSignificantBitIsTheLeftmostPixel)
{
    EXPECT_EQ(pixels_of(decoded("0x80,0x01,0x00,0x00,", 16, 2)), "#..............#\n................\n");
    EXPECT_EQ(pixels_of(decoded("0xFF,0x00,", 8, 2)), "########\n........\n");
}

// Widths that are not multiples of 8 continue the bit stream across rows without padding.
TEST(GlyphCodec, NarrowAndOddWidthsFormOneBitStream)
{
    EXPECT_EQ(pixels_of(decoded("0xFC,0x0F,0xC0,", 6, 4)), "######\n......\n######\n......\n");
    EXPECT_EQ(pixels_of(decoded("0x80,0x20,0x08,0x02,0x00,", 10, 4)),
              "#.........\n#.........\n#.........\n#.........\n");
    GlyphGrid grid(6, 4);
    grid.set(5, 3, true);
    EXPECT_EQ(encode_glyph(grid), "0x00,0x00,0x01,");
}

TEST(GlyphCodec, FieldsDecodeByTheirThirdAndFourthCharacters)
{
    struct Row { std::string_view field; int expected; };
    const Row rows[] = {
        // the prefix is skipped, not checked
        {"0x3F", 0x3F}, {"0X3f", 0x3F}, {"$$3F", 0x3F}, {"zz3F", 0x3F},
        // one digit, or digits stopping early
        {"0x5", 5}, {"0x3F7", 0x3F}, {"0x5G", 5}, {"0xG5", 0},
        // blanks and tabs around a field are ignored
        {" 0x18", 0x18}, {"\t0x18 \t", 0x18},
        // nothing readable
        {"", 0}, {"0x", 0}, {"18", 0}, {"0x 1", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(decode_byte_field(row.field), row.expected) << "«" << row.field << "»";
}

TEST(GlyphCodec, BlanksAfterCommasDoNotLoseBytes)
{
    EXPECT_EQ(decoded("0x18, 0x24,\t0x42 ,", 8, 3), decoded("0x18,0x24,0x42,", 8, 3));
}

TEST(GlyphCodec, MissingBytesAreClearAndSurplusFieldsIgnored)
{
    EXPECT_EQ(encode_glyph(decoded("0xFF,", 8, 3)), "0xFF,0x00,0x00,");
    EXPECT_EQ(encode_glyph(decoded("0xFF", 8, 3)), "0xFF,0x00,0x00,");
    EXPECT_EQ(encode_glyph(decoded("", 16, 1)), "0x00,0x00,");
    EXPECT_EQ(encode_glyph(decoded("0x01,0x02,0x03,0x04,", 8, 2)), "0x01,0x02,");
}

TEST(GlyphCodec, DecodingOverwritesEveryPixelOfTheGlyph)
{
    GlyphGrid grid = decoded("0xFF,0xFF,", 8, 2);
    decode_glyph("", grid);
    EXPECT_EQ(grid, GlyphGrid(8, 2));
}

// Random grids of random valid sizes: decode(encode(grid)) gives the grid back, and
// encode(decode(text)) turns any spelling of the bytes into the canonical text.
TEST(GlyphCodec, RoundTripsRandomGlyphsOfRandomSizes)
{
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 300; ++trial) {
        int width = std::uniform_int_distribution<int>(1, 255)(random);
        int height = std::uniform_int_distribution<int>(1, 64)(random);
        if ((width * height) % 8 != 0)
            height = 8;
        GlyphGrid grid(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                grid.set(x, y, random() & 1);
        std::string canonical = encode_glyph(grid);
        ASSERT_EQ(canonical.size(), static_cast<std::size_t>(width * height / 8 * 5));
        ASSERT_EQ(decoded(canonical, width, height), grid) << width << "x" << height;

        std::string spelled;
        for (std::size_t at = 0; at < canonical.size(); at += 5) {
            std::string field = canonical.substr(at, 4);
            if (random() & 1)
                field = "0x" + std::string(1, static_cast<char>(std::tolower(field[2])))
                      + std::string(1, static_cast<char>(std::tolower(field[3])));
            spelled += (random() & 1 ? " " : "") + field + (random() & 1 ? "\t," : ",");
        }
        ASSERT_EQ(encode_glyph(decoded(spelled, width, height)), canonical);
    }
}

}  // namespace
}  // namespace glyphwright

#include "model/glyph_transforms.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

GlyphGrid random_grid(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    GlyphGrid grid(width, height);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            grid.set(x, y, random() & 1);
    return grid;
}

// Pixel (x, y) of the original grid, clear outside the glyph.
int pixel(const GlyphGrid& grid, int x, int y)
{
    bool inside = x >= 0 && y >= 0 && x < grid.glyph_width() && y < grid.glyph_height();
    return inside ? grid.at(x, y) : 0;
}

struct Expectation {
    GlyphOperation operation;
    const char* name;
    std::function<int(const GlyphGrid& original, int x, int y)> expected;
};

const Expectation kExpectations[] = {
    {GlyphOperation::ShiftLeft, "shift left", [](const GlyphGrid& g, int x, int y) { return pixel(g, x + 1, y); }},
    {GlyphOperation::ShiftRight, "shift right", [](const GlyphGrid& g, int x, int y) { return pixel(g, x - 1, y); }},
    {GlyphOperation::ShiftUp, "shift up", [](const GlyphGrid& g, int x, int y) { return pixel(g, x, y + 1); }},
    {GlyphOperation::ShiftDown, "shift down", [](const GlyphGrid& g, int x, int y) { return pixel(g, x, y - 1); }},
    {GlyphOperation::FlipHorizontally, "flip horizontally",
     [](const GlyphGrid& g, int x, int y) { return g.at(g.glyph_width() - 1 - x, y); }},
    {GlyphOperation::FlipVertically, "flip vertically",
     [](const GlyphGrid& g, int x, int y) { return g.at(x, g.glyph_height() - 1 - y); }},
    {GlyphOperation::Invert, "invert", [](const GlyphGrid& g, int x, int y) { return 1 - g.at(x, y); }},
    {GlyphOperation::Clear, "clear", [](const GlyphGrid&, int, int) { return 0; }},
};

// Sizes whose rows do not end on a byte (6 x 8, 10 x 16), and the largest glyph.
const std::pair<int, int> kSizes[] = {{6, 8}, {10, 16}, {248, 255}, {1, 1}};

TEST(GlyphTransforms, EveryOperationGivesTheExpectedPixelsAndKeepsTheSpareCellsClear)
{
    for (auto [width, height] : kSizes) {
        GlyphGrid original = random_grid(width, height, static_cast<unsigned>(width * 1000 + height));
        for (const Expectation& row : kExpectations) {
            GlyphGrid grid = original;
            apply_operation(row.operation, grid);
            for (int x = 0; x < grid.columns(); ++x)
                for (int y = 0; y < grid.rows(); ++y) {
                    bool glyph_cell = x < width && y < height;
                    int expected = glyph_cell ? row.expected(original, x, y) : 0;
                    ASSERT_EQ(grid.at(x, y), expected) << row.name << " of " << width << " x " << height
                                                       << " at (" << x << ", " << y << ")";
                }
        }
    }
}

TEST(GlyphTransforms, OperationsOnAnOddSizeReachTheBitStream)
{
    // 6 x 8: row 0 is bits 0 to 5 of the stream, row 1 starts at bit 6, inside the first byte.
    GlyphGrid grid(6, 8);
    decode_glyph("0xFC,0x00,0x00,0x00,0x00,0x00,", grid);  // row 0 set
    apply_operation(GlyphOperation::ShiftDown, grid);
    EXPECT_EQ(encode_glyph(grid), "0x03,0xF0,0x00,0x00,0x00,0x00,");
    apply_operation(GlyphOperation::ShiftLeft, grid);
    EXPECT_EQ(encode_glyph(grid), "0x03,0xE0,0x00,0x00,0x00,0x00,");
    apply_operation(GlyphOperation::FlipVertically, grid);
    EXPECT_EQ(encode_glyph(grid), "0x00,0x00,0x00,0x00,0x0F,0x80,");
}

TEST(GlyphTransforms, PackedGlyphRestoresEveryPixelAndRefusesAnotherSize)
{
    for (auto [width, height] : kSizes) {
        GlyphGrid original = random_grid(width, height, 7);
        PackedGlyph packed = pack_glyph(original);
        EXPECT_EQ(packed.bits.size(), static_cast<std::size_t>(glyph_byte_count(width, height)));
        GlyphGrid restored(width, height);
        ASSERT_TRUE(unpack_glyph(packed, restored));
        EXPECT_EQ(restored, original) << width << " x " << height;
    }
    GlyphGrid other(8, 8);
    other.set(0, 0, true);
    EXPECT_FALSE(unpack_glyph(pack_glyph(GlyphGrid(6, 8)), other));
    EXPECT_EQ(other.at(0, 0), 1);
}

}  // namespace
}  // namespace glyphwright

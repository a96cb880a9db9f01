#include "model/font_model.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

TEST(FontModel, StartsWithTheDefaultFont)
{
    FontModel model;
    EXPECT_EQ(model.header, (FontHeader{32, 50, 0, 0}));
    EXPECT_EQ(model.zoom, 10);
    EXPECT_EQ(model.current_index, 0);
    EXPECT_EQ(model.font_table.size(), 257u);
    EXPECT_EQ(model.glyph_grid.columns(), 34);
    EXPECT_EQ(model.glyph_grid.rows(), 52);
    EXPECT_TRUE(model.header_text.empty() && model.header_bytes_text.empty() && model.glyph_clipboard.empty());
}

TEST(FontModel, MemoryUsageIsFormedIn64Bits)
{
    EXPECT_EQ(memory_usage({32, 50, 48, 10}), 2004);
    EXPECT_EQ(memory_usage({32, 50, 0, 0}), 4);
    EXPECT_EQ(memory_usage({8, 12, 32, 95}), 1144);
    EXPECT_EQ(memory_usage({12, 5, 0, 3}), 26);  // 180 / 8 truncates to 22
    EXPECT_EQ(memory_usage({248, 255, 0, 255}), 2015779);
    EXPECT_EQ(memory_usage({2000000, 2000000, 0, 255}), 127500000000004);
}

TEST(FontModel, ResetsGiveFreshTablesAndGrids)
{
    FontModel model;
    model.font_table[0] = {"0xFF,", " // x"};
    model.font_table[256].glyph_data = "0x01,";
    reset_font_table(model);
    EXPECT_EQ(model.font_table, FontTable(257));

    model.header.glyph_width = 16;
    model.header.glyph_height = 16;
    model.glyph_grid.set(3, 3, true);
    reset_glyph_grid(model);
    EXPECT_EQ(model.glyph_grid, GlyphGrid(16, 16));
    EXPECT_EQ(model.glyph_grid.columns(), 18);
    EXPECT_EQ(model.glyph_grid.rows(), 18);
}

TEST(FontModel, TheEditedGlyphIsStoredIntoItsRowAndChoosingLoadsARowAsItIs)
{
    FontModel model;
    model.header = {8, 2, 65, 2};
    model.font_table[0].glyph_data = "0xff,0x00,";  // as a file may hold it: kept until edited
    reset_glyph_grid(model);
    choose_glyph(model, 1);
    model.glyph_grid.set(0, 0, true);
    model.glyph_grid.set(7, 1, true);
    store_edited_glyph(model);
    EXPECT_EQ(model.font_table[1].glyph_data, "0x80,0x01,");
    EXPECT_EQ(model.font_table[0].glyph_data, "0xff,0x00,");

    choose_glyph(model, 0);
    EXPECT_EQ(model.font_table[0].glyph_data, "0xff,0x00,");
    EXPECT_EQ(model.glyph_grid.at(7, 0), 1);
    EXPECT_EQ(model.glyph_as_chosen, "0xff,0x00,");
    choose_glyph(model, 1);
    EXPECT_EQ(model.glyph_grid.at(0, 0), 1);
    EXPECT_EQ(model.glyph_grid.at(7, 1), 1);
}

TEST(FontModel, ValidGeometryNeedsWholeBytes)
{
    EXPECT_TRUE(is_valid_geometry(8, 1));
    EXPECT_TRUE(is_valid_geometry(6, 8));
    EXPECT_TRUE(is_valid_geometry(10, 16));
    EXPECT_TRUE(is_valid_geometry(255, 8));
    EXPECT_FALSE(is_valid_geometry(0, 8));
    EXPECT_FALSE(is_valid_geometry(8, 0));
    EXPECT_FALSE(is_valid_geometry(256, 8));
    EXPECT_FALSE(is_valid_geometry(5, 5));
    EXPECT_FALSE(is_valid_geometry(-8, -8));
}

}  // namespace
}  // namespace glyphwright

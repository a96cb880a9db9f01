#include "editor/overview_layout.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

FontHeader font(int width, int height, int count, int first = 32) { return {width, height, first, count}; }

// The scale is the largest that fits, whatever the font: at it the map is within bounds, and at
// the next scale up it would not be (or the scale is 4 already).
// The scale is the largest that fits, whatever the font: at it the map is within bounds (or it is
// scale 1, which scrolls), and at every larger scale it would not be.
TEST(OverviewLayout, ScaleIsTheLargestThatKeepsTheMapWithinBounds)
{
    const FontHeader fonts[] = {font(8, 8, 95), font(8, 12, 95), font(16, 16, 95), font(32, 50, 10),
                                font(24, 32, 96), font(64, 64, 40), font(8, 8, 255), font(248, 255, 255),
                                font(8, 1, 1), font(96, 40, 3), font(200, 8, 255)};
    for (const FontHeader& header : fonts) {
        SCOPED_TRACE(std::to_string(header.glyph_width) + "x" + std::to_string(header.glyph_height) + "x"
                     + std::to_string(header.char_count));
        MapLayout map = map_layout(header);
        ASSERT_GE(map.scale, 1);
        ASSERT_LE(map.scale, 4);
        EXPECT_EQ(map, map_layout_at_scale(header, map.scale));
        EXPECT_EQ(map.rows, (header.char_count + map.columns - 1) / map.columns);
        EXPECT_LE(map.content_width, kMapMaxWidth) << "the map never scrolls sideways";
        EXPECT_TRUE(map_fits(map) || map.scale == 1);
        for (int larger = map.scale + 1; larger <= 4; ++larger)
            EXPECT_FALSE(map_fits(map_layout_at_scale(header, larger))) << larger;
    }
}

TEST(OverviewLayout, SmallAndLargestFonts)
{
    // 8 x 8 x 95: scale 4, glyphs of 32 x 32 in cells of 38 x 52, 21 to a row, 5 rows.
    MapLayout small = map_layout(font(8, 8, 95));
    EXPECT_EQ(small.scale, 4);
    EXPECT_EQ(small.columns, 21);
    EXPECT_EQ(small.rows, 5);
    EXPECT_EQ(small.content_width, 21 * 38);
    EXPECT_EQ(small.content_height, 5 * 52);
    OverviewWindowLayout small_window = overview_window_layout(small, font(8, 8, 95));
    EXPECT_EQ(small_window.map_view, (Box{10, 10, 798, 260}));

    // 248 x 255 x 255: scale 1, three to a row, 85 rows that scroll in a view of 600.
    MapLayout largest = map_layout(font(248, 255, 255));
    EXPECT_EQ(largest.scale, 1);
    EXPECT_EQ(largest.columns, 3);
    EXPECT_EQ(largest.rows, 85);
    EXPECT_GT(largest.content_height, kMapMaxHeight);
    OverviewWindowLayout window = overview_window_layout(largest, font(248, 255, 255));
    EXPECT_EQ(window.map_view, (Box{10, 10, 3 * 254, 600}));
    // Room for the map's scroll bar, and the sample view capped with a scroll bar of its own.
    EXPECT_EQ(window.sample_edit.width, 3 * 254 + kScrollBarSize);
    EXPECT_EQ(window.sample_view.height, kSampleMaxHeight);
    EXPECT_EQ(window.sample_view.width, window.sample_edit.width - kScrollBarSize);
    EXPECT_EQ(window.client_height, window.sample_view.y + kSampleMaxHeight + kScrollBarSize + kOverviewMargin);
}

TEST(OverviewLayout, EmptyFontHasAnEmptyMapAndAUsableWindow)
{
    MapLayout map = map_layout(font(32, 50, 0));
    EXPECT_EQ(map.content_width, 0);
    EXPECT_EQ(map.content_height, 0);
    EXPECT_EQ(map_glyph_at(map, 0, 0), -1);
    EXPECT_TRUE(map_glyphs_in(map, {0, 0, 800, 600}).empty());
    OverviewWindowLayout window = overview_window_layout(map, font(32, 50, 0));
    EXPECT_EQ(window.client_width, kOverviewMinimumWidth + 2 * kOverviewMargin);
    EXPECT_EQ(window.sample_view.height, 3 * 50 + kSampleLineGap);
}

TEST(OverviewLayout, HitTestingAtCellEdges)
{
    MapLayout map = map_layout(font(8, 8, 95));  // cells of 38 x 52, 21 to a row
    struct Row {
        int x, y, glyph;
    };
    const Row rows[] = {
        {0, 0, 0}, {37, 51, 0}, {38, 0, 1}, {37, 52, 21},  // the last pixel of a cell and the first of the next
        {20 * 38, 0, 20}, {21 * 38 - 1, 0, 20}, {21 * 38, 0, -1},  // the row's last cell, then beyond
        {10 * 38, 4 * 52, 94}, {11 * 38, 4 * 52, -1},                // the last glyph, then an empty place
        {0, 5 * 52, -1}, {-1, 0, -1}, {0, -1, -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(map_glyph_at(map, row.x, row.y), row.glyph) << row.x << ", " << row.y;
    // Every glyph is hit at the middle of its glyph box, and its boxes nest in its cell.
    for (int index = 0; index < 95; ++index) {
        Box glyph = map_glyph_box(map, index);
        EXPECT_EQ(map_glyph_at(map, glyph.x + glyph.width / 2, glyph.y + glyph.height / 2), index);
        Box cell = map_cell(map, index);
        for (const Box& inner : {map_frame_box(map, index), map_label_box(map, index)}) {
            EXPECT_TRUE(cell.contains(inner.x, inner.y) && cell.contains(inner.x + inner.width - 1, inner.y + inner.height - 1));
            EXPECT_FALSE(inner.intersects(map_cell(map, index == 0 ? 1 : 0)));
        }
        EXPECT_FALSE(map_frame_box(map, index).intersects(map_label_box(map, index)));
    }
}

TEST(OverviewLayout, GlyphsInViewAreThoseWhoseCellsMeetIt)
{
    MapLayout map = map_layout(font(248, 255, 255));  // cells of 254 x 275, 3 to a row
    EXPECT_EQ(map_glyphs_in(map, {0, 0, 762, 600}), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(map_glyphs_in(map, {0, 275, 254, 275}), (std::vector<int>{3}));
    EXPECT_EQ(map_glyphs_in(map, {253, 274, 2, 2}), (std::vector<int>{0, 1, 3, 4}));
    // The last row holds all three of 252 to 254.
    EXPECT_EQ(map_glyphs_in(map, {0, 84 * 275, 762, 600}), (std::vector<int>{252, 253, 254}));
}

// A font of one cell: every glyph as wide as the cell, its origin at the cell's left edge.
FontModel fixed_font(const FontHeader& header)
{
    FontModel model;
    model.header = header;
    set_fixed_metrics(model);
    return model;
}

TEST(OverviewLayout, SampleTextIsOneCellAGlyphAtBothScales)
{
    SampleLayout sample = sample_layout(fixed_font(font(8, 12, 3, 65)), "AB\x7F" "C");
    ASSERT_EQ(sample.cells.size(), 8u);
    // The 1:1 line, cell after cell; "D" and 127 are outside the font (65 to 67).
    EXPECT_EQ(sample.cells[0], (SampleCell{{0, 0, 8, 12}, 1, 65, 0}));
    EXPECT_EQ(sample.cells[1], (SampleCell{{8, 0, 8, 12}, 1, 66, 1}));
    EXPECT_EQ(sample.cells[2], (SampleCell{{16, 0, 8, 12}, 1, 127, -1}));
    EXPECT_EQ(sample.cells[3], (SampleCell{{24, 0, 8, 12}, 1, 67, 2}));
    // The 2:1 line below it, after the gap.
    EXPECT_EQ(sample.cells[4], (SampleCell{{0, 12 + kSampleLineGap, 16, 24}, 2, 65, 0}));
    EXPECT_EQ(sample.cells[7], (SampleCell{{48, 12 + kSampleLineGap, 16, 24}, 2, 67, 2}));
    EXPECT_EQ(sample.content_width, 64);
    EXPECT_EQ(sample.content_height, 36 + kSampleLineGap);

    // Codes are bytes: one above 127 is not negative, and counts as in the font when it is.
    SampleLayout high = sample_layout(fixed_font(font(8, 8, 255, 1)), "\xE9");
    EXPECT_EQ(high.cells[0].code, 233U);
    EXPECT_EQ(high.cells[0].row, 232);
    EXPECT_EQ(sample_layout(fixed_font(font(8, 8, 255, 1)), "\xC3\xA9").cells[0].code, 233U) << "UTF-8";
    EXPECT_TRUE(sample_layout(fixed_font(font(8, 8, 95)), "").cells.empty());
}

// Each glyph's origin is where the advance of the one before it ends; its cell reaches left of the
// origin and past its advance, so it does not tile the line.
TEST(OverviewLayout, SampleTextOfAProportionalFontFollowsTheAdvances)
{
    FontModel model = fixed_font(font(8, 10, 2, 65));
    model.origin_x = 2;
    model.font_table[0].advance = 3;
    model.font_table[1].advance = 6;
    SampleLayout sample = sample_layout(model, "ABAx");
    ASSERT_EQ(sample.cells.size(), 8u);
    EXPECT_EQ(sample.cells[0], (SampleCell{{0, 0, 8, 10}, 1, 'A', 0, false}));
    EXPECT_EQ(sample.cells[1], (SampleCell{{3, 0, 8, 10}, 1, 'B', 1, false}));
    EXPECT_EQ(sample.cells[2], (SampleCell{{9, 0, 8, 10}, 1, 'A', 0, false}));
    // "x" is not in the font: an empty cell as wide as most glyphs advance (3, the smaller of a tie).
    EXPECT_EQ(sample.cells[3], (SampleCell{{2 + 12, 0, 3, 10}, 1, 'x', -1, false}));
    EXPECT_EQ(sample.lines[0], (Box{0, 0, (2 + 15) * 1, 10}));
    EXPECT_EQ(sample.cells[5], (SampleCell{{6, 10 + kSampleLineGap, 16, 20}, 2, 'B', 1, false}));
    EXPECT_EQ(sample.lines[1], (Box{0, 10 + kSampleLineGap, 34, 20}));
    EXPECT_EQ(sample.content_width, 34);
}

}  // namespace
}  // namespace glyphwright

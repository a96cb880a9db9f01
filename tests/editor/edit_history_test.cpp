#include "editor/edit_history.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

// A step of the largest glyph (7905 bytes a state) whose states are told apart by `mark`.
GlyphStep largest_step(int mark)
{
    static const PackedGlyph before = pack_glyph(GlyphGrid(248, 255));
    PackedGlyph after = before;
    after.bits[0] = static_cast<std::uint8_t>(mark);
    after.bits[1] = static_cast<std::uint8_t>(mark >> 8);
    GlyphStep step;
    step.row = mark % 255;
    step.before = before;
    step.after = std::move(after);
    return step;
}

int mark_of(const GlyphStep& step) { return step.after.bits[0] | step.after.bits[1] << 8; }

TEST(EditHistory, KeepsTheNewestStepsWithinSixtyFourMebibytes)
{
    EditHistory history;
    constexpr int kSteps = 10000;
    for (int mark = 0; mark < kSteps; ++mark) {
        history.record(largest_step(mark));
        ASSERT_LE(history.memory_usage(), EditHistory::kDefaultMemoryLimit) << "after step " << mark;
    }
    ASSERT_GE(history.step_count(), 1000u);
    ASSERT_LT(history.step_count(), static_cast<std::size_t>(kSteps)) << "the oldest steps went";
    // Undo walks back from the newest step without a gap, as far as the history reaches.
    std::size_t kept = history.step_count();
    for (std::size_t back = 0; back < kept; ++back) {
        const GlyphStep* step = history.undo();
        ASSERT_NE(step, nullptr);
        ASSERT_EQ(mark_of(*step), kSteps - 1 - static_cast<int>(back));
    }
    EXPECT_EQ(history.undo(), nullptr);
}

TEST(EditHistory, ANewStepAfterUndoDropsWhatCouldBeRedone)
{
    EditHistory history;
    for (int mark = 1; mark <= 3; ++mark)
        history.record(largest_step(mark));
    history.undo();
    history.undo();
    EXPECT_TRUE(history.can_redo());
    std::size_t before_new_step = history.memory_usage();
    history.record(largest_step(9));
    EXPECT_FALSE(history.can_redo());
    EXPECT_EQ(history.step_count(), 2u);
    EXPECT_LT(history.memory_usage(), before_new_step) << "the dropped steps' memory is counted out";
    EXPECT_EQ(mark_of(*history.undo()), 9);
    EXPECT_EQ(mark_of(*history.undo()), 1);
    EXPECT_EQ(mark_of(*history.redo()), 1);
}

TEST(EditHistory, AStepLargerThanTheBudgetStillStaysAsTheNewest)
{
    EditHistory history(100);
    history.record(largest_step(1));
    history.record(largest_step(2));
    EXPECT_EQ(history.step_count(), 1u);
    EXPECT_EQ(mark_of(*history.undo()), 2);
    EXPECT_FALSE(history.can_undo());
}

}  // namespace
}  // namespace glyphwright

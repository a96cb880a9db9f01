#pragma once

// The steps that Undo and Redo walk: each holds one glyph as it was before and after one change.
// The history keeps the newest steps within a memory budget; the oldest go first.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "model/font_model.h"
#include "model/glyph_transforms.h"

namespace glyphwright {

// What a step changed: the pixels and the advance of one glyph, or which glyphs the font has.
enum class StepKind { Glyph, Added, Removed };

struct GlyphStep {
    int row = 0;  // the FontTable row of the glyph that changed, was added or was removed
    PackedGlyph before;
    PackedGlyph after;
    int advance_before = 0;
    int advance_after = 0;
    StepKind kind = StepKind::Glyph;
    Glyph glyph;  // Added and Removed: the whole glyph
    std::uint64_t state = 0;  // the history's number for the font as this step leaves it
};

class EditHistory {
public:
    // 64 MiB: over four thousand steps even on the largest glyph.
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{64} << 20;

    explicit EditHistory(std::size_t memory_limit = kDefaultMemoryLimit) : m_memory_limit(memory_limit) {}

    // Adds a step after the current one, drops the steps that could have been redone, and then
    // drops the oldest steps until the history fits its budget (the newest step always stays).
    void record(GlyphStep step);

    bool can_undo() const { return m_done > 0; }
    bool can_redo() const { return m_done < m_steps.size(); }

    // The step to take back, which becomes redoable; null when there is none.
    const GlyphStep* undo();
    // The step to apply again; null when there is none.
    const GlyphStep* redo();

    void clear();

    // The font as it stands now is the one saved last; with no save since the history began (a
    // font opened or made), the one it began with.
    void mark_saved() { m_saved_state = current_state(); }
    bool at_saved_state() const { return current_state() == m_saved_state; }

    std::size_t step_count() const { return m_steps.size(); }
    // Bytes held by the steps, their pixel buffers included.
    std::size_t memory_usage() const { return m_memory_usage; }

private:
    static std::size_t size_of(const GlyphStep& step);
    void drop_oldest();

    std::size_t m_memory_limit;
    std::deque<GlyphStep> m_steps;
    std::size_t m_done = 0;  // steps 0 to m_done - 1 are applied
    std::size_t m_memory_usage = 0;
    // Every state of the font the history can reach has a number of its own: no step applied is
    // m_first_state, each step's own is given when it is recorded and never given again.
    std::uint64_t current_state() const { return m_done > 0 ? m_steps[m_done - 1].state : m_first_state; }
    std::uint64_t m_next_state = 1;
    std::uint64_t m_first_state = 0;
    std::uint64_t m_saved_state = 0;
};

}  // namespace glyphwright

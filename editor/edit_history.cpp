#include "editor/edit_history.h"

#include <utility>

namespace glyphwright {

std::size_t EditHistory::size_of(const GlyphStep& step)
{
    return sizeof(GlyphStep) + step.before.bits.capacity() + step.after.bits.capacity()
         + step.glyph.glyph_data.capacity() + step.glyph.comment.capacity();
}

void EditHistory::record(GlyphStep step)
{
    while (m_steps.size() > m_done) {
        m_memory_usage -= size_of(m_steps.back());
        m_steps.pop_back();
    }
    m_memory_usage += size_of(step);
    step.state = m_next_state++;
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
    while (m_memory_usage > m_memory_limit && m_steps.size() > 1)
        drop_oldest();
}

void EditHistory::drop_oldest()
{
    m_memory_usage -= size_of(m_steps.front());
    m_first_state = m_steps.front().state;
    m_steps.pop_front();
    if (m_done > 0)
        --m_done;
}

const GlyphStep* EditHistory::undo()
{
    if (!can_undo())
        return nullptr;
    --m_done;
    return &m_steps[m_done];
}

const GlyphStep* EditHistory::redo()
{
    if (!can_redo())
        return nullptr;
    ++m_done;
    return &m_steps[m_done - 1];
}

void EditHistory::clear()
{
    m_steps.clear();
    m_done = 0;
    m_memory_usage = 0;
    m_first_state = m_saved_state = m_next_state++;
}

}  // namespace glyphwright

#include "text/line_reader.h"

#include <cstring>

namespace glyphwright {

std::string_view LineReader::read_line()
{
    if (at_end())
        return {};
    ++m_line_number;
    std::size_t start = m_position;
    std::size_t end = start;
    while (end < m_text.size() && m_text[end] != '\n' && m_text[end] != '\r' && m_text[end] != '\0')
        ++end;
    m_position = end;
    if (m_position < m_text.size()) {
        bool carriage_return = m_text[m_position] == '\r';
        ++m_position;
        if (carriage_return && m_position < m_text.size() && m_text[m_position] == '\n')
            ++m_position;
    }
    return m_text.substr(start, end - start);
}

}  // namespace glyphwright

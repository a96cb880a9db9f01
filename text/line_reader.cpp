#include "text/line_reader.h"

#include <algorithm>
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

std::size_t line_number_at(std::string_view text, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t end = std::min(offset, text.size());
    for (std::size_t position = 0; position < end; ++position) {
        char character = text[position];
        bool pair = character == '\r' && position + 1 < text.size() && text[position + 1] == '\n';
        if ((character == '\n' || character == '\r' || character == '\0') && !pair)
            ++line;
    }
    return line;
}

}  // namespace glyphwright

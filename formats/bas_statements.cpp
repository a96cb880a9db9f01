#include "formats/bas_statements.h"

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

bool is_comment(std::string_view statement)
{
    return starts_with_keyword(statement, "REM") && (statement.size() == 3 || is_blank_or_tab(statement[3]));
}

}  // namespace

bool starts_with_keyword(std::string_view statement, std::string_view upper_keyword)
{
    return statement.size() >= upper_keyword.size() && to_upper(statement.substr(0, upper_keyword.size())) == upper_keyword;
}

bool StatementCursor::next(std::string_view& statement)
{
    if (m_done)
        return false;
    std::size_t start = m_position;
    bool quoted = false;
    std::size_t end = start;
    for (; end < m_line.size(); ++end) {
        char character = m_line[end];
        if (character == '"')
            quoted = !quoted;
        else if (!quoted && (character == ':' || character == '\''))
            break;
    }
    m_done = end >= m_line.size() || m_line[end] == '\'';
    m_position = end + 1;
    std::string_view text = m_line.substr(start, end - start);
    std::size_t leading = 0;
    while (leading < text.size() && is_blank_or_tab(text[leading]))
        ++leading;
    m_begin = start + leading;
    statement = trim_blanks_and_tabs(text);
    if (is_comment(statement)) {
        m_done = true;
        return false;
    }
    return true;
}

}  // namespace glyphwright

#pragma once

// The statements of one BASIC line, as the interpreter sees them: the code before a "'" or REM
// comment, cut at every ":" outside string quotes.

#include <cstddef>
#include <string_view>

namespace glyphwright {

class StatementCursor {
public:
    explicit StatementCursor(std::string_view line) : m_line(line) {}

    // The next statement without blanks and tabs around it, or false once the line's code ends.
    bool next(std::string_view& statement);

    // Where the statement taken last began in the line (after its blanks).
    std::size_t statement_begin() const { return m_begin; }

private:
    std::string_view m_line;
    std::size_t m_position = 0;
    std::size_t m_begin = 0;
    bool m_done = false;
};

// True when the statement, upper-cased, begins with `upper_keyword`.
bool starts_with_keyword(std::string_view statement, std::string_view upper_keyword);

}  // namespace glyphwright

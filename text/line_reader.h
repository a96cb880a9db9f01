#pragma once

// Reads lines from text held in memory. A line ends at LF, at CR (with a following LF consumed),
// or at a byte 0; no line end is part of a line. The text must outlive the reader and its lines.

#include <cstddef>
#include <string_view>

namespace glyphwright {

class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    // A reader that starts at byte `position` of `text`, which begins line `lines_before` + 1.
    LineReader(std::string_view text, std::size_t position, std::size_t lines_before)
        : m_text(text), m_position(position), m_line_number(lines_before) {}

    // The next line without its line end; the empty text once the text is exhausted.
    std::string_view read_line();

    // True when every byte has been read, so an empty line can be told from the end of the text.
    bool at_end() const { return m_position >= m_text.size(); }

    // Number of lines returned so far: the 1-based number of the line read last.
    std::size_t line_number() const { return m_line_number; }

    // Byte offset of the next line's first character in the text.
    std::size_t position() const { return m_position; }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    std::size_t m_line_number = 0;
};

// Number of the line (from 1) that holds byte `offset` of `text`, counting line ends as
// LineReader does.
std::size_t line_number_at(std::string_view text, std::size_t offset);

}  // namespace glyphwright

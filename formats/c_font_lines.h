#pragma once

// How the lines inside a C font array are cut, shared by the reader, the scan for fonts and the
// writer that saves a font back into its array.

#include <cstddef>
#include <string_view>

#include "text/line_reader.h"

namespace glyphwright {

// One line inside the array, cut where its comment begins and where a "}" closes the array.
struct GlyphLine {
    std::string_view data;          // before the first "/" and before a closing "}", trimmed
    std::string_view comment_tail;  // everything after the second "/"
    bool closes_array = false;      // a "}" stands before the first "/"
};

GlyphLine split_glyph_line(std::string_view line);

// Bytes in a line's data: its comma-separated fields, a trailing comma closing the last one.
int data_byte_count(std::string_view data);

// The array's header line: the first line read from `lines` that holds data; blank lines, comments
// and an opening brace on a line of its own are passed over. `found` is false when the array
// closes or the text ends first.
struct HeaderLine {
    bool found = false;
    std::string_view line;
    std::size_t begin = 0;  // offset of the line in the text
    bool closes_array = false;
};

HeaderLine find_header_line(LineReader& lines);

// Offset of the "}" that closes an array whose lines go on at `from` (a line start): the first "}"
// that no "/" precedes on its line. The text's size when there is none.
std::size_t find_closing_brace(std::string_view text, std::size_t from);

// Offset of the first character of the line that holds byte `offset`.
std::size_t line_begin_at(std::string_view text, std::size_t offset);

}  // namespace glyphwright

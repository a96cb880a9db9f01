#pragma once

// Unicode code points as the user writes them («U+0410») and map files that give any code of a
// new font the code point of its character, one «CODE U+XXXX» line per code.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/font.h"

namespace glyphwright {

// A code point written «U+XXXX» (1 to 6 hexadecimal digits, either case, "u+" too), or none when
// the text is anything else or beyond U+10FFFF.
std::optional<char32_t> parse_code_point(std::string_view text);

// Code points first to last, both included.
struct CodePointRange {
    char32_t first = 0;
    char32_t last = 0;
    bool operator==(const CodePointRange&) const = default;
};

// Ranges written «U+0020-U+007E,U+0400-U+045F» (a single «U+00A0» is a range of one), or none
// when the text is anything else, a range runs backwards or the ranges hold more than 1,114,112
// code points.
std::optional<std::vector<CodePointRange>> parse_code_point_ranges(std::string_view text);

struct CodePointMap {
    bool ok = false;
    std::string message;  // when !ok: the line and what is wrong with it
    std::map<int, char32_t> code_points;
};

// Reads a map held in memory. Each line is a code (0 to 255, decimal or 0x hexadecimal), blanks,
// and a code point; empty lines and lines starting with "#" are skipped. Refuses, naming the
// line, anything else, and a code given twice.
CodePointMap parse_code_point_map(std::string_view text);

// parse_code_point_map over the file at `path`; a file that cannot be read gives its reason.
CodePointMap read_code_point_map(const std::string& path);

}  // namespace glyphwright

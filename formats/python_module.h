#pragma once

// The top level of a Python module as far as a font module needs it: functions that return one
// constant («def height():» then «    return 14») and names bound to byte strings («_font =\» then
// lines of «b'\x09\x00...'\»), each with where it stands in the text, so that a save can write new
// values over the old ones.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

// A function whose body returns a constant, and the constant's text.
struct PythonConstant {
    std::string name;
    std::string value;  // as written: «14», «True»
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t line_begin = 0;  // of its «def» line
};

// A name bound to a byte string, written as one literal or several joined ones.
struct PythonBytes {
    std::string name;
    std::string bytes;
    std::size_t line_begin = 0;  // of the assignment
    std::size_t begin = 0;       // of the first literal
    std::size_t end = 0;         // past the last one
    // Where each literal's bytes begin among `bytes`, and its text: for the line of a byte.
    std::vector<std::size_t> piece_bytes;
    std::vector<std::size_t> piece_begins;
    std::size_t bytes_per_line = 16;  // of its first literal, when there are several
    std::string joint = "\\\n";       // between literals as written
    bool upper_hex = false;          // «\xAB» rather than «\xab»
    char quote = '\'';
    std::string prefix = "b";

    // The text offset of the literal holding byte `at`.
    std::size_t position_of(std::size_t at) const;
};

struct PythonModule {
    std::vector<PythonConstant> constants;
    std::vector<PythonBytes> byte_strings;

    const PythonConstant* constant(std::string_view name) const;
    const PythonBytes* bytes(std::string_view name) const;
    // The constant as an integer (decimal, hexadecimal; True is 1 and False 0), or none.
    std::optional<std::int64_t> integer(std::string_view name) const;
};

PythonModule python_module(std::string_view text);

// Byte string literals for `bytes` in the manner of `like`: its prefix, quote and hexadecimal case,
// as many bytes a literal as its first one held, joined as it joined them.
std::string python_bytes_text(std::string_view bytes, const PythonBytes& like);

}  // namespace glyphwright

#pragma once

// The plain byte arrays of a C source («NAME[...] ... = { 0x00, 0x7C, ... };»), each number with
// its bytes in the text, as the compiler sees them: what the forms whose fonts are bare arrays
// (glcd fonts, smooth fonts in flash) read and write back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/source_edits.h"

namespace glyphwright {

struct CByteArray {
    std::string name;
    std::size_t start = 0;  // the name's offset, which identifies the array
    std::size_t open = 0;   // "{"
    std::size_t line = 0;   // of the name
    std::size_t begin = 0;  // its first line
    std::size_t end = 0;    // past its last line
    std::optional<SourceNumber> declared_size;
    std::vector<SourceNumber> numbers;
};

// Every array whose initialiser is a flat list of numbers, in file order; `only` keeps the one
// whose name stands there.
std::vector<CByteArray> c_byte_arrays(std::string_view text, std::optional<std::size_t> only = std::nullopt);

}  // namespace glyphwright

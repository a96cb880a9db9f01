#pragma once

// The line that declares a font array in a C source: "fontdatatype" (a type that display libraries
// define themselves), or one of the byte types, after blanks, tabs and the qualifiers static,
// const and PROGMEM.

#include <cstddef>
#include <optional>
#include <string_view>

namespace glyphwright {

enum class ArrayType { FontDataType, Bytes };

struct ArrayLine {
    ArrayType type = ArrayType::FontDataType;
    std::string_view name;          // empty when a fontdatatype line names no array
    std::size_t size_begin = 0;     // the text between the brackets, as positions in the line;
    std::size_t size_end = 0;       // equal when the line has no brackets
};

// The array line's parts, or none when `line` declares no array of ours. A fontdatatype line is
// one whatever follows the word (as «fontdatatypeXYZ»); a byte array (uint8_t, unsigned char,
// prog_uint8_t or char) needs a name and "[". The match is case-sensitive: «FontDataType X[1]={»
// is none.
std::optional<ArrayLine> parse_array_line(std::string_view line);

// The size declared between the brackets when it is a plain decimal number, blanks aside.
std::optional<std::int64_t> declared_size(std::string_view line, const ArrayLine& array);

}  // namespace glyphwright

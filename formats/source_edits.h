#pragma once

// Numbers of a C source as they stand in its text, and the edits that write new values where the
// old ones stood: what every save in place of a C font form needs, so that a save changes only the
// numbers that change and keeps the way each was written.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/c_tokens.h"

namespace glyphwright {

// A number as written: its value and its bytes in the text, a sign included.
struct SourceNumber {
    std::int64_t value = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The number that starts at token `at` (signs and a number token), moving `at` past it; none,
// with `at` unchanged, when no number starts there or it does not fit in 63 bits.
std::optional<SourceNumber> number_at(std::span<const CToken> tokens, std::size_t& at, std::size_t end);

// A replacement of the bytes [begin, end) of a text.
struct Edit {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

// The text with the edits made; edits must not overlap.
std::string with_edits(std::string_view text, std::vector<Edit> edits);

// A number written in the manner of `like`: hexadecimal with its digits' case and at least its
// digit count when it is, else decimal.
std::string written_like(std::string_view like, std::int64_t value);

// The number among `numbers` whose manner a new one should follow: the first hexadecimal one with
// letters (so «0xec» says lower case), else the first; "0x00" when there is none.
std::string_view number_manner(std::string_view text, std::span<const SourceNumber> numbers);

// An edit that writes `value` over `number` when it differs, in the number's own manner.
void edit_number(std::vector<Edit>& edits, std::string_view text, const SourceNumber& number, std::int64_t value);

// The edits that make the list of numbers `old` hold `values`: the numbers both have are changed
// where they stand, so lines keep their breaks; numbers added follow the last one (on its line, or
// with `Wrap::LikeFirstLine` in lines as long as the list's first), and numbers taken out go with
// their separators. `open_end` is where an empty list would begin (after its "{"). New numbers are
// written in the manner of `like`.
enum class Wrap { None, LikeFirstLine };
void edit_number_list(std::vector<Edit>& edits, std::string_view text, std::span<const SourceNumber> old,
                      std::span<const std::int64_t> values, std::size_t open_end, std::string_view like, Wrap wrap);

}  // namespace glyphwright

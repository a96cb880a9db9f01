#pragma once

// How the 256 codes of a font held as bytes (the C and DefineFont forms) map to Unicode: Latin-1
// unless the font says otherwise, such as Windows-1251 for a Russian display font or code page
// 437 for the classic glcdfont.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace glyphwright {

struct CodePage {
    std::string name;                       // empty for Latin-1
    std::array<char32_t, 256> code_points;  // of each byte; U+FFFD where the set has no character
};

// The code page of `name`, any single-byte character set the system's iconv knows ("CP1251",
// "CP437", "ISO-8859-7", "KOI8-R"), or Latin-1 for the empty name. None for a name iconv does not
// know, or for a set whose characters are not one byte each.
std::optional<CodePage> code_page_named(std::string_view name);

// The Unicode code point of a glyph's code: through the code page for codes 0 to 255, the code
// itself above.
char32_t unicode_of(char32_t code, const CodePage& code_page);

}  // namespace glyphwright

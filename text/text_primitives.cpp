#include "text/text_primitives.h"

#include <algorithm>

namespace glyphwright {

namespace {

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

int digit_value_in_base(char character, int base)
{
    int value = hex_digit_value(character);
    return value >= 0 && value < base ? value : -1;
}

}  // namespace

std::int64_t length_of(std::string_view text) { return static_cast<std::int64_t>(text.size()); }

std::string_view substring(std::string_view text, std::int64_t position, std::int64_t length)
{
    if (length <= 0)
        return {};
    std::int64_t start = std::max<std::int64_t>(position, 1) - 1;
    if (start >= length_of(text))
        return {};
    std::int64_t available = length_of(text) - start;
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(std::min(length, available)));
}

std::string_view substring(std::string_view text, std::int64_t position)
{
    std::int64_t start = std::max<std::int64_t>(position, 1) - 1;
    if (start >= length_of(text))
        return {};
    return text.substr(static_cast<std::size_t>(start));
}

std::string_view leading_blanks(std::string_view line)
{
    std::size_t end = line.find_first_not_of(" \t");
    return line.substr(0, end == std::string_view::npos ? line.size() : end);
}

std::string_view line_end_before(std::string_view text, std::size_t position)
{
    if (position >= 2 && text[position - 2] == '\r' && text[position - 1] == '\n')
        return "\r\n";
    if (position >= 1 && text[position - 1] == '\r')
        return "\r";
    if (position >= 1 && text[position - 1] == '\n')
        return "\n";
    return "\r\n";
}

std::string_view trim_blanks_and_tabs(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string to_upper(std::string_view text)
{
    std::string result(text);
    for (char& character : result) {
        if (character >= 'a' && character <= 'z')
            character = static_cast<char>(character - 'a' + 'A');
    }
    return result;
}

std::int64_t parse_value(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && is_blank_or_tab(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    } else if (at < text.size() && text[at] == '%') {
        base = 2;
        ++at;
    }
    // Unsigned arithmetic so that overflow wraps instead of being undefined.
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        int digit = digit_value_in_base(text[at], base);
        if (digit < 0)
            break;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    if (negative)
        value = 0 - value;
    return static_cast<std::int64_t>(value);
}

std::string code_point_text(char32_t code_point)
{
    std::string hex;
    for (char32_t rest = code_point; rest != 0 || hex.size() < 4; rest >>= 4)
        hex.insert(hex.begin(), upper_hex_digit(static_cast<unsigned>(rest)));
    return "U+" + hex;
}

std::u32string characters_of_text(std::string_view text)
{
    std::u32string characters;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
        std::optional<char32_t> character = single_utf8_character(text.substr(at, length));
        if (!character) {
            characters.clear();
            for (char byte : text)
                characters += static_cast<char32_t>(static_cast<unsigned char>(byte));
            return characters;
        }
        characters += *character;
        at += length;
    }
    return characters;
}

std::optional<char32_t> single_utf8_character(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || text.size() != length)
        return std::nullopt;
    char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t at = 1; at < length; ++at) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code_point = (code_point << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < kSmallest[length] || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
        return std::nullopt;
    return code_point;
}

std::string utf8_of(char32_t code_point)
{
    if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
        code_point = 0xFFFD;
    std::string bytes;
    auto add = [&bytes](char32_t value) { bytes += static_cast<char>(static_cast<unsigned char>(value)); };
    if (code_point < 0x80) {
        add(code_point);
    } else if (code_point < 0x800) {
        add(0xC0 | (code_point >> 6));
        add(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        add(0xE0 | (code_point >> 12));
        add(0x80 | ((code_point >> 6) & 0x3F));
        add(0x80 | (code_point & 0x3F));
    } else {
        add(0xF0 | (code_point >> 18));
        add(0x80 | ((code_point >> 12) & 0x3F));
        add(0x80 | ((code_point >> 6) & 0x3F));
        add(0x80 | (code_point & 0x3F));
    }
    return bytes;
}

std::string to_decimal(std::int64_t value) { return std::to_string(value); }

std::string quoted(std::string_view text)
{
    // Built by appending: g++ 12 at -O3 warns (-Wrestrict) about "\"" + std::string(...),
    // which inserts at the front of the temporary.
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

std::string char_of(std::int64_t code)
{
    char byte = static_cast<char>(static_cast<std::uint64_t>(code) & 0xFFu);
    if (byte == '\0')
        return {};
    return std::string(1, byte);
}

std::string_view file_extension(std::string_view path)
{
    // Scan back from the last character to the second one; a separator or a blank means the
    // last component has no extension.
    for (std::size_t at = path.size(); at >= 2; --at) {
        char character = path[at - 1];
        if (character == '/' || character == '\\' || character == ' ')
            return {};
        if (character != '.')
            continue;
        char before = path[at - 2];
        if (before == '/' || before == '\\')
            return {};
        std::string_view extension = path.substr(at);
        return extension.substr(0, extension.find('"'));
    }
    return {};
}

std::string_view file_name_part(std::string_view path)
{
    if (!path.empty() && path.front() == '"')
        path.remove_prefix(1);
    std::size_t separator = path.find_last_of("/\\");
    if (separator != std::string_view::npos)
        path.remove_prefix(separator + 1);
    return path.substr(0, path.find('"'));
}

std::string quoted_file_name(std::string_view path) { return quoted(file_name_part(path)); }

}  // namespace glyphwright

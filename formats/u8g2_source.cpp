#include "formats/u8g2_source.h"

#include <algorithm>

#include "formats/c_tokens.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "text/text_primitives.h"

namespace glyphwright::u8g2 {

namespace {

// The bytes of a C string literal token («"\277\0B"»), or none when it is not a plain one.
std::optional<std::string> literal_bytes(std::string_view token)
{
    if (token.starts_with("u8"))
        token.remove_prefix(2);
    if (token.size() < 2 || token.front() != '"' || token.back() != '"')
        return std::nullopt;
    std::string bytes;
    for (std::size_t at = 1; at + 1 < token.size();) {
        const char c = token[at++];
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (at + 1 >= token.size())
            return std::nullopt;
        const char e = token[at++];
        if (e >= '0' && e <= '7') {
            int value = e - '0';
            for (int more = 0; more < 2 && at + 1 < token.size() && token[at] >= '0' && token[at] <= '7'; ++more)
                value = value * 8 + (token[at++] - '0');
            bytes += static_cast<char>(value & 0xFF);
        } else if (e == 'x') {
            int value = 0;
            int digits = 0;
            for (; at + 1 < token.size() && hex_digit_value(token[at]) >= 0; ++at, ++digits)
                value = (value * 16 + hex_digit_value(token[at])) & 0xFFFF;
            if (digits == 0)
                return std::nullopt;
            bytes += static_cast<char>(value & 0xFF);
        } else {
            const std::string_view simple = "a\ab\bf\fn\nr\rt\tv\v\\\\''\"\"??";
            const std::size_t found = simple.find(e);
            if (found == std::string_view::npos || found % 2 != 0)
                return std::nullopt;
            bytes += simple[found + 1];
        }
    }
    return bytes;
}

std::size_t line_start(std::string_view text, std::size_t at)
{
    const std::size_t newline = text.rfind('\n', at == 0 ? 0 : at - 1);
    return at == 0 || newline == std::string_view::npos ? 0 : newline + 1;
}

std::string escaped(std::string_view bytes)
{
    std::string text;
    for (char c : bytes) {
        const auto v = static_cast<unsigned char>(c);
        if (v < 32 || v == '"' || v == '\\' || v == '?' || (v >= '0' && v <= '9') || v >= 127) {
            text += '\\';
            std::string digits;
            for (unsigned rest = v; digits.empty() || rest > 0; rest /= 8)
                digits.insert(digits.begin(), static_cast<char>('0' + rest % 8));
            text += digits;
        } else {
            text += c;
        }
    }
    return text;
}

// A glyph of the font in its cell, as a box of the whole cell.
Glyph cell_glyph(const glyphwright::Font& font, const glyphwright::Glyph& glyph, GlyphGrid& grid)
{
    decode_glyph(glyph.glyph_data, grid);
    const int width = font.header.glyph_width;
    const int height = font.header.glyph_height;
    Glyph out{glyph.code_point, width, height, -font.origin_x, font.ascent - height, glyph.advance, {}};
    out.pixels.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.pixels[static_cast<std::size_t>(y * width + x)] = grid.at(x, y) == 1;
    return out;
}

}  // namespace

std::vector<StringArray> string_arrays(std::string_view text, std::optional<std::size_t> only)
{
    std::vector<StringArray> arrays;
    const std::vector<CToken> tokens = c_tokens(text);
    for (std::size_t eq = 0; eq < tokens.size(); ++eq) {
        if (!is_token(tokens[eq], "=") || eq + 1 >= tokens.size() || tokens[eq + 1].kind != CTokenKind::Literal)
            continue;
        // Back over attributes and section macros («U8G2_FONT_SECTION("NAME")») to «]».
        std::size_t at = eq;
        while (at > 0) {
            const CToken& before = tokens[at - 1];
            if (is_token(before, ")")) {
                int depth = 0;
                std::size_t k = at - 1;
                for (; k > 0; --k) {
                    depth += is_token(tokens[k], ")") ? 1 : is_token(tokens[k], "(") ? -1 : 0;
                    if (depth == 0)
                        break;
                }
                at = k;
            } else if (before.kind == CTokenKind::Name) {
                --at;
            } else {
                break;
            }
        }
        if (at < 3 || !is_token(tokens[at - 1], "]"))
            continue;
        // The size between the brackets is a number or an expression of names and numbers.
        std::size_t open = at - 1;
        while (open > 0 && !is_token(tokens[open - 1], "[") && (tokens[open - 1].kind == CTokenKind::Name || tokens[open - 1].kind == CTokenKind::Number
                                                                || is_token(tokens[open - 1], "+") || is_token(tokens[open - 1], "*")))
            --open;
        if (open < 2 || !is_token(tokens[open - 1], "[") || tokens[open - 2].kind != CTokenKind::Name)
            continue;
        --open;
        const CToken& name = tokens[open - 1];
        if (only && name.begin != *only)
            continue;
        StringArray array;
        array.name = std::string(name.text);
        array.name_begin = name.begin;
        array.line_begin = line_start(text, name.begin);
        if (open + 2 == at - 1) {
            std::size_t number = open + 1;
            array.declared_size = number_at(tokens, number, at - 1);
        }
        std::size_t k = eq + 1;
        bool plain = true;
        for (; k < tokens.size() && tokens[k].kind == CTokenKind::Literal; ++k) {
            const std::optional<std::string> bytes = literal_bytes(tokens[k].text);
            if (!bytes) {
                plain = false;
                break;
            }
            if (k == eq + 2) {
                array.piece_bytes = std::max<std::size_t>(1, array.bytes.size());
                array.joint = std::string(text.substr(tokens[k - 1].end, tokens[k].begin - tokens[k - 1].end));
            }
            array.bytes += *bytes;
        }
        if (!plain || k >= tokens.size() || !is_token(tokens[k], ";"))
            continue;
        array.literals_begin = tokens[eq + 1].begin;
        array.literals_end = tokens[k - 1].end;
        const std::size_t newline = text.find('\n', tokens[k].end);
        array.end = newline == std::string_view::npos ? text.size() : newline + 1;
        // The terminating zero of the literal is the font's last byte.
        array.bytes += '\0';
        arrays.push_back(std::move(array));
        eq = k;
    }
    return arrays;
}

std::string literals_text(std::string_view bytes, std::size_t per_piece, std::string_view joint)
{
    std::string text;
    const std::string_view held = bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1);
    std::size_t at = 0;
    do {
        if (at > 0)
            text += joint;
        text += '"';
        text += escaped(held.substr(at, per_piece));
        text += '"';
        at += per_piece;
    } while (at < held.size());
    return text;
}

Drawn drawn_of(const Glyph& glyph)
{
    Drawn drawn{glyph.dx, {}};
    for (int r = glyph.h - 1; r >= 0; --r)
        for (int c = 0; c < glyph.w; ++c)
            if (glyph.pixels[static_cast<std::size_t>(r * glyph.w + c)])
                drawn.pixels.emplace_back(glyph.y + glyph.h - 1 - r, glyph.x + c);
    return drawn;
}

std::vector<Glyph> glyphs_of(const glyphwright::Font& font)
{
    std::vector<Glyph> glyphs;
    glyphs.reserve(static_cast<std::size_t>(glyph_count(font)));
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row)
        glyphs.push_back(cell_glyph(font, font.font_table[static_cast<std::size_t>(row)], grid));
    return glyphs;
}

}  // namespace glyphwright::u8g2

#include "formats/u8g2_font.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "formats/c_font.h"
#include "formats/c_tokens.h"
#include "formats/font_text.h"
#include "formats/source_edits.h"
#include "formats/u8g2_encoding.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::size_t kPieceBytes = 32;
constexpr std::size_t kLargeFontBytes = 32760;

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

// A string array of a source: its name, declared size and literals.
struct StringArray {
    std::string name;
    std::size_t name_begin = 0;
    std::size_t line_begin = 0;
    std::optional<SourceNumber> declared_size;
    std::size_t literals_begin = 0;
    std::size_t literals_end = 0;
    std::size_t end = 0;  // past the line of its «;»
    std::string bytes;
    std::size_t piece_bytes = kPieceBytes;  // of its first literal, when there are several
    std::string joint = "\n  ";             // between its literals
};

std::size_t line_start(std::string_view text, std::size_t at)
{
    const std::size_t newline = text.rfind('\n', at == 0 ? 0 : at - 1);
    return at == 0 || newline == std::string_view::npos ? 0 : newline + 1;
}

// Every «NAME[...] ... = "..." "...";» of the text, in order; `only` keeps the one whose name
// stands there.
std::vector<StringArray> string_arrays(std::string_view text, std::optional<std::size_t> only = std::nullopt)
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

// A glyph of the font as u8g2 draws it: its pixels from the pen and the baseline, and its advance.
struct Drawn {
    int dx = 0;
    std::vector<std::pair<int, int>> pixels;  // (y above the baseline, x right of the pen), rising
    bool operator==(const Drawn&) const = default;
};

Drawn drawn_of(const u8g2::Glyph& glyph)
{
    Drawn drawn{glyph.dx, {}};
    for (int r = glyph.h - 1; r >= 0; --r)
        for (int c = 0; c < glyph.w; ++c)
            if (glyph.pixels[static_cast<std::size_t>(r * glyph.w + c)])
                drawn.pixels.emplace_back(glyph.y + glyph.h - 1 - r, glyph.x + c);
    return drawn;
}

// A glyph of the font in its cell, as a box of the whole cell.
u8g2::Glyph glyph_of(const Font& font, const Glyph& glyph, GlyphGrid& grid)
{
    decode_glyph(glyph.glyph_data, grid);
    const int width = font.header.glyph_width;
    const int height = font.header.glyph_height;
    u8g2::Glyph out{glyph.code_point, width, height, -font.origin_x, font.ascent - height, glyph.advance, {}};
    out.pixels.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.pixels[static_cast<std::size_t>(y * width + x)] = grid.at(x, y) == 1;
    return out;
}

std::vector<u8g2::Glyph> glyphs_of(const Font& font)
{
    std::vector<u8g2::Glyph> glyphs;
    glyphs.reserve(static_cast<std::size_t>(glyph_count(font)));
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row)
        glyphs.push_back(glyph_of(font, font.font_table[static_cast<std::size_t>(row)], grid));
    return glyphs;
}

FontReadResult font_of(const StringArray& array, const u8g2::Decoded& decoded, std::size_t line)
{
    const auto& header = decoded.header;
    // The cell: every glyph's box and advance, the header's font box, and the pen's baseline.
    int left = 0, right = 1, bottom = std::min(0, header[u8g2::kBoxY]), top = std::max(0, header[u8g2::kBoxY] + header[u8g2::kBoxHeight]);
    for (const u8g2::Record& record : decoded.records) {
        const u8g2::Glyph ink = u8g2::reduced(record.glyph);
        right = std::max(right, ink.dx);
        if (ink.w == 0)
            continue;
        left = std::min(left, ink.x);
        right = std::max(right, ink.x + ink.w);
        bottom = std::min(bottom, ink.y);
        top = std::max(top, ink.y + ink.h);
    }
    if (right - left > 255 || top - bottom > 255)
        return refused_at(line, "the glyphs of " + array.name + " span " + to_decimal(right - left) + " x " + to_decimal(top - bottom)
                                    + " pixels; Glyphwright edits cells of up to 255 x 255");
    FontReadResult result;
    Font& font = result.font;
    font.name = array.name;
    font.header = {right - left, top - bottom, decoded.records.empty() ? 32 : static_cast<int>(decoded.records.front().glyph.code),
                   static_cast<std::int32_t>(decoded.records.size())};
    font.ascent = top;
    font.descent = -bottom;
    font.origin_x = -left;
    font.font_table.assign(decoded.records.size(), Glyph{});
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (std::size_t k = 0; k < decoded.records.size(); ++k) {
        const u8g2::Glyph& g = decoded.records[k].glyph;
        grid = GlyphGrid(font.header.glyph_width, font.header.glyph_height);
        for (int r = 0; r < g.h; ++r)
            for (int c = 0; c < g.w; ++c)
                if (g.pixels[static_cast<std::size_t>(r * g.w + c)])
                    grid.set(font.origin_x + g.x + c, font.ascent - (g.y + g.h) + r, true);
        Glyph& glyph = font.font_table[k];
        glyph.code_point = g.code;
        glyph.advance = g.dx;
        glyph.glyph_data = encode_glyph(grid);
    }
    if (header[u8g2::kGlyphCount] != static_cast<int>(decoded.records.size() % 256))
        result.warnings.push_back(at_line(line, "the header of " + array.name + " counts " + to_decimal(header[u8g2::kGlyphCount])
                                                    + " glyphs (of 256) and the font has " + to_decimal(static_cast<std::int64_t>(decoded.records.size()))));
    result.ok = true;
    return result;
}

int mode_of(const WriteOptions& options) { return std::clamp(options.u8g2_mode, 0, 3); }

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

// The literals of a font's bytes (its last, zero byte left to the terminator), `per_piece` bytes
// a literal joined by `joint`.
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

// The letter of the font's set of codes, as u8g2's fonts are named.
std::string set_letter(const Font& font)
{
    char32_t low = 0x10FFFF, high = 0;
    bool numbers = true;
    bool cyrillic = true;
    for (int row = 0; row < glyph_count(font); ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        low = std::min(low, code);
        high = std::max(high, code);
        numbers = numbers && (code == 32 || (code >= 42 && code <= 58));
        cyrillic = cyrillic && ((code >= 32 && code <= 128) || (code >= 0x400 && code <= 0x52F));
    }
    if (low < 32)
        return "_all";
    if (numbers)
        return "n";
    if (high <= 95)
        return "u";
    if (high <= 127)
        return "r";
    if (high <= 255)
        return "f";
    return cyrillic ? "_cyrillic" : "_all";
}

// The bytes of a font in a build mode. A save asks first whether the form holds the font, then
// for the file: the search over the run widths, most of the work on a large font, is made once
// for the two, the last font coded being kept with its bytes.
std::optional<std::string> encoded(const Font& font, int mode, std::string& problem)
{
    struct Last {
        Font font;
        int mode = -1;
        std::string bytes;
        std::string problem;
    };
    static std::mutex guard;
    static Last last;
    const std::lock_guard lock(guard);
    auto same_font = [&] {
        const int rows = glyph_count(font);
        if (last.mode != mode || !(last.font.header == font.header) || last.font.ascent != font.ascent || last.font.origin_x != font.origin_x
            || glyph_count(last.font) != rows)
            return false;
        for (int row = 0; row < rows; ++row) {
            const Glyph& a = last.font.font_table[static_cast<std::size_t>(row)];
            const Glyph& b = font.font_table[static_cast<std::size_t>(row)];
            if (a.code_point != b.code_point || a.advance != b.advance || a.glyph_data != b.glyph_data)
                return false;
        }
        return true;
    };
    if (!same_font()) {
        last.problem.clear();
        last.bytes = u8g2::encode(glyphs_of(font), {mode, std::nullopt}, last.problem);
        last.font = font;
        last.mode = mode;
    }
    problem = last.problem;
    if (last.bytes.empty())
        return std::nullopt;
    return last.bytes;
}

}  // namespace

FontScan scan_u8g2_fonts(std::string_view text)
{
    FontScan scan;
    for (const StringArray& array : string_arrays(text)) {
        const u8g2::Decoded decoded = u8g2::decode(array.bytes);
        if (!decoded.problem.empty()) {
            if (scan.refusal.empty() && array.name.find("u8g2") != std::string::npos)
                scan.refusal = at_line(line_number_at(text, array.name_begin), "the string " + array.name + " is no u8g2 font: " + decoded.problem);
            continue;
        }
        const FontReadResult read = font_of(array, decoded, line_number_at(text, array.name_begin));
        FontEntry entry;
        entry.name = array.name;
        entry.header = read.ok ? read.font.header : FontHeader{0, 0, 0, static_cast<std::int32_t>(decoded.records.size())};
        entry.leading_begin = entry.begin = array.line_begin;
        entry.data_begin = array.name_begin;
        entry.data_end = array.literals_end;
        entry.end = array.end;
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty() && scan.refusal.empty())
        scan.refusal = "no u8g2 font (a byte array initialised by a string of a u8g2 header and glyph records) was found";
    return scan;
}

FontReadResult read_u8g2_font_entry(std::string_view text, const FontEntry& entry)
{
    const std::vector<StringArray> arrays = string_arrays(text, entry.data_begin);
    if (arrays.empty())
        return refused("the file no longer holds the u8g2 font " + entry.name);
    const std::size_t line = line_number_at(text, arrays.front().name_begin);
    const u8g2::Decoded decoded = u8g2::decode(arrays.front().bytes);
    if (!decoded.problem.empty())
        return refused_at(line, "the string " + entry.name + " is no u8g2 font: " + decoded.problem);
    return font_of(arrays.front(), decoded, line);
}

std::string u8g2_refusal(const Font& font)
{
    std::string problem;
    encoded(font, 0, problem);
    return problem;
}

std::string u8g2_font_name(const Font& font, std::string_view save_path, int mode)
{
    const std::string base = c_array_name(font, save_path);
    if (base.starts_with("u8g2_font_"))
        return base;
    std::string name = "u8g2_font_";
    name.append(base).append("_").append(1, "thm8"[std::clamp(mode, 0, 3)]).append(set_letter(font));
    return name;
}

std::string write_u8g2_font(const Font& font, std::string_view save_path, const WriteOptions& options)
{
    std::string problem;
    const std::optional<std::string> bytes = encoded(font, mode_of(options), problem);
    if (!bytes)
        return {};
    const std::string name = u8g2_font_name(font, save_path, mode_of(options));
    const bool large = bytes->size() > kLargeFontBytes;
    std::string text;
    if (large)
        text.append("#ifdef U8G2_USE_LARGE_FONTS\n");
    const std::string count = to_decimal(glyph_count(font));
    text.append("/*\n  Fontname: ").append(name).append("\n  Copyright: \n  Glyphs: ").append(count).append("/").append(count);
    text.append("\n  BBX Build Mode: ").append(to_decimal(mode_of(options))).append("\n*/\n");
    text.append("const uint8_t ").append(name).append("[").append(to_decimal(static_cast<std::int64_t>(bytes->size()))).append("] U8G2_FONT_SECTION(\"");
    text.append(name).append("\") = \n  ").append(literals_text(*bytes, kPieceBytes, "\n  ")).append(";\n");
    if (large)
        text.append("#endif /* U8G2_USE_LARGE_FONTS */\n");
    return text;
}

InPlaceText u8g2_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    const std::vector<StringArray> arrays = string_arrays(text, entry.data_begin);
    const u8g2::Decoded decoded = arrays.empty() ? u8g2::Decoded{} : u8g2::decode(arrays.front().bytes);
    if (arrays.empty() || !decoded.problem.empty())
        return {false, {}, "the file no longer holds the u8g2 font " + entry.name};
    const StringArray& array = arrays.front();
    std::string problem;
    std::vector<u8g2::Glyph> glyphs = glyphs_of(font);
    for (const u8g2::Glyph& glyph : glyphs)
        if (glyph.code > 0xFFFE)
            return {false, {}, "the glyph of " + code_point_text(glyph.code) + " has a code past U+FFFE, the last a u8g2 font holds; the lvgl and bdf forms hold it"};
    // Each glyph's record: kept where it draws as before, coded anew with the file's widths where
    // not (in the file's build mode 0; other modes and glyphs past the widths code the whole font).
    std::map<char32_t, const u8g2::Record*> old;
    for (const u8g2::Record& record : decoded.records)
        old[record.glyph.code] = &record;
    auto header = decoded.header;
    std::vector<std::pair<char32_t, std::string>> records;
    bool changed = glyphs.size() != decoded.records.size();
    bool fits = header[u8g2::kBuildMode] == 0;
    std::vector<u8g2::Glyph> inks;
    for (const u8g2::Glyph& glyph : glyphs) {
        const auto was = old.find(glyph.code);
        if (was != old.end() && drawn_of(was->second->glyph) == drawn_of(glyph)) {
            records.emplace_back(glyph.code, array.bytes.substr(was->second->begin, was->second->size));
            inks.push_back(u8g2::reduced(was->second->glyph));
            continue;
        }
        changed = true;
        inks.push_back(u8g2::reduced(glyph));
        std::optional<std::string> record = fits ? u8g2::encode_record(inks.back(), header) : std::nullopt;
        fits = fits && record.has_value();
        records.emplace_back(glyph.code, record.value_or(std::string()));
    }
    if (!changed)
        return {true, std::string(text), {}};
    std::string bytes;
    if (fits) {
        // The header's references follow the glyphs they come from when those changed.
        auto ink_of = [&](char32_t code) -> const u8g2::Glyph* {
            for (const u8g2::Glyph& ink : inks)
                if (ink.code == code)
                    return &ink;
            return nullptr;
        };
        auto edited = [&](char32_t code) {
            const auto was = old.find(code);
            const u8g2::Glyph* now = ink_of(code);
            return now != nullptr && (was == old.end() || !(drawn_of(was->second->glyph) == drawn_of(*now)));
        };
        if (edited(U'A') || (ink_of(U'A') == nullptr && edited(U'1'))) {
            const u8g2::Glyph* a = ink_of(U'A') != nullptr ? ink_of(U'A') : ink_of(U'1');
            header[u8g2::kAscentA] = a->h + a->y;
        }
        if (edited(U'g'))
            header[u8g2::kDescentG] = ink_of(U'g')->y;
        if (edited(U'(')) {
            header[u8g2::kAscentParen] = ink_of(U'(')->h + ink_of(U'(')->y;
            header[u8g2::kDescentParen] = ink_of(U'(')->y;
        }
        bytes = u8g2::assemble(header, records);
    } else {
        const std::array<int, 4> references = {header[u8g2::kAscentA], header[u8g2::kDescentG], header[u8g2::kAscentParen], header[u8g2::kDescentParen]};
        bytes = u8g2::encode(std::move(glyphs), {header[u8g2::kBuildMode], references}, problem);
        if (bytes.empty())
            return {false, {}, problem};
    }
    std::vector<Edit> edits;
    if (array.declared_size)
        edit_number(edits, text, *array.declared_size, static_cast<std::int64_t>(bytes.size()));
    edits.push_back({array.literals_begin, array.literals_end, literals_text(bytes, array.piece_bytes, array.joint)});
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

#include "formats/u8g2_font.h"

#include <algorithm>
#include <mutex>

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/u8g2_encoding.h"
#include "formats/u8g2_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

using u8g2::StringArray;

constexpr std::size_t kLargeFontBytes = 32760;

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
        last.bytes = u8g2::encode(u8g2::glyphs_of(font), {mode, std::nullopt}, last.problem);
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
    for (const StringArray& array : u8g2::string_arrays(text)) {
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
    const std::vector<StringArray> arrays = u8g2::string_arrays(text, entry.data_begin);
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
    text.append(name).append("\") = \n  ").append(u8g2::literals_text(*bytes, u8g2::kPieceBytes, "\n  ")).append(";\n");
    if (large)
        text.append("#endif /* U8G2_USE_LARGE_FONTS */\n");
    return text;
}

}  // namespace glyphwright

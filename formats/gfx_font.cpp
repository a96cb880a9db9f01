#include "formats/gfx_font.h"

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/found_sources.h"
#include "formats/gfx_encoding.h"
#include "formats/gfx_source.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

using gfx::Encoded;
using gfx::bitmap_body;
using gfx::code_comment;
using gfx::code_text;
using gfx::encode_font;
using gfx::encode_glyph_row;
using gfx::line_height_of;
using gfx::records_body;

namespace {

constexpr std::int64_t kLargestBitmap = 65535;
constexpr std::string_view kWiderForms = "BDF";

}  // namespace

FontScan scan_gfx_fonts(std::string_view text)
{
    if (text.find("GFXfont") == std::string_view::npos)
        return {{}, "the file has no GFXfont record"};
    return scan_found_sources(
        gfx::find_gfx_sources(text), [](const gfx::GfxSource& source) { return gfx::gfx_font_of(source, gfx::Reading::Cell); },
        [](const gfx::GfxSource& source, FontEntry& entry) {
            entry.name = source.name;
            entry.leading_begin = entry.begin = source.begin;
            entry.data_begin = source.record;
            entry.data_end = entry.end = source.end;
        },
        "the file has no GFXfont record with an initialiser");
}

FontReadResult read_gfx_font_entry(std::string_view text, const FontEntry& entry)
{
    gfx::GfxFound found = gfx::find_gfx_source(text, entry.name, entry.data_begin);
    if (!found.source)
        return refused(found.refusal);
    FontReadResult read = gfx::gfx_font_of(*found.source);
    if (read.ok && (found.source->bitmap.directives || found.source->glyphs.directives))
        read.warnings.push_back(at_line(found.source->glyphs.line, "the arrays of " + entry.name
                                                                       + " hold #if blocks; the font is read with their conditions as the file "
                                                                         "defines them, and Save in place keeps their lines"));
    return read;
}

std::string gfx_refusal(const Font& font)
{
    const int rows = glyph_count(font);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::int64_t total = 0;
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        const std::string name = "the glyph of " + code_point_text(glyph.code_point);
        if (glyph.code_point > 0xFFFF)
            return name + " has a code past 0xFFFF, the last a GFXfont holds; " + std::string(kWiderForms) + " holds it";
        const Encoded encoded = encode_glyph_row(font, row, grid);
        const auto& f = encoded.fields;
        if (f[gfx::kAdvance] < 0 || f[gfx::kAdvance] > 255)
            return name + " advances " + to_decimal(f[gfx::kAdvance]) + " pixels; a GFXfont holds 0 to 255";
        if (f[gfx::kXOffset] < -128 || f[gfx::kXOffset] > 127 || f[gfx::kYOffset] < -128 || f[gfx::kYOffset] > 127)
            return name + " lies more than 128 pixels from its origin, which a GFXfont cannot hold; " + std::string(kWiderForms) + " holds it";
        total += static_cast<std::int64_t>(encoded.bytes.size());
        if (total > kLargestBitmap)
            return "the bitmap passes 65,535 bytes at " + name + ", past what a GFXfont's 16-bit offsets reach; "
                 + std::string(kWiderForms) + " holds it";
    }
    return {};
}

std::string write_gfx_font(const Font& font, std::string_view save_path)
{
    const std::string name = c_array_name(font, save_path);
    const std::vector<Encoded> glyphs = encode_font(font, nullptr);
    const std::int64_t first = glyphs.empty() ? 0 : static_cast<std::int64_t>(font.font_table.front().code_point);
    const std::int64_t last = first + static_cast<std::int64_t>(glyphs.size()) - (glyphs.empty() ? 0 : 1);
    std::size_t bitmap_bytes = 0;
    for (const Encoded& glyph : glyphs)
        bitmap_bytes += glyph.bytes.size();
    std::string out = "#pragma once\n#include <Adafruit_GFX.h>\n\n";
    LineReader comments(font.header_text);
    while (!comments.at_end())
        out += std::string(comments.read_line()) + "\n";
    if (!font.header_text.empty())
        out += "\n";
    out += "const uint8_t " + name + "Bitmaps[] PROGMEM = {" + bitmap_body(glyphs) + "};\n\n";
    out += "const GFXglyph " + name + "Glyphs[] PROGMEM = {" + records_body(glyphs, first) + "}; // "
         + (glyphs.empty() ? std::string("no glyphs") : code_comment(last)) + "\n\n";
    out += "const GFXfont " + name + " PROGMEM = {\n  (uint8_t  *)" + name + "Bitmaps,\n  (GFXglyph *)" + name + "Glyphs,\n  "
         + code_text(first) + ", " + code_text(last) + ", " + to_decimal(line_height_of(font)) + " };\n\n";
    out += "// Approx. " + to_decimal(static_cast<std::int64_t>(bitmap_bytes + glyphs.size() * 7 + 7)) + " bytes\n";
    return out;
}

}  // namespace glyphwright

#include "formats/gfx_font.h"

#include <algorithm>
#include <optional>

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/gfx_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

using gfx::GfxSource;
using gfx::SourceNumber;
using gfx::SourceRecord;

namespace {

constexpr int kBytesPerLine = 12;
constexpr std::int64_t kLargestBitmap = 65535;
constexpr std::string_view kWiderForms = "BDF";

// One glyph as a GFXglyph record and its bitmap bytes.
struct Encoded {
    std::array<int, gfx::kRecordFields> fields = {0, 0, 0, 0, 0, 1};
    std::vector<std::uint8_t> bytes;
    bool kept = false;  // the record and bytes of the source, as they were
    bool operator==(const Encoded&) const = default;
};

// The glyph rows of the font by code: the run from the first code to the last, -1 for a code
// the font has no glyph of.
std::vector<int> rows_by_code(const Font& font)
{
    const int rows = glyph_count(font);
    if (rows == 0)
        return {};
    const char32_t first = font.font_table.front().code_point;
    const char32_t last = font.font_table[static_cast<std::size_t>(rows - 1)].code_point;
    std::vector<int> by_code(static_cast<std::size_t>(last - first + 1), -1);
    for (int row = 0; row < rows; ++row)
        by_code[font.font_table[static_cast<std::size_t>(row)].code_point - first] = row;
    return by_code;
}

// Packs the pixels of `area` of the grid, row after row, most significant bit first.
std::vector<std::uint8_t> packed(const GlyphGrid& grid, const PixelArea& area)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((area.width * area.height + 7) / 8), 0);
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c)
            if (grid.at(area.x + c, area.y + r) == 1) {
                const int bit = r * area.width + c;
                bytes[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
            }
    return bytes;
}

// The glyph of table row `row` (none: a code without a glyph) with its tight box.
Encoded encode_glyph_row(const Font& font, int row, GlyphGrid& grid)
{
    Encoded encoded;
    if (row < 0)
        return encoded;
    const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
    decode_glyph(glyph.glyph_data, grid);
    encoded.fields[gfx::kAdvance] = glyph.advance;
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[gfx::kWidth] = ink.width;
    encoded.fields[gfx::kHeight] = ink.height;
    encoded.fields[gfx::kXOffset] = ink.x - font.origin_x;
    encoded.fields[gfx::kYOffset] = ink.y - (font.ascent - 1);
    encoded.bytes = packed(grid, ink);
    return encoded;
}

// A record of the source with its bytes, made tight, to compare with a glyph encoded anew.
Encoded tight_of(const GfxSource& source, const SourceRecord& record)
{
    Encoded encoded;
    encoded.fields[gfx::kAdvance] = static_cast<int>(record.fields[gfx::kAdvance].value);
    const int width = static_cast<int>(record.fields[gfx::kWidth].value);
    const int height = static_cast<int>(record.fields[gfx::kHeight].value);
    if (!record.complete || width <= 0 || height <= 0 || width > 255 || height > 255)
        return encoded;
    GlyphGrid grid(width, height);
    const std::int64_t offset = record.fields[gfx::kOffset].value;
    for (int bit = 0; bit < width * height; ++bit) {
        const std::int64_t at = offset * 8 + bit;
        const std::size_t byte = static_cast<std::size_t>(at / 8);
        if (at >= 0 && byte < source.bytes.size() && (source.bytes[byte].value & (0x80 >> (at % 8))) != 0)
            grid.set(bit % width, bit / width, true);
    }
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[gfx::kWidth] = ink.width;
    encoded.fields[gfx::kHeight] = ink.height;
    encoded.fields[gfx::kXOffset] = static_cast<int>(record.fields[gfx::kXOffset].value) + ink.x;
    encoded.fields[gfx::kYOffset] = static_cast<int>(record.fields[gfx::kYOffset].value) + ink.y;
    encoded.bytes = packed(grid, ink);
    return encoded;
}

// The record and bytes as the source has them.
Encoded as_written(const GfxSource& source, const SourceRecord& record)
{
    Encoded encoded;
    for (int field = 0; field < gfx::kRecordFields; ++field)
        encoded.fields[static_cast<std::size_t>(field)] = static_cast<int>(record.fields[static_cast<std::size_t>(field)].value);
    const std::int64_t size = (record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8;
    for (std::int64_t at = 0; at < size; ++at) {
        const std::int64_t byte = record.fields[gfx::kOffset].value + at;
        encoded.bytes.push_back(byte >= 0 && byte < static_cast<std::int64_t>(source.bytes.size())
                                    ? static_cast<std::uint8_t>(source.bytes[static_cast<std::size_t>(byte)].value & 0xFF)
                                    : 0);
    }
    return encoded;
}

// Every glyph of the font by code, and the running offsets. With a source, a glyph that draws
// as its record there does keeps that record and its bytes.
std::vector<Encoded> encode_font(const Font& font, const GfxSource* source)
{
    const std::vector<int> by_code = rows_by_code(font);
    std::vector<Encoded> glyphs;
    glyphs.reserve(by_code.size());
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    const std::int64_t first = by_code.empty() ? 0 : static_cast<std::int64_t>(font.font_table.front().code_point);
    int offset = 0;
    for (std::size_t index = 0; index < by_code.size(); ++index) {
        Encoded encoded = encode_glyph_row(font, by_code[index], grid);
        if (source != nullptr) {
            const std::int64_t old_index = first + static_cast<std::int64_t>(index) - source->first.value;
            if (old_index >= 0 && old_index < static_cast<std::int64_t>(source->records.size())) {
                const SourceRecord& record = source->records[static_cast<std::size_t>(old_index)];
                if (record.complete && tight_of(*source, record) == encoded) {
                    encoded = as_written(*source, record);
                    encoded.kept = true;
                }
            }
        }
        encoded.fields[gfx::kOffset] = offset;
        offset += static_cast<int>(encoded.bytes.size());
        glyphs.push_back(std::move(encoded));
    }
    return glyphs;
}

std::string hex_byte(int value, bool lower = false)
{
    static constexpr char kUpper[] = "0123456789ABCDEF";
    static constexpr char kLower[] = "0123456789abcdef";
    const char* digits = lower ? kLower : kUpper;
    return {'0', 'x', digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

std::string padded(int value, std::size_t width)
{
    std::string text = to_decimal(value);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string code_comment(std::int64_t code)
{
    std::string comment = code <= 0xFF ? hex_byte(static_cast<int>(code)) : "0x" + code_point_text(static_cast<char32_t>(code)).substr(2);
    if (code >= 0x20 && code < 0x7F)
        comment += std::string(" '") + static_cast<char>(code) + "'";
    return comment;
}

std::string record_text(const Encoded& glyph)
{
    const auto& f = glyph.fields;
    return "{ " + padded(f[0], 5) + ", " + padded(f[1], 3) + ", " + padded(f[2], 3) + ", " + padded(f[3], 3) + ", "
         + padded(f[4], 4) + ", " + padded(f[5], 4) + " }";
}

// The bitmap's bytes as fontconvert lays them out, from the line after "{" to before "}".
std::string bitmap_body(const std::vector<Encoded>& glyphs)
{
    std::string body;
    int in_line = 0;
    bool any = false;
    for (const Encoded& glyph : glyphs)
        for (std::uint8_t byte : glyph.bytes) {
            body += any ? (in_line == 0 ? ",\n  " : ", ") : "\n  ";
            body += hex_byte(byte);
            any = true;
            in_line = (in_line + 1) % kBytesPerLine;
        }
    // C has no empty initialiser: a font of blank glyphs keeps one byte.
    return any ? body + " " : "\n  0x00 ";
}

std::string records_body(const std::vector<Encoded>& glyphs, std::int64_t first)
{
    std::string body = "\n";
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const bool last = index + 1 == glyphs.size();
        body += "  " + record_text(glyphs[index]) + (last ? " " : ",   // " + code_comment(first + static_cast<std::int64_t>(index)) + "\n");
    }
    return body;
}

std::string code_text(std::int64_t code) { return code <= 0xFF ? hex_byte(static_cast<int>(code)) : "0x" + code_point_text(static_cast<char32_t>(code)).substr(2); }

int line_height_of(const Font& font) { return font.line_height > 0 ? font.line_height : font.ascent + font.descent; }

// A replacement of the bytes [begin, end) of the text.
struct Edit {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

std::string with_edits(std::string_view text, std::vector<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin > b.begin; });
    std::string out(text);
    for (const Edit& edit : edits)
        out.replace(edit.begin, edit.end - edit.begin, edit.text);
    return out;
}

// A number written in the manner of `like`: hexadecimal with its digits' case and at least its
// digit count when it is, else decimal.
std::string written_like(std::string_view like, std::int64_t value)
{
    const std::size_t start = like.find_first_not_of("+- \t");
    const std::string_view digits = start == std::string_view::npos ? std::string_view() : like.substr(start);
    if (value < 0 || digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X'))
        return to_decimal(value);
    const bool lower = digits.find_first_of("abcdef", 2) != std::string_view::npos;
    std::string hex;
    for (std::int64_t rest = value; rest > 0 || hex.empty(); rest >>= 4)
        hex.insert(hex.begin(), (lower ? "0123456789abcdef" : "0123456789ABCDEF")[rest & 0xF]);
    while (hex.size() < digits.size() - 2)
        hex.insert(hex.begin(), '0');
    return std::string(digits.substr(0, 2)) + hex;
}

void edit_number(std::vector<Edit>& edits, std::string_view text, const SourceNumber& number, std::int64_t value)
{
    if (number.value != value)
        edits.push_back({number.begin, number.end, written_like(text.substr(number.begin, number.end - number.begin), value)});
}

// The edits that put the glyphs into a source of the same codes whose offsets run on from 0: the
// numbers that changed in place, and the bytes of a glyph whose size changed where its old ones stood.
std::vector<Edit> edits_in_place(std::string_view text, const GfxSource& source, const std::vector<Encoded>& glyphs)
{
    std::vector<Edit> edits;
    const std::string_view like = source.bytes.empty() ? std::string_view("0x00")
                                                       : text.substr(source.bytes[0].begin, source.bytes[0].end - source.bytes[0].begin);
    std::size_t old_at = 0;
    std::size_t new_total = 0;
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const SourceRecord& record = source.records[index];
        for (int field = 0; field < gfx::kRecordFields; ++field)
            edit_number(edits, text, record.fields[static_cast<std::size_t>(field)], glyphs[index].fields[static_cast<std::size_t>(field)]);
        const std::vector<std::uint8_t>& bytes = glyphs[index].bytes;
        const std::size_t old_size = static_cast<std::size_t>((record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8);
        if (old_size == bytes.size()) {
            for (std::size_t at = 0; at < old_size; ++at)
                edit_number(edits, text, source.bytes[old_at + at], bytes[at]);
        } else {
            // The bytes both have are changed where they stand, so the lines keep their breaks; the
            // rest are added after them or taken out.
            const std::size_t common = std::min(old_size, bytes.size());
            for (std::size_t at = 0; at < common; ++at)
                edit_number(edits, text, source.bytes[old_at + at], bytes[at]);
            std::string written;
            for (std::size_t at = common; at < bytes.size(); ++at)
                written += (written.empty() ? "" : ", ") + written_like(like, bytes[at]);
            if (common > 0 && bytes.size() > old_size) {
                const std::size_t after = source.bytes[old_at + common - 1].end;
                edits.push_back({after, after, ", " + written});
            } else if (common > 0) {
                edits.push_back({source.bytes[old_at + common - 1].end, source.bytes[old_at + old_size - 1].end, ""});
            } else if (old_size > 0) {
                // The glyph's bytes go with the separator after them, or before them at the end.
                const bool at_end = old_at + old_size == source.bytes.size();
                edits.push_back({at_end ? (old_at > 0 ? source.bytes[old_at - 1].end : source.bytes[old_at].begin) : source.bytes[old_at].begin,
                                 at_end ? source.bytes[old_at + old_size - 1].end : source.bytes[old_at + old_size].begin, ""});
            } else if (old_at < source.bytes.size()) {
                edits.push_back({source.bytes[old_at].begin, source.bytes[old_at].begin, written + ", "});
            } else if (!source.bytes.empty()) {
                edits.push_back({source.bytes.back().end, source.bytes.back().end, ", " + written});
            } else {
                edits.push_back({source.bitmap.open + 1, source.bitmap.open + 1, " " + written + " "});
            }
        }
        old_at += old_size;
        new_total += bytes.size();
    }
    // Records past the last code (which the library never reaches) keep pointing at their bytes.
    const std::int64_t moved = static_cast<std::int64_t>(new_total) - static_cast<std::int64_t>(old_at);
    for (std::size_t index = glyphs.size(); index < source.records.size() && moved != 0; ++index)
        edit_number(edits, text, source.records[index].fields[gfx::kOffset], source.records[index].fields[gfx::kOffset].value + moved);
    if (source.bitmap.declared_size && new_total != old_at)
        edit_number(edits, text, *source.bitmap.declared_size,
                    source.bitmap.declared_size->value + static_cast<std::int64_t>(new_total) - static_cast<std::int64_t>(old_at));
    return edits;
}

// True when the source's records are complete, one a code at least, with offsets running on from 0.
bool runs_on(const GfxSource& source)
{
    std::int64_t offset = 0;
    for (const SourceRecord& record : source.records) {
        if (!record.complete || record.fields[gfx::kOffset].value != offset)
            return false;
        offset += (record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8;
    }
    return offset <= static_cast<std::int64_t>(source.bytes.size())
        && static_cast<std::int64_t>(source.records.size()) >= source.last.value - source.first.value + 1;
}

}  // namespace

FontScan scan_gfx_fonts(std::string_view text)
{
    FontScan scan;
    if (text.find("GFXfont") == std::string_view::npos) {
        scan.refusal = "the file has no GFXfont record";
        return scan;
    }
    for (gfx::GfxFound& found : gfx::find_gfx_sources(text)) {
        if (!found.source) {
            if (scan.refusal.empty())
                scan.refusal = found.refusal;
            continue;
        }
        const FontReadResult read = gfx::gfx_font_of(*found.source, gfx::Reading::Cell);
        if (!read.ok) {
            if (scan.refusal.empty())
                scan.refusal = read.message;
            continue;
        }
        FontEntry entry;
        entry.name = found.source->name;
        entry.header = read.font.header;
        entry.leading_begin = entry.begin = found.source->begin;
        entry.data_begin = found.source->record;
        entry.data_end = entry.end = found.source->end;
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty() && scan.refusal.empty())
        scan.refusal = "the file has no GFXfont record with an initialiser";
    return scan;
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

InPlaceText gfx_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    if (std::string refusal = gfx_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    gfx::GfxFound found = gfx::find_gfx_source(text, entry.name, entry.data_begin);
    if (!found.source)
        return {false, {}, found.refusal};
    const GfxSource& source = *found.source;
    const std::vector<Encoded> glyphs = encode_font(font, &source);
    const std::int64_t first = glyphs.empty() ? 0 : static_cast<std::int64_t>(font.font_table.front().code_point);
    const std::int64_t last = first + static_cast<std::int64_t>(glyphs.size()) - 1;
    const bool same_codes = !glyphs.empty() && first == source.first.value && last == source.last.value
                         && source.records.size() >= glyphs.size();
    const bool same_line = font.line_height == 0 || font.line_height == source.y_advance.value;
    if (same_codes && same_line && std::all_of(glyphs.begin(), glyphs.end(), [](const Encoded& glyph) { return glyph.kept; }))
        return {true, std::string(text), {}};
    std::vector<Edit> edits;
    if (font.line_height > 0)
        edit_number(edits, text, source.y_advance, font.line_height);
    if (same_codes && runs_on(source)) {
        std::vector<Edit> glyph_edits = edits_in_place(text, source, glyphs);
        edits.insert(edits.end(), glyph_edits.begin(), glyph_edits.end());
        return {true, with_edits(text, std::move(edits)), {}};
    }
    // Other codes, or offsets of another program's making: both arrays are written anew.
    if (source.bitmap.directives || source.glyphs.directives)
        return {false, {}, "the arrays of " + entry.name + " hold #if blocks, which cannot be kept when its characters change; "
                           "Save as writes it to a new file"};
    if (glyphs.empty())
        return {false, {}, "a GFXfont needs at least one character"};
    edits.push_back({source.bitmap.open + 1, source.bitmap.close, bitmap_body(glyphs)});
    edits.push_back({source.glyphs.open + 1, source.glyphs.close, records_body(glyphs, first)});
    edit_number(edits, text, source.first, first);
    edit_number(edits, text, source.last, last);
    if (source.bitmap.declared_size) {
        std::size_t total = 0;
        for (const Encoded& glyph : glyphs)
            total += glyph.bytes.size();
        edit_number(edits, text, *source.bitmap.declared_size, static_cast<std::int64_t>(std::max<std::size_t>(total, 1)));
    }
    if (source.glyphs.declared_size)
        edit_number(edits, text, *source.glyphs.declared_size, static_cast<std::int64_t>(glyphs.size()));
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

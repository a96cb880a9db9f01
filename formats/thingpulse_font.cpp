#include "formats/thingpulse_font.h"

#include <algorithm>

#include "formats/c_byte_arrays.h"
#include "formats/c_font.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::int64_t kNoBitmap = 0xFFFF;
constexpr std::string_view kWiderForms = "the gfx, lvgl and bdf forms hold it";

struct Jump {
    std::int64_t offset = kNoBitmap;
    std::int64_t size = 0;
    std::int64_t advance = 0;
};

// The header and jump table of an array, when they agree with its data.
struct Layout {
    int height = 0;
    int first = 0;
    std::vector<Jump> jumps;
    std::size_t data = 0;  // the number index where the glyph data begin
};

std::optional<Layout> layout_of(const CByteArray& array)
{
    const std::vector<SourceNumber>& n = array.numbers;
    if (n.size() < 8)
        return std::nullopt;
    Layout layout;
    layout.height = static_cast<int>(n[1].value);
    layout.first = static_cast<int>(n[2].value);
    const std::int64_t count = n[3].value;
    if (layout.height < 1 || layout.height > 255 || layout.first < 0 || count < 1 || layout.first + count > 256
        || n.size() < static_cast<std::size_t>(4 + 4 * count))
        return std::nullopt;
    layout.data = static_cast<std::size_t>(4 + 4 * count);
    const std::int64_t data_size = static_cast<std::int64_t>(n.size() - layout.data);
    for (std::int64_t k = 0; k < count; ++k) {
        const std::size_t at = static_cast<std::size_t>(4 + 4 * k);
        if (n[at].value < 0 || n[at].value > 255 || n[at + 1].value < 0 || n[at + 1].value > 255 || n[at + 2].value < 0 || n[at + 2].value > 255
            || n[at + 3].value < 0 || n[at + 3].value > 255)
            return std::nullopt;
        const Jump jump{n[at].value * 256 + n[at + 1].value, n[at + 2].value, n[at + 3].value};
        if (jump.offset != kNoBitmap && jump.offset + jump.size > data_size)
            return std::nullopt;
        layout.jumps.push_back(jump);
    }
    return layout;
}

int rows_of(int height) { return (height + 7) / 8; }

bool ink_area_empty(const Glyph& glyph) { return glyph.glyph_data.find_first_not_of("0x,") == std::string::npos; }

FontReadResult font_of(const CByteArray& array, const Layout& layout)
{
    FontReadResult result;
    const int pages = rows_of(layout.height);
    int width = 1;
    for (const Jump& jump : layout.jumps)
        width = std::max<int>(width, static_cast<int>(std::max<std::int64_t>(jump.advance, jump.offset == kNoBitmap ? 0 : (jump.size + pages - 1) / pages)));
    Font& font = result.font;
    font.name = array.name;
    font.header = {width, layout.height, layout.first, static_cast<std::int32_t>(layout.jumps.size())};
    font.line_height = layout.height;
    font.font_table.assign(layout.jumps.size(), Glyph{});
    GlyphGrid grid(width, layout.height);
    for (std::size_t k = 0; k < layout.jumps.size(); ++k) {
        const Jump& jump = layout.jumps[k];
        grid = GlyphGrid(width, layout.height);
        for (std::int64_t at = 0; jump.offset != kNoBitmap && at < jump.size; ++at) {
            const std::int64_t byte = array.numbers[layout.data + static_cast<std::size_t>(jump.offset + at)].value;
            const int column = static_cast<int>(at / pages);
            for (int bit = 0; bit < 8; ++bit) {
                const int row = static_cast<int>(at % pages) * 8 + bit;
                if (((byte >> bit) & 1) != 0 && row < layout.height)
                    grid.set(column, row, true);
            }
        }
        Glyph& glyph = font.font_table[k];
        glyph.code_point = static_cast<char32_t>(layout.first + static_cast<int>(k));
        glyph.advance = static_cast<int>(jump.advance);
        glyph.glyph_data = encode_glyph(grid);
    }
    font.ascent = rows_above_glyphs_base(font);
    font.descent = layout.height - font.ascent;
    result.ok = true;
    return result;
}

// A glyph's stored bytes, trailing zeros cut, and its advance. The library draws no pixel left of
// the cursor, so a glyph reaching left of its origin (DejaVu's 'J') moves right by as much and
// advances as much further, keeping the next glyph where it was from its pixels.
struct Stored {
    std::vector<std::int64_t> bytes;
    int advance = 0;
};

Stored bytes_of(const Font& font, const Glyph& glyph, GlyphGrid& grid)
{
    decode_glyph(glyph.glyph_data, grid);
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return {{}, glyph.advance};
    const int left = std::min(ink.x, font.origin_x);
    const int pages = rows_of(font.header.glyph_height);
    const int columns = ink.x + ink.width - left;
    std::vector<std::int64_t> bytes(static_cast<std::size_t>(columns * pages), 0);
    for (int c = 0; c < columns; ++c)
        for (int y = 0; y < font.header.glyph_height; ++y)
            if (grid.at(left + c, y) == 1)
                bytes[static_cast<std::size_t>(c * pages + y / 8)] |= std::int64_t{1} << (y % 8);
    while (!bytes.empty() && bytes.back() == 0)
        bytes.pop_back();
    return {std::move(bytes), glyph.advance + font.origin_x - left};
}

// The whole array's numbers for a font: header, jump table and data.
struct Encoded {
    std::vector<std::int64_t> header_and_jumps;
    std::vector<std::vector<std::int64_t>> glyphs;  // a code each, from the first
    int first = 32;
};

std::optional<Encoded> encode(const Font& font, std::string& problem)
{
    Encoded encoded;
    const int rows = glyph_count(font);
    encoded.first = rows > 0 ? static_cast<int>(std::min<char32_t>(font.font_table.front().code_point, 255)) : 32;
    // Every code from the first to 255, as the library's fonts run; the count is one byte, so a
    // font from code 0 runs to its last glyph.
    int count = 256 - encoded.first;
    if (count > 255) {
        const char32_t last = font.font_table[static_cast<std::size_t>(rows - 1)].code_point;
        if (last >= 255) {
            problem = "the font runs from code 0 to " + to_decimal(last) + ", and a ThingPulse font holds at most 255 codes; "
                    + std::string(kWiderForms);
            return std::nullopt;
        }
        count = static_cast<int>(last) + 1;
    }
    int widest = 0;
    std::vector<std::int64_t> jumps;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::int64_t offset = 0;
    for (int index = 0; index < count; ++index) {
        const GlyphPlace place = glyph_place(font, static_cast<char32_t>(encoded.first + index));
        std::vector<std::int64_t> bytes;
        int advance = 0;
        if (place.found) {
            const Glyph& glyph = font.font_table[static_cast<std::size_t>(place.row)];
            const std::string name = "the glyph of " + code_point_text(glyph.code_point);
            Stored stored = bytes_of(font, glyph, grid);
            if (stored.bytes.size() > 255 || stored.advance < 0 || stored.advance > 255) {
                problem = name + " takes " + to_decimal(static_cast<std::int64_t>(stored.bytes.size())) + " bytes and advances "
                        + to_decimal(stored.advance) + " pixels; a ThingPulse glyph holds up to 255 of each; " + std::string(kWiderForms);
                return std::nullopt;
            }
            bytes = std::move(stored.bytes);
            advance = stored.advance;
        }
        widest = std::max(widest, advance);
        const std::int64_t at = bytes.empty() ? kNoBitmap : offset;
        if (!bytes.empty() && offset >= kNoBitmap) {
            problem = "the glyph data pass 65,534 bytes at " + code_point_text(static_cast<char32_t>(encoded.first + index)) + "; " + std::string(kWiderForms);
            return std::nullopt;
        }
        jumps.insert(jumps.end(), {at >> 8, at & 0xFF, static_cast<std::int64_t>(bytes.size()), advance});
        offset += static_cast<std::int64_t>(bytes.size());
        encoded.glyphs.push_back(std::move(bytes));
    }
    encoded.header_and_jumps = {widest, font.header.glyph_height, encoded.first, count};
    encoded.header_and_jumps.insert(encoded.header_and_jumps.end(), jumps.begin(), jumps.end());
    return encoded;
}

std::string hex(std::int64_t value)
{
    return std::string("0x") + upper_hex_digit(static_cast<unsigned>(value) >> 4) + upper_hex_digit(static_cast<unsigned>(value));
}

}  // namespace

FontScan scan_thingpulse_fonts(std::string_view text)
{
    FontScan scan;
    for (const CByteArray& array : c_byte_arrays(text)) {
        const std::optional<Layout> layout = layout_of(array);
        if (!layout)
            continue;
        FontEntry entry;
        entry.name = array.name;
        int width = 1;
        for (const Jump& jump : layout->jumps)
            width = std::max<int>(width, static_cast<int>(jump.advance));
        entry.header = {width, layout->height, layout->first, static_cast<std::int32_t>(layout->jumps.size())};
        entry.leading_begin = entry.begin = array.begin;
        entry.data_begin = array.start;
        entry.data_end = entry.end = array.end;
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty())
        scan.refusal = "no ThingPulse font (a byte array of a four-byte header, a jump table and glyph data that agree) was found";
    return scan;
}

FontReadResult read_thingpulse_font_entry(std::string_view text, const FontEntry& entry)
{
    const std::vector<CByteArray> arrays = c_byte_arrays(text, entry.data_begin);
    const std::optional<Layout> layout = arrays.empty() ? std::nullopt : layout_of(arrays.front());
    if (!layout)
        return refused("the file no longer holds the ThingPulse font " + entry.name);
    return font_of(arrays.front(), *layout);
}

std::string thingpulse_refusal(const Font& font)
{
    for (int row = 0; row < glyph_count(font); ++row)
        if (const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point; code > 255)
            return "the glyph of " + code_point_text(code) + " has a code past 255, the last a ThingPulse font holds; " + std::string(kWiderForms);
    std::string problem;
    encode(font, problem);
    return problem;
}

std::string write_thingpulse_font(const Font& font, std::string_view save_path)
{
    std::string problem;
    const std::optional<Encoded> encoded = encode(font, problem);
    if (!encoded)
        return {};
    const std::vector<std::int64_t>& h = encoded->header_and_jumps;
    std::string out = "// " + c_array_name(font, save_path) + ": a font for ThingPulse's SSD1306 OLED library\n"
                      "#include <stdint.h>\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n\n"
                      "const uint8_t " + c_array_name(font, save_path) + "[] PROGMEM = {\n"
                      "  " + hex(h[0]) + ", // Width: " + to_decimal(h[0]) + "\n  " + hex(h[1]) + ", // Height: " + to_decimal(h[1]) + "\n  "
                    + hex(h[2]) + ", // First Char: " + to_decimal(h[2]) + "\n  " + hex(h[3]) + ", // Numbers of Chars: " + to_decimal(h[3])
                    + "\n\n  // Jump Table:\n";
    std::int64_t offset = 0;
    for (std::size_t k = 0; k < encoded->glyphs.size(); ++k) {
        const std::size_t at = 4 + 4 * k;
        out += "  " + hex(h[at]) + ", " + hex(h[at + 1]) + ", " + hex(h[at + 2]) + ", " + hex(h[at + 3]) + ",  // "
             + to_decimal(encoded->first + static_cast<int>(k)) + ":" + to_decimal(encoded->glyphs[k].empty() ? kNoBitmap : offset) + "\n";
        offset += static_cast<std::int64_t>(encoded->glyphs[k].size());
    }
    out += "\n  // Font Data:\n";
    std::size_t last = encoded->glyphs.size();
    while (last > 0 && encoded->glyphs[last - 1].empty())
        --last;
    for (std::size_t k = 0; k < last; ++k) {
        if (encoded->glyphs[k].empty())
            continue;
        std::string line = "  ";
        for (std::size_t at = 0; at < encoded->glyphs[k].size(); ++at)
            line += std::string(at == 0 ? "" : ",") + hex(encoded->glyphs[k][at]);
        out += line + (k + 1 < last ? "," : "") + "  // " + to_decimal(encoded->first + static_cast<int>(k)) + "\n";
    }
    return out + "};\n";
}

InPlaceText thingpulse_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    const std::vector<CByteArray> arrays = c_byte_arrays(text, entry.data_begin);
    const std::optional<Layout> layout = arrays.empty() ? std::nullopt : layout_of(arrays.front());
    if (!layout)
        return {false, {}, "the file no longer holds the ThingPulse font " + entry.name};
    if (std::string refusal = thingpulse_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    const CByteArray& array = arrays.front();
    // The font keeps the array's first code and count, so that its table keeps its lines.
    Font fitted = font;
    const int count = static_cast<int>(layout->jumps.size());
    for (int row = 0; row < glyph_count(font); ++row)
        if (const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
            code < static_cast<char32_t>(layout->first) || code >= static_cast<char32_t>(layout->first + count))
            return {false, {}, entry.name + " holds codes " + to_decimal(layout->first) + " to " + to_decimal(layout->first + count - 1) + ", and "
                                   + code_point_text(code) + " lies outside them"};
    if (glyph_count(fitted) == 0 || fitted.font_table.front().code_point != static_cast<char32_t>(layout->first))
        insert_glyph(fitted, 0, Glyph{encode_glyph(GlyphGrid(fitted.header.glyph_width, fitted.header.glyph_height)), {}, static_cast<char32_t>(layout->first), 0});
    std::string problem;
    std::optional<Encoded> encoded = encode(fitted, problem);
    if (!encoded)
        return {false, {}, problem};
    // A font from code 0 is coded to its last glyph; the table's codes after it stay without one.
    encoded->glyphs.resize(std::max(encoded->glyphs.size(), static_cast<std::size_t>(count)));
    // A glyph that draws as before keeps its entry and bytes as written (another program's may
    // keep zero bytes at their end); the offsets run on from the first.
    const Font before = font_of(array, *layout).font;
    const bool same_cell = before.header.glyph_width == fitted.header.glyph_width && before.header.glyph_height == fitted.header.glyph_height
                        && before.ascent == fitted.ascent && before.origin_x == fitted.origin_x;
    const std::span<const SourceNumber> data = std::span(array.numbers).subspan(layout->data);
    std::vector<std::int64_t> header = {array.numbers[0].value, encoded->header_and_jumps[1], encoded->header_and_jumps[2], count};
    std::int64_t offset = 0;
    bool every_kept = same_cell;
    for (int k = 0; k < count; ++k) {
        const Jump& old = layout->jumps[static_cast<std::size_t>(k)];
        const GlyphPlace place = glyph_place(fitted, static_cast<char32_t>(layout->first + k));
        const Glyph* glyph = place.found ? &fitted.font_table[static_cast<std::size_t>(place.row)] : nullptr;
        const Glyph& was = before.font_table[static_cast<std::size_t>(k)];
        std::vector<std::int64_t>& bytes = encoded->glyphs[static_cast<std::size_t>(k)];
        std::int64_t advance = glyph ? glyph->advance : 0;
        if (same_cell && glyph && glyph->glyph_data == was.glyph_data && glyph->advance == was.advance) {
            bytes.clear();
            for (std::int64_t at = 0; old.offset != kNoBitmap && at < old.size; ++at)
                bytes.push_back(data[static_cast<std::size_t>(old.offset + at)].value);
            advance = old.advance;
        } else {
            every_kept = every_kept && !glyph && ink_area_empty(was) && was.advance == 0;
        }
        const std::int64_t at = bytes.empty() ? kNoBitmap : offset;
        header.insert(header.end(), {at >> 8, at & 0xFF, static_cast<std::int64_t>(bytes.size()), advance});
        offset += static_cast<std::int64_t>(bytes.size());
    }
    std::vector<Edit> edits;
    const std::string_view like = number_manner(text, array.numbers);
    edit_number_list(edits, text, std::span(array.numbers).first(layout->data), header, array.open + 1, like, Wrap::None);
    if (every_kept)
        return {true, std::string(text), {}};
    bool unchanged = edits.empty();
    for (int k = 0; unchanged && k < count; ++k) {
        const Jump& jump = layout->jumps[static_cast<std::size_t>(k)];
        const std::vector<std::int64_t>& bytes = encoded->glyphs[static_cast<std::size_t>(k)];
        const std::size_t old_size = jump.offset == kNoBitmap ? 0 : static_cast<std::size_t>(jump.size);
        unchanged = old_size == bytes.size();
        for (std::size_t at = 0; unchanged && at < old_size; ++at)
            unchanged = data[static_cast<std::size_t>(jump.offset) + at].value == bytes[at];
    }
    if (unchanged)
        return {true, std::string(text), {}};
    // The glyph data, glyph by glyph where the old ones stood, when they followed one another.
    std::int64_t expected = 0;
    bool runs_on = true;
    for (const Jump& jump : layout->jumps) {
        if (jump.offset == kNoBitmap)
            continue;
        runs_on = runs_on && jump.offset == expected;
        expected += jump.size;
    }
    if (!runs_on || static_cast<std::size_t>(expected) != data.size())
        return {false, {}, "the glyph data of " + entry.name + " do not follow their table in order; Save as writes the font anew"};
    std::size_t old_at = 0;
    for (int k = 0; k < count; ++k) {
        const Jump& jump = layout->jumps[static_cast<std::size_t>(k)];
        const std::size_t old_size = jump.offset == kNoBitmap ? 0 : static_cast<std::size_t>(jump.size);
        const std::vector<std::int64_t>& bytes = encoded->glyphs[static_cast<std::size_t>(k)];
        if (old_size > 0 || !bytes.empty()) {
            if (old_size == 0 && old_at < data.size())
                edits.push_back({data[old_at].begin, data[old_at].begin, [&] {
                                     std::string written;
                                     for (std::int64_t byte : bytes)
                                         written += written_like(like, byte) + ",";
                                     return written;
                                 }()});
            else if (old_size == 0 && old_at > 0) {
                std::string written;
                for (std::int64_t byte : bytes)
                    written += "," + written_like(like, byte);
                edits.push_back({data[old_at - 1].end, data[old_at - 1].end, written});
            } else if (bytes.empty()) {
                const bool at_end = old_at + old_size == data.size();
                edits.push_back({at_end ? (old_at > 0 ? data[old_at - 1].end : data[old_at].begin) : data[old_at].begin,
                                 at_end ? data[old_at + old_size - 1].end : data[old_at + old_size].begin, ""});
            } else {
                edit_number_list(edits, text, data.subspan(old_at, old_size), bytes, array.open + 1, like, Wrap::None);
            }
        }
        old_at += old_size;
    }
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

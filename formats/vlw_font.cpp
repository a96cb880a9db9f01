#include "formats/vlw_font.h"
#include "formats/vlw_binary.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <optional>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::size_t kHeaderBytes = 24;
constexpr std::size_t kRecordBytes = 28;
constexpr std::int32_t kVersion = 11;
constexpr int kSetCoverage = 128;
constexpr char kFullCoverage = static_cast<char>(0xFF);

std::int32_t number_at(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t byte = 0; byte < 4; ++byte)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + byte]);
    return static_cast<std::int32_t>(value);
}

void put_number(std::string& out, std::int64_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((bits >> shift) & 0xFF);
}

enum Field { kCode, kHeight, kWidth, kAdvance, kTop, kLeft, kPad, kFields };  // kTop: dY, kLeft: dX

struct Record {
    std::array<std::int32_t, kFields> fields = {};
    std::size_t bitmap = 0;  // offset of its coverage bytes
};

struct VlwFile {
    std::array<std::int32_t, 6> header = {};  // count, version, size, 0, ascent, descent
    std::vector<Record> records;
    std::size_t trailer = 0;
    std::string name;
};

// The file's parts, or why it is no .vlw font.
std::optional<VlwFile> parse(std::string_view bytes, std::string& problem)
{
    if (bytes.size() < kHeaderBytes || number_at(bytes, 4) != kVersion) {
        problem = "the file does not begin with the header of a smooth font (.vlw, version 11)";
        return std::nullopt;
    }
    VlwFile file;
    for (std::size_t at = 0; at < file.header.size(); ++at)
        file.header[at] = number_at(bytes, at * 4);
    const std::int64_t count = file.header[0];
    if (count < 0 || count > kMaxGlyphs || kHeaderBytes + static_cast<std::size_t>(count) * kRecordBytes > bytes.size()) {
        problem = "the header gives " + to_decimal(count) + " glyphs, more records than the file holds";
        return std::nullopt;
    }
    std::size_t bitmap = kHeaderBytes + static_cast<std::size_t>(count) * kRecordBytes;
    for (std::int64_t index = 0; index < count; ++index) {
        Record record;
        for (std::size_t field = 0; field < kFields; ++field)
            record.fields[field] = number_at(bytes, kHeaderBytes + static_cast<std::size_t>(index) * kRecordBytes + field * 4);
        const auto& f = record.fields;
        if (f[kWidth] < 0 || f[kWidth] > 255 || f[kHeight] < 0 || f[kHeight] > 255 || f[kAdvance] < 0 || f[kAdvance] > 255
            || f[kLeft] < -128 || f[kLeft] > 127 || f[kTop] < -32768 || f[kTop] > 32767 || f[kCode] < 0 || f[kCode] > 0xFFFF) {
            problem = "glyph record " + to_decimal(index + 1) + " (code " + to_decimal(f[kCode]) + ") holds a value outside its "
                      "field (width, height and advance 0 to 255, codes 0 to 65535)";
            return std::nullopt;
        }
        record.bitmap = bitmap;
        bitmap += static_cast<std::size_t>(f[kWidth]) * static_cast<std::size_t>(f[kHeight]);
        if (bitmap > bytes.size()) {
            problem = "the coverage bytes of glyph record " + to_decimal(index + 1) + " run past the end of the file";
            return std::nullopt;
        }
        file.records.push_back(record);
    }
    file.trailer = bitmap;
    if (bytes.size() >= bitmap + 2) {
        const std::size_t length = (static_cast<unsigned char>(bytes[bitmap]) << 8) | static_cast<unsigned char>(bytes[bitmap + 1]);
        if (bitmap + 2 + length <= bytes.size())
            file.name = std::string(bytes.substr(bitmap + 2, length));
    }
    return file;
}

// Rows of a record's box on the scale whose row 0 is the base row (negative: above it).
// In 64 bits: the fields are any 32-bit numbers a file holds.
std::int64_t top_row(const Record& record) { return 1 - static_cast<std::int64_t>(record.fields[kTop]); }

bool has_box(const Record& record) { return record.fields[kWidth] > 0 && record.fields[kHeight] > 0; }

FontReadResult font_of(std::string_view bytes, const VlwFile& file, bool with_glyphs, int threshold = kSetCoverage)
{
    FontReadResult result;
    std::vector<const Record*> records;
    for (const Record& record : file.records)
        records.push_back(&record);
    std::stable_sort(records.begin(), records.end(), [](const Record* a, const Record* b) { return a->fields[kCode] < b->fields[kCode]; });
    const auto repeated = std::unique(records.begin(), records.end(),
                                      [](const Record* a, const Record* b) { return a->fields[kCode] == b->fields[kCode]; });
    if (repeated != records.end())
        result.warnings.push_back(counted(records.end() - repeated, "glyph has", "glyphs have")
                                  + " the code of an earlier one and " + (records.end() - repeated == 1 ? "is" : "are") + " left out");
    records.erase(repeated, records.end());
    // The cell holds every box, the origin and the line the header states.
    // In 64 bits, so that a box far out is refused by its size rather than wrapping around.
    std::int64_t left = 0;
    std::int64_t right = 1;
    std::int64_t top = std::min<std::int64_t>(0, 1 - static_cast<std::int64_t>(file.header[4]));
    std::int64_t bottom = std::max<std::int64_t>(0, file.header[5]);
    for (const Record* record : records) {
        if (!has_box(*record))
            continue;
        left = std::min<std::int64_t>(left, record->fields[kLeft]);
        right = std::max(right, static_cast<std::int64_t>(record->fields[kLeft]) + record->fields[kWidth]);
        top = std::min(top, top_row(*record));
        bottom = std::max(bottom, top_row(*record) + record->fields[kHeight] - 1);
    }
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top + 1;
    if (width > 255 || height > 255)
        return refused("the glyphs and the line span " + to_decimal(width) + " x " + to_decimal(height)
                       + " pixels around the origin; a font of up to 255 x 255 pixels can be read");
    Font& font = result.font;
    font.name = file.name;
    font.header = {static_cast<int>(width), static_cast<int>(height), records.empty() ? 0 : records.front()->fields[kCode], static_cast<std::int32_t>(records.size())};
    font.ascent = static_cast<int>(1 - top);
    font.descent = static_cast<int>(bottom);
    font.origin_x = static_cast<int>(-left);
    font.line_height = static_cast<int>(std::min<std::int64_t>(std::int64_t{std::max(file.header[4], 0)} + std::max(file.header[5], 0), INT_MAX));
    result.ok = true;
    if (!with_glyphs)
        return result;
    font.font_table.assign(std::max<std::size_t>(records.size(), 1), Glyph{});
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    const GlyphGrid blank = grid;
    for (std::size_t row = 0; row < records.size(); ++row) {
        const Record& record = *records[row];
        grid = blank;
        const int w = record.fields[kWidth];
        for (int r = 0; r < record.fields[kHeight]; ++r)
            for (int c = 0; c < w; ++c)
                if (static_cast<unsigned char>(bytes[record.bitmap + static_cast<std::size_t>(r * w + c)]) >= threshold)
                    grid.set(static_cast<int>(record.fields[kLeft] - left + c), static_cast<int>(top_row(record) - top + r), true);
        Glyph& glyph = font.font_table[row];
        glyph.code_point = static_cast<char32_t>(record.fields[kCode]);
        glyph.advance = record.fields[kAdvance];
        glyph.glyph_data = encode_glyph(grid);
    }
    return result;
}

// A glyph as a record and its coverage bytes.
struct Encoded {
    std::array<std::int32_t, kFields> fields = {};
    std::string coverage;
    bool operator==(const Encoded&) const = default;
};

// The glyph of table row `row` in its tight box at coverage 0 and 255.
Encoded encode_row(const Font& font, int row, GlyphGrid& grid)
{
    Encoded encoded;
    const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
    decode_glyph(glyph.glyph_data, grid);
    encoded.fields[kCode] = static_cast<std::int32_t>(glyph.code_point);
    encoded.fields[kAdvance] = glyph.advance;
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[kWidth] = ink.width;
    encoded.fields[kHeight] = ink.height;
    encoded.fields[kTop] = font.ascent - ink.y;
    encoded.fields[kLeft] = ink.x - font.origin_x;
    for (int r = 0; r < ink.height; ++r)
        for (int c = 0; c < ink.width; ++c)
            encoded.coverage += grid.at(ink.x + c, ink.y + r) == 1 ? kFullCoverage : '\0';
    return encoded;
}

// A record of the file as one colour draws it, in its tight box, to compare with a glyph encoded anew.
Encoded tight_of(std::string_view bytes, const Record& record)
{
    Encoded encoded;
    encoded.fields[kCode] = record.fields[kCode];
    encoded.fields[kAdvance] = record.fields[kAdvance];
    const int w = record.fields[kWidth];
    const int h = record.fields[kHeight];
    if (w <= 0 || h <= 0)
        return encoded;
    GlyphGrid grid(w, h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            grid.set(c, r, static_cast<unsigned char>(bytes[record.bitmap + static_cast<std::size_t>(r * w + c)]) >= kSetCoverage);
    const PixelArea ink = ink_area(grid);
    if (ink.empty())
        return encoded;
    encoded.fields[kWidth] = ink.width;
    encoded.fields[kHeight] = ink.height;
    encoded.fields[kTop] = record.fields[kTop] - ink.y;
    encoded.fields[kLeft] = record.fields[kLeft] + ink.x;
    for (int r = 0; r < ink.height; ++r)
        for (int c = 0; c < ink.width; ++c)
            encoded.coverage += grid.at(ink.x + c, ink.y + r) == 1 ? kFullCoverage : '\0';
    return encoded;
}

std::string file_of(const std::array<std::int32_t, 6>& header, const std::vector<Encoded>& glyphs, std::string_view trailer)
{
    std::string out;
    for (std::int32_t value : header)
        put_number(out, value);
    for (const Encoded& glyph : glyphs)
        for (std::int32_t value : glyph.fields)
            put_number(out, value);
    for (const Encoded& glyph : glyphs)
        out += glyph.coverage;
    out += trailer;
    return out;
}

std::string trailer_of(std::string_view name)
{
    std::string trailer;
    for (int copy = 0; copy < 2; ++copy) {
        const std::string_view part = name.substr(0, 0xFFFF);
        trailer += static_cast<char>((part.size() >> 8) & 0xFF);
        trailer += static_cast<char>(part.size() & 0xFF);
        trailer += part;
    }
    return trailer + '\0';  // not smoothed: every pixel is 0 or 255
}

}  // namespace

FontScan scan_vlw_binary(std::string_view bytes)
{
    FontScan scan;
    std::optional<VlwFile> file = parse(bytes, scan.refusal);
    if (!file)
        return scan;
    const FontReadResult read = font_of(bytes, *file, false);
    if (!read.ok) {
        scan.refusal = read.message;
        return scan;
    }
    scan.refusal.clear();
    FontEntry entry;
    entry.name = file->name;
    entry.header = read.font.header;
    entry.data_end = entry.end = bytes.size();
    scan.entries.push_back(std::move(entry));
    return scan;
}

FontReadResult read_vlw_binary(std::string_view bytes, const ReadOptions& options)
{
    std::string problem;
    std::optional<VlwFile> file = parse(bytes, problem);
    if (!file)
        return refused(problem);
    return font_of(bytes, *file, true, std::clamp(options.threshold.value_or(kSetCoverage), 0, 255));
}

std::string vlw_refusal(const Font& font)
{
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        const std::string name = "the glyph of " + code_point_text(glyph.code_point);
        if (glyph.code_point > 0xFFFF)
            return name + " has a code past 0xFFFF, the last a smooth font holds; BDF holds it";
        if (glyph.advance < 0 || glyph.advance > 255)
            return name + " advances " + to_decimal(glyph.advance) + " pixels; a smooth font holds 0 to 255";
        const Encoded encoded = encode_row(font, row, grid);
        if (encoded.fields[kLeft] < -128 || encoded.fields[kLeft] > 127)
            return name + " lies more than 128 pixels left or right of its origin, which a smooth font cannot hold; BDF holds it";
    }
    return {};
}

std::string write_vlw_font(const Font& font, std::string_view save_path)
{
    std::vector<Encoded> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row)
        glyphs.push_back(encode_row(font, row, grid));
    std::string name = font.name;
    if (name.empty()) {
        name = std::string(file_name_part(save_path));
        if (const std::string_view extension = file_extension(name); !extension.empty())
            name.resize(name.size() - extension.size() - 1);
    }
    const std::array<std::int32_t, 6> header = {static_cast<std::int32_t>(glyphs.size()), kVersion, font.ascent + font.descent, 0,
                                               font.ascent, font.descent};
    return file_of(header, glyphs, trailer_of(name));
}

InPlaceText vlw_binary_in_place(std::string_view bytes, const Font& font)
{
    if (std::string refusal = vlw_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    std::string problem;
    std::optional<VlwFile> file = parse(bytes, problem);
    if (!file)
        return {false, {}, problem};
    std::vector<Encoded> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    bool every_kept = static_cast<int>(file->records.size()) == glyph_count(font);
    for (int row = 0; row < glyph_count(font); ++row) {
        Encoded encoded = encode_row(font, row, grid);
        const auto old = std::find_if(file->records.begin(), file->records.end(),
                                      [&](const Record& record) { return record.fields[kCode] == encoded.fields[kCode]; });
        const bool kept = old != file->records.end() && tight_of(bytes, *old) == encoded;
        if (kept) {
            encoded.fields = old->fields;
            encoded.coverage = std::string(bytes.substr(old->bitmap, static_cast<std::size_t>(old->fields[kWidth]) * static_cast<std::size_t>(old->fields[kHeight])));
        }
        every_kept = every_kept && kept;
        glyphs.push_back(std::move(encoded));
    }
    if (every_kept)
        return {true, std::string(bytes), {}};
    std::array<std::int32_t, 6> header = file->header;
    header[0] = static_cast<std::int32_t>(glyphs.size());
    return {true, file_of(header, glyphs, bytes.substr(file->trailer)), {}};
}

}  // namespace glyphwright

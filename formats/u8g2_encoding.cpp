#include "formats/u8g2_encoding.h"

#include <algorithm>
#include <limits>

#include "text/text_primitives.h"

namespace glyphwright::u8g2 {

namespace {

constexpr int kMostRecordBytes = 254;
constexpr int kBlockRecords = 101;  // Unicode records a lookup table entry covers

class BitWriter {
public:
    void put(unsigned value, int count)
    {
        for (int bit = 0; bit < count; ++bit, ++m_bits) {
            if (m_bits % 8 == 0)
                m_bytes.push_back('\0');
            if (((value >> bit) & 1u) != 0)
                m_bytes.back() = static_cast<char>(static_cast<unsigned char>(m_bytes.back()) | (1u << (m_bits % 8)));
        }
    }
    void put_signed(int value, int count)
    {
        if (count > 0)
            put(static_cast<unsigned>(value + (1 << (count - 1))), count);
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
    std::size_t m_bits = 0;
};

// Binary digits of v (0 for 0), and of a signed field holding v.
int bits(int v)
{
    int count = 0;
    for (; v > 0; v >>= 1)
        ++count;
    return count;
}
int signed_bits(int v) { return v >= 0 ? bits(v) + 1 : bits(-v - 1) + 1; }
// The alternating runs of a box's pixels, zeros first, an even number of them.
std::vector<int> runs_of(const Glyph& glyph)
{
    std::vector<int> runs;
    bool value = false;
    int run = 0;
    for (bool pixel : glyph.pixels) {
        if (pixel != value) {
            runs.push_back(run);
            value = pixel;
            run = 0;
        }
        ++run;
    }
    runs.push_back(run);
    if (runs.size() % 2 != 0)
        runs.push_back(0);
    return runs;
}

// The pairs written for the runs with the largest run of each kind a field holds, each handed to
// `out`.
template <typename Out>
void for_each_pair(const std::vector<int>& runs, int most_zeros, int most_ones, Out out)
{
    for (std::size_t k = 0; k < runs.size(); k += 2) {
        int zeros = runs[k];
        int ones = runs[k + 1];
        for (; zeros > most_zeros; zeros -= most_zeros)
            out(most_zeros, 0);
        for (; ones > most_ones; ones -= most_ones) {
            out(zeros, most_ones);
            zeros = 0;
        }
        if (zeros != 0 || ones != 0)
            out(zeros, ones);
    }
}

// The bits of a glyph's runs with these run widths.
std::size_t run_bits(const std::vector<int>& runs, int bits_zero, int bits_one)
{
    std::size_t total = 1;  // the last repeat bit
    bool first = true;
    std::pair<int, int> previous;
    for_each_pair(runs, (1 << bits_zero) - 1, (1 << bits_one) - 1, [&](int zeros, int ones) {
        if (!first && previous == std::pair(zeros, ones)) {
            total += 1;
            return;
        }
        total += static_cast<std::size_t>((first ? 0 : 1) + bits_zero + bits_one);
        previous = {zeros, ones};
        first = false;
    });
    return total;
}

int field_bits(const std::array<int, kHeaderSize>& header)
{
    return header[kBitsWidth] + header[kBitsHeight] + header[kBitsX] + header[kBitsY] + header[kBitsAdvance];
}

std::string record_bytes(const Glyph& glyph, const std::vector<int>& runs, const std::array<int, kHeaderSize>& header)
{
    BitWriter writer;
    writer.put(static_cast<unsigned>(glyph.w), header[kBitsWidth]);
    writer.put(static_cast<unsigned>(glyph.h), header[kBitsHeight]);
    writer.put_signed(glyph.x, header[kBitsX]);
    writer.put_signed(glyph.y, header[kBitsY]);
    writer.put_signed(glyph.dx, header[kBitsAdvance]);
    if (glyph.w > 0) {
        bool first = true;
        std::pair<int, int> previous;
        const int bits_zero = header[kBitsPerZero];
        const int bits_one = header[kBitsPerOne];
        for_each_pair(runs, (1 << bits_zero) - 1, (1 << bits_one) - 1, [&](int zeros, int ones) {
            if (!first && previous == std::pair(zeros, ones)) {
                writer.put(1, 1);
                return;
            }
            if (!first)
                writer.put(0, 1);
            writer.put(static_cast<unsigned>(zeros), bits_zero);
            writer.put(static_cast<unsigned>(ones), bits_one);
            previous = {zeros, ones};
            first = false;
        });
        writer.put(0, 1);
    }
    std::string stream = writer.take();
    std::string record;
    if (glyph.code > 255) {
        record += static_cast<char>(glyph.code >> 8);
        record += static_cast<char>(glyph.code & 0xFF);
    } else {
        record += static_cast<char>(glyph.code);
    }
    record += static_cast<char>(record.size() + 1 + stream.size());
    return record + stream;
}

struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // columns [x0, x1), rows above the baseline [y0, y1)
};

// The font's box: the first glyph's, grown to hold every other one's and lowered on the left to an
// advance smaller than its edge.
Box font_box(const std::vector<Glyph>& glyphs)
{
    Box box;
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        const Glyph& g = glyphs[k];
        if (k == 0) {
            box = {g.x, g.y, g.x + g.w, g.y + g.h};
        } else {
            box.x0 = std::min(box.x0, g.x);
            box.y0 = std::min(box.y0, g.y);
            box.x1 = std::max(box.x1, g.x + g.w);
            box.y1 = std::max(box.y1, g.y + g.h);
        }
        box.x0 = std::min(box.x0, g.dx);
    }
    return box;
}

// A glyph's box as the build mode stores it: its own in mode 0; in mode 1 from the pen (ink left
// of it moved right onto it) and the font's height, at least its advance wide; in modes 2 and 3
// the font's common cell (3: both sides a multiple of 8). The advance stored is the width there.
Glyph stored(const Glyph& ink, int mode, const Box& box, int common_width)
{
    if (mode == 0)
        return ink;
    const int shift = mode == 1 ? std::max(0, -ink.x) : std::max(0, -box.x0);
    int height = box.y1 - box.y0;
    int width = mode == 1 ? std::max(ink.w == 0 ? 0 : ink.x + shift + ink.w, ink.dx) : common_width;
    if (mode == 3)
        height = (height + 7) / 8 * 8;
    Glyph out{ink.code, width, height, 0, box.y0, width, {}};
    if (width == 0 || height == 0)
        return {ink.code, 0, 0, 0, box.y0, width, {}};
    out.pixels.assign(static_cast<std::size_t>(width * height), false);
    for (int r = 0; r < ink.h; ++r)
        for (int c = 0; c < ink.w; ++c)
            if (ink.pixels[static_cast<std::size_t>(r * ink.w + c)]) {
                const int column = ink.x + shift + c;
                const int row = (box.y0 + height) - (ink.y + ink.h) + r;
                if (column >= 0 && column < width && row >= 0 && row < height)
                    out.pixels[static_cast<std::size_t>(row * width + column)] = true;
            }
    return out;
}

std::string name_of(char32_t code) { return "the glyph of " + code_point_text(code); }

}  // namespace

std::optional<std::string> encode_record(const Glyph& glyph, const std::array<int, kHeaderSize>& header)
{
    if (bits(glyph.w) > header[kBitsWidth] || bits(glyph.h) > header[kBitsHeight] || signed_bits(glyph.x) > header[kBitsX]
        || signed_bits(glyph.y) > header[kBitsY] || signed_bits(glyph.dx) > header[kBitsAdvance])
        return std::nullopt;
    std::string record = record_bytes(glyph, runs_of(glyph), header);
    if (record.size() > static_cast<std::size_t>(kMostRecordBytes))
        return std::nullopt;
    return record;
}

std::string assemble(const std::array<int, kHeaderSize>& fields, const std::vector<std::pair<char32_t, std::string>>& records)
{
    std::string bytes(kHeaderSize, '\0');
    for (int field = 0; field <= kDescentParen; ++field)
        bytes[static_cast<std::size_t>(field)] = static_cast<char>(fields[static_cast<std::size_t>(field)] & 0xFF);
    bytes[kGlyphCount] = static_cast<char>(records.size() & 0xFF);
    auto put_u16 = [&](std::size_t at, std::size_t value) {
        bytes[at] = static_cast<char>((value >> 8) & 0xFF);
        bytes[at + 1] = static_cast<char>(value & 0xFF);
    };
    std::size_t k = 0;
    for (; k < records.size() && records[k].first <= 255; ++k) {
        if (records[k].first == U'A')
            put_u16(17, bytes.size() - kHeaderSize);
        if (records[k].first == U'a')
            put_u16(19, bytes.size() - kHeaderSize);
        bytes += records[k].second;
    }
    bytes.append(2, '\0');
    put_u16(21, bytes.size() - kHeaderSize);
    const std::size_t unicode = records.size() - k;
    const std::size_t entries = std::max<std::size_t>(1, unicode / kBlockRecords);
    const std::size_t table = bytes.size();
    bytes.append(entries * 4, '\0');
    put_u16(table + entries * 4 - 4, entries * 4);
    put_u16(table + entries * 4 - 2, 0xFFFF);
    std::size_t entry = 0;
    std::size_t block_start = bytes.size();
    std::size_t previous_start = table;
    for (std::size_t n = 0; k < records.size(); ++k, ++n) {
        bytes += records[k].second;
        if ((n + 1) % kBlockRecords == 0 && entry < entries) {
            put_u16(table + 4 * entry, block_start - previous_start);
            if (entry + 1 < entries)
                put_u16(table + 4 * entry + 2, records[k].first);
            ++entry;
            previous_start = block_start;
            block_start = bytes.size();
        }
    }
    if (entry < entries)
        put_u16(table + 4 * entry, block_start - previous_start);
    bytes.append(2, '\0');
    return bytes;
}

std::string encode(std::vector<Glyph> glyphs, const Encoding& encoding, std::string& problem)
{
    std::vector<Glyph> inks;
    inks.reserve(glyphs.size());
    for (const Glyph& glyph : glyphs) {
        if (glyph.code > 0xFFFE) {
            problem = name_of(glyph.code) + " has a code past U+FFFE, the last a u8g2 font holds; the lvgl and bdf forms hold it";
            return {};
        }
        inks.push_back(reduced(glyph));
    }
    glyphs.clear();
    const Box box = font_box(inks);
    int common_width = 0;
    for (const Glyph& ink : inks)
        common_width = std::max({common_width, ink.dx, box.x1 + std::max(0, -box.x0)});
    if (encoding.mode == 3)
        common_width = (common_width + 7) / 8 * 8;
    std::vector<Glyph> boxes;
    boxes.reserve(inks.size());
    std::array<int, kHeaderSize> header{};
    header[kBuildMode] = encoding.mode;
    for (const Glyph& ink : inks) {
        boxes.push_back(stored(ink, encoding.mode, box, common_width));
        const Glyph& g = boxes.back();
        if (g.w > 127 || g.h > 127 || g.x < -128 || g.x > 127 || g.y < -128 || g.y > 127 || g.dx < -128 || g.dx > 127) {
            problem = name_of(g.code) + " has a box of " + to_decimal(g.w) + " x " + to_decimal(g.h) + " at " + to_decimal(g.x) + ", " + to_decimal(g.y)
                    + " advancing " + to_decimal(g.dx) + "; a u8g2 glyph holds up to 127 x 127 within -128 to 127; the lvgl and bdf forms hold it";
            return {};
        }
        header[kBitsWidth] = std::max(header[kBitsWidth], bits(g.w));
        header[kBitsHeight] = std::max(header[kBitsHeight], bits(g.h));
        header[kBitsX] = std::max(header[kBitsX], signed_bits(g.x));
        header[kBitsY] = std::max(header[kBitsY], signed_bits(g.y));
        header[kBitsAdvance] = std::max(header[kBitsAdvance], signed_bits(g.dx));
    }
    // The run widths that make the font smallest, the first of a tie, with every record short
    // enough for its length byte.
    std::vector<std::vector<int>> runs;
    runs.reserve(boxes.size());
    for (const Glyph& g : boxes)
        runs.push_back(g.w > 0 ? runs_of(g) : std::vector<int>{});
    const std::size_t fields = static_cast<std::size_t>(field_bits(header));
    std::size_t best = std::numeric_limits<std::size_t>::max();
    std::size_t fewest_longest = std::numeric_limits<std::size_t>::max();
    std::size_t longest_at = 0;
    for (int bits_zero = 2; bits_zero <= 8; ++bits_zero)
        for (int bits_one = 2; bits_one <= 6; ++bits_one) {
            std::size_t total = 0;
            std::size_t longest = 0;
            std::size_t longest_glyph = 0;
            for (std::size_t k = 0; k < boxes.size(); ++k) {
                const std::size_t stream = fields + (boxes[k].w > 0 ? run_bits(runs[k], bits_zero, bits_one) : 0);
                const std::size_t size = (boxes[k].code > 255 ? 3 : 2) + (stream + 7) / 8;
                total += size;
                if (size > longest) {
                    longest = size;
                    longest_glyph = k;
                }
            }
            if (longest <= static_cast<std::size_t>(kMostRecordBytes) && total < best) {
                best = total;
                header[kBitsPerZero] = bits_zero;
                header[kBitsPerOne] = bits_one;
            }
            if (longest < fewest_longest) {
                fewest_longest = longest;
                longest_at = longest_glyph;
            }
        }
    if (best == std::numeric_limits<std::size_t>::max()) {
        problem = name_of(boxes[longest_at].code) + " takes " + to_decimal(static_cast<std::int64_t>(fewest_longest))
                + " bytes as u8g2 runs, past the 254 a record holds; the lvgl and bdf forms hold it";
        return {};
    }
    header[kBoxWidth] = box.x1 - box.x0;
    header[kBoxHeight] = box.y1 - box.y0;
    header[kBoxX] = box.x0;
    header[kBoxY] = box.y0;
    // The reference heights from 'A' (else '1'), 'g' and '(' where the font has them.
    std::array<int, 4> references = encoding.references.value_or(std::array<int, 4>{0, 0, 0, 0});
    auto find = [&](char32_t code) -> const Glyph* {
        const auto at = std::lower_bound(inks.begin(), inks.end(), code, [](const Glyph& g, char32_t c) { return g.code < c; });
        return at != inks.end() && at->code == code ? &*at : nullptr;
    };
    const Glyph* a = find(U'A');
    const Glyph* one = find(U'1');
    if (a != nullptr || (!encoding.references && one != nullptr))
        references[0] = a != nullptr ? a->h + a->y : one->h + one->y;
    if (const Glyph* g = find(U'g'))
        references[1] = g->y;
    if (const Glyph* paren = find(U'(')) {
        references[2] = paren->h + paren->y;
        references[3] = paren->y;
    } else if (!encoding.references) {
        references[2] = references[0];
        references[3] = references[1];
    }
    for (int k = 0; k < 4; ++k)
        header[static_cast<std::size_t>(kAscentA + k)] = std::clamp(references[static_cast<std::size_t>(k)], -128, 127);
    std::vector<std::pair<char32_t, std::string>> records;
    records.reserve(boxes.size());
    for (std::size_t k = 0; k < boxes.size(); ++k)
        records.emplace_back(boxes[k].code, record_bytes(boxes[k], runs[k], header));
    return assemble(header, records);
}

}  // namespace glyphwright::u8g2

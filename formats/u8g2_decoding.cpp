#include "formats/u8g2_encoding.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright::u8g2 {

namespace {

class BitReader {
public:
    BitReader(std::string_view bytes, std::size_t begin, std::size_t end) : m_bytes(bytes), m_at(begin * 8), m_end(end * 8) {}

    unsigned get(int count)
    {
        unsigned value = 0;
        for (int bit = 0; bit < count; ++bit, ++m_at) {
            if (m_at >= m_end) {
                m_failed = true;
                return 0;
            }
            value |= ((static_cast<unsigned char>(m_bytes[m_at / 8]) >> (m_at % 8)) & 1u) << bit;
        }
        return value;
    }
    int get_signed(int count) { return count == 0 ? 0 : static_cast<int>(get(count)) - (1 << (count - 1)); }
    bool failed() const { return m_failed; }

private:
    std::string_view m_bytes;
    std::size_t m_at;
    std::size_t m_end;
    bool m_failed = false;
};

int u8(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
int u16(std::string_view bytes, std::size_t at) { return u8(bytes, at) * 256 + u8(bytes, at + 1); }

// The glyph of a record's bit stream, from after its code and length to its end.
std::optional<Glyph> glyph_of(std::string_view bytes, std::size_t begin, std::size_t end, const std::array<int, kHeaderSize>& header)
{
    BitReader reader(bytes, begin, end);
    Glyph glyph;
    glyph.w = static_cast<int>(reader.get(header[kBitsWidth]));
    glyph.h = static_cast<int>(reader.get(header[kBitsHeight]));
    glyph.x = reader.get_signed(header[kBitsX]);
    glyph.y = reader.get_signed(header[kBitsY]);
    glyph.dx = reader.get_signed(header[kBitsAdvance]);
    if (reader.failed())
        return std::nullopt;
    if (glyph.w == 0)
        return glyph;
    const std::size_t total = static_cast<std::size_t>(glyph.w) * static_cast<std::size_t>(glyph.h);
    glyph.pixels.assign(total, false);
    std::size_t at = 0;
    while (at < total) {
        const unsigned zeros = reader.get(header[kBitsPerZero]);
        const unsigned ones = reader.get(header[kBitsPerOne]);
        do {
            at = std::min(total, at + zeros);
            for (unsigned one = 0; one < ones && at < total; ++one)
                glyph.pixels[at++] = true;
        } while (reader.get(1) != 0 && !reader.failed());
        if (reader.failed())
            return std::nullopt;
    }
    return glyph;
}

}  // namespace

Glyph reduced(const Glyph& glyph)
{
    int left = glyph.w, right = -1, top = glyph.h, bottom = -1;
    for (int r = 0; r < glyph.h; ++r)
        for (int c = 0; c < glyph.w; ++c)
            if (glyph.pixels[static_cast<std::size_t>(r * glyph.w + c)]) {
                left = std::min(left, c);
                right = std::max(right, c);
                top = std::min(top, r);
                bottom = std::max(bottom, r);
            }
    if (right < 0)
        return {glyph.code, 0, 0, 0, 0, glyph.dx, {}};
    Glyph out{glyph.code, right - left + 1, bottom - top + 1, glyph.x + left, glyph.y + (glyph.h - 1 - bottom), glyph.dx, {}};
    out.pixels.reserve(static_cast<std::size_t>(out.w * out.h));
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            out.pixels.push_back(glyph.pixels[static_cast<std::size_t>(r * glyph.w + c)]);
    return out;
}

Decoded decode(std::string_view bytes)
{
    Decoded decoded;
    if (bytes.size() < kHeaderSize + 2) {
        decoded.problem = "it holds " + to_decimal(static_cast<std::int64_t>(bytes.size())) + " bytes, fewer than a u8g2 font's header and lists";
        return decoded;
    }
    for (int field = 0; field <= kDescentParen; ++field)
        decoded.header[static_cast<std::size_t>(field)] = field >= kBoxWidth ? static_cast<int>(static_cast<signed char>(bytes[static_cast<std::size_t>(field)]))
                                                                            : u8(bytes, static_cast<std::size_t>(field));
    const auto& h = decoded.header;
    if (h[kBitsPerZero] < 1 || h[kBitsPerZero] > 8 || h[kBitsPerOne] < 1 || h[kBitsPerOne] > 8 || h[kBitsWidth] > 8 || h[kBitsHeight] > 8
        || h[kBitsX] > 8 || h[kBitsY] > 8 || h[kBitsAdvance] > 8 || h[kBuildMode] > 3) {
        decoded.problem = "its header's field widths are not those of a u8g2 font";
        return decoded;
    }
    auto add = [&](char32_t code, std::size_t begin, std::size_t stream, std::size_t size) {
        std::optional<Glyph> glyph = glyph_of(bytes, stream, begin + size, h);
        if (!glyph) {
            decoded.problem = "the record of " + code_point_text(code) + " ends before its pixels";
            return false;
        }
        glyph->code = code;
        decoded.records.push_back({std::move(*glyph), begin, size});
        return true;
    };
    std::size_t at = kHeaderSize;
    int previous = -1;
    for (;;) {
        if (at + 2 > bytes.size()) {
            decoded.problem = "the list of codes up to 255 has no end";
            return decoded;
        }
        const int code = u8(bytes, at);
        const std::size_t size = static_cast<std::size_t>(u8(bytes, at + 1));
        if (size == 0)
            break;
        if (size < 3 || at + size > bytes.size() || code <= previous) {
            decoded.problem = size < 3 || at + size > bytes.size() ? "the record of " + code_point_text(static_cast<char32_t>(code)) + " runs past the font"
                                                                : code_point_text(static_cast<char32_t>(code)) + " is out of code order";
            return decoded;
        }
        if (!add(static_cast<char32_t>(code), at, at + 2, size))
            return decoded;
        previous = code;
        at += size;
    }
    at = kHeaderSize + static_cast<std::size_t>(u16(bytes, 21));
    // The lookup table, to its entry of code 0xFFFF; the records follow it.
    for (;;) {
        if (at + 4 > bytes.size()) {
            decoded.problem = "the Unicode lookup table has no end";
            return decoded;
        }
        at += 4;
        if (u16(bytes, at - 2) == 0xFFFF)
            break;
    }
    for (;;) {
        if (at + 2 > bytes.size()) {
            decoded.problem = "the list of codes past 255 has no end";
            return decoded;
        }
        const int code = u16(bytes, at);
        if (code == 0)
            break;
        const std::size_t size = at + 3 <= bytes.size() ? static_cast<std::size_t>(u8(bytes, at + 2)) : 0;
        if (size < 4 || at + size > bytes.size() || code <= std::max(previous, 255)) {
            decoded.problem = size < 4 || at + size > bytes.size() ? "the record of " + code_point_text(static_cast<char32_t>(code)) + " runs past the font"
                                                                : code_point_text(static_cast<char32_t>(code)) + " is out of code order";
            return decoded;
        }
        if (!add(static_cast<char32_t>(code), at, at + 3, size))
            return decoded;
        previous = code;
        at += size;
    }
    return decoded;
}

}  // namespace glyphwright::u8g2

#pragma once

// The bytes of a u8g2 font: a 23-byte header, glyph records of codes up to 255, then a lookup
// table and the records of higher codes. A record is its code, its length and a bit stream, least
// significant bit first: the box's size, its place from the pen and the baseline, the advance, and
// the box's pixels as pairs of runs of zeros and ones, a pair repeated by a bit. Shared by the
// u8g2 reader and writer only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright::u8g2 {

inline constexpr std::size_t kHeaderSize = 23;

// The header's fields, by their offsets.
enum HeaderField {
    kGlyphCount, kBuildMode, kBitsPerZero, kBitsPerOne, kBitsWidth, kBitsHeight, kBitsX, kBitsY, kBitsAdvance,
    kBoxWidth, kBoxHeight, kBoxX, kBoxY, kAscentA, kDescentG, kAscentParen, kDescentParen,
};

// A glyph as a record holds it: its box (w x h, its bottom-left x right of the pen and y above the
// baseline), its advance, and its pixels row by row from the top.
struct Glyph {
    char32_t code = 0;
    int w = 0;
    int h = 0;
    int x = 0;
    int y = 0;
    int dx = 0;
    std::vector<bool> pixels;  // w * h

    bool operator==(const Glyph&) const = default;
};

// A record as it stands in the bytes.
struct Record {
    Glyph glyph;
    std::size_t begin = 0;  // of its code
    std::size_t size = 0;   // the whole record
};

struct Decoded {
    std::array<int, kHeaderSize> header{};  // bytes 0 to 16 as the fields read them (signed where they are)
    std::vector<Record> records;            // in the order of the bytes: codes to 255, then the others
    std::string problem;                    // when the bytes are no font: why
};

// The font of the bytes; a problem names the first thing that does not agree.
Decoded decode(std::string_view bytes);

// How glyphs are written: the build mode (0 each its own box, 1 a common height, 2 monospace, 3
// cells a multiple of 8) and the header's reference heights where the glyphs they come from are
// not in the font.
struct Encoding {
    int mode = 0;
    std::optional<std::array<int, 4>> references;  // ascent of 'A', descent of 'g', of '(' both
};

// The bytes of a font of the glyphs, in code order, each given with its ink's tight box (w = h = 0
// when blank): the boxes the mode asks for, the field widths from their maxima, the run widths
// that make the font smallest, the header and the lookup table. A glyph the form cannot hold is
// named in `problem` and no bytes are given.
std::string encode(std::vector<Glyph> glyphs, const Encoding& encoding, std::string& problem);

// The bytes of a font whose records are `records`, each already encoded with the field and run
// widths of `header`, in code order: the lists, the lookup table and the header's counts and
// offsets around them; `header` gives the rest.
std::string assemble(const std::array<int, kHeaderSize>& header, const std::vector<std::pair<char32_t, std::string>>& records);

// One glyph's record with the widths of `header`, its box as the glyph gives it; none when a
// field does not fit its width or the record passes 254 bytes.
std::optional<std::string> encode_record(const Glyph& glyph, const std::array<int, kHeaderSize>& header);

// The glyph's ink in its tightest box (a blank glyph: w = h = 0 at x 0, y 0).
Glyph reduced(const Glyph& glyph);

}  // namespace glyphwright::u8g2

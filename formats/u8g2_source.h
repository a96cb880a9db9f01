#pragma once

// A u8g2 font as a C source holds it: an array initialised by string literals, its bytes and where
// they stand, and the literals that write bytes back in the manner of the library's converter.
// Shared by the u8g2 reader, writer and save in place only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/source_edits.h"
#include "formats/u8g2_encoding.h"
#include "model/font.h"

namespace glyphwright::u8g2 {

inline constexpr std::size_t kPieceBytes = 32;

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

// Every «NAME[...] ... = "..." "...";» of the text, in order; `only` keeps the one whose name
// stands there.
std::vector<StringArray> string_arrays(std::string_view text, std::optional<std::size_t> only = std::nullopt);

// The literals of a font's bytes (its last, zero byte left to the terminator), `per_piece` bytes
// a literal joined by `joint`, escaped as the library's converter escapes them.
std::string literals_text(std::string_view bytes, std::size_t per_piece, std::string_view joint);

// A glyph of the font as u8g2 draws it: its pixels from the pen and the baseline, and its advance.
struct Drawn {
    int dx = 0;
    std::vector<std::pair<int, int>> pixels;  // (y above the baseline, x right of the pen), rising
    bool operator==(const Drawn&) const = default;
};

Drawn drawn_of(const Glyph& glyph);

// The font's glyphs, each as a box of its whole cell.
std::vector<Glyph> glyphs_of(const glyphwright::Font& font);

}  // namespace glyphwright::u8g2

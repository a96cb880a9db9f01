#pragma once

// How the GFX writers lay a font out: each glyph in its tight box as a GFXglyph record and its
// bitmap bytes, the bytes 12 a line and the records padded as fontconvert pads them. Shared by
// the whole-file writer and the in-place writer only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/gfx_source.h"
#include "model/font.h"
#include "model/glyph_grid.h"

namespace glyphwright::gfx {

// One glyph as a GFXglyph record and its bitmap bytes.
struct Encoded {
    std::array<int, kRecordFields> fields = {0, 0, 0, 0, 0, 1};
    std::vector<std::uint8_t> bytes;
    bool kept = false;  // the record and bytes of the source, as they were
    bool operator==(const Encoded&) const = default;
};

// The glyph of table row `row` (none: a code without a glyph) with its tight box.
Encoded encode_glyph_row(const Font& font, int row, GlyphGrid& grid);

// Every glyph of the font by code, from its first code to its last, with the running offsets. With
// a source, a glyph that draws as its record there does keeps that record and its bytes.
std::vector<Encoded> encode_font(const Font& font, const GfxSource* source);

// The bitmap's bytes from the line after "{" to before "}", and the records likewise, each but the
// last with its code and character in a comment.
std::string bitmap_body(const std::vector<Encoded>& glyphs);
std::string records_body(const std::vector<Encoded>& glyphs, std::int64_t first);

// «0x41 'A'»: a code as the records' comments give it; «0x41»: as the GFXfont record gives it.
std::string code_comment(std::int64_t code);
std::string code_text(std::int64_t code);

// yAdvance: the line height the font states, else its cell's height.
int line_height_of(const Font& font);

}  // namespace glyphwright::gfx

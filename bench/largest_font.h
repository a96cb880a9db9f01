#pragma once

// The largest font a header can describe with whole-byte rows: 255 glyphs of 248 x 255 pixels,
// about 10 MB as C and 4.5 MB as DefineFont, with random pixels and a comment on every glyph.

#include <random>

#include "formats/font_file.h"
#include "model/font_model.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright::bench {

inline constexpr int kLargestWidth = 248;
inline constexpr int kLargestHeight = 255;
inline constexpr int kLargestCount = 255;

inline FontModel largest_font()
{
    std::mt19937 random(11);
    FontModel font;
    font.header = {kLargestWidth, kLargestHeight, 0, kLargestCount};
    set_fixed_metrics(font);
    font.header_bytes_text = "0xF8,0xFF,0x00,0xFF,";
    int bytes = glyph_byte_count(kLargestWidth, kLargestHeight);
    for (int row = 0; row < kLargestCount; ++row) {
        std::string& text = font.font_table[static_cast<std::size_t>(row)].glyph_data;
        text.reserve(static_cast<std::size_t>(bytes) * 5);
        for (int byte = 0; byte < bytes; ++byte)
            append_byte_field(text, static_cast<int>(random() % 256));
        font.font_table[static_cast<std::size_t>(row)].comment = " // " + character_label(row);
    }
    return font;
}

}  // namespace glyphwright::bench

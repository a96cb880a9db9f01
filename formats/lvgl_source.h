#pragma once

// An LVGL font as it stands in a source: its lv_font_t, the lv_font_fmt_txt_dsc_t it points to,
// the bitmap, the glyph descriptors and the character maps, each number with its bytes in the
// text, as the compiler sees them (#if blocks evaluated with the file's own macros; a conditional
// around the whole font is taken as true). Shared by the lvgl reader and writer only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/source_edits.h"

namespace glyphwright::lvgl {

enum GlyphField { kBitmapIndex, kAdvance, kBoxWidth, kBoxHeight, kOffsetX, kOffsetY, kGlyphFields };

struct GlyphRecord {
    std::array<SourceNumber, kGlyphFields> fields;
    bool complete = true;
    std::size_t line = 0;
};

enum class CmapType { Format0Tiny, Format0Full, SparseTiny, SparseFull };

struct Cmap {
    std::int64_t range_start = 0;
    std::int64_t range_length = 0;
    std::int64_t glyph_id_start = 0;
    CmapType type = CmapType::Format0Tiny;
    std::vector<std::int64_t> unicode_list;  // SPARSE: the codes less range_start
    std::vector<std::int64_t> id_list;       // FULL: glyph id offsets
    std::size_t line = 0;
};

struct LvglSource {
    std::string name;            // the lv_font_t's
    std::size_t font_start = 0;  // the lv_font_t's type name, which identifies the font
    std::size_t font_line = 0;
    std::optional<SourceNumber> line_height;
    std::optional<SourceNumber> base_line;
    std::int64_t bpp = 1;
    std::int64_t bitmap_format = 0;
    std::int64_t stride = 0;  // bytes a row are rounded up to; 0: rows not padded
    std::size_t bitmap_open = 0;  // "{" of the bitmap
    std::size_t bitmap_close = 0;  // its "}"
    std::size_t bitmap_line = 0;
    std::vector<SourceNumber> bitmap;
    std::vector<GlyphRecord> glyphs;  // glyph id 0 included
    std::vector<Cmap> cmaps;
    std::size_t begin = 0;  // the line of the bitmap's declaration
    std::size_t end = 0;    // past the line of the lv_font_t's closing "};"
    std::vector<std::string> warnings;
};

struct LvglFound {
    std::optional<LvglSource> source;
    std::string refusal;  // "line N: why"
};

// Every lv_font_t of a text with a format-text descriptor; `only` keeps the one whose type name
// stands there.
std::vector<LvglFound> find_lvgl_sources(std::string_view text, std::optional<std::size_t> only = std::nullopt);

// The glyph id of each code the maps give, in code order: the first map whose range holds a code
// decides, except that a FORMAT0_FULL map's 0 sends the search on.
std::vector<std::pair<char32_t, std::int64_t>> glyph_ids(const std::vector<Cmap>& cmaps);

}  // namespace glyphwright::lvgl

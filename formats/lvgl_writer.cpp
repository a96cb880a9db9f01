// Writing LVGL fonts: whole files as LVGL's converter lays them out, and saves in place.

#include <algorithm>
#include <array>
#include <deque>
#include <map>

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/lvgl_font.h"
#include "formats/lvgl_encoding.h"
#include "formats/lvgl_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

using lvgl::CmapType;
using lvgl::Encoded;
using lvgl::encode_row;
using lvgl::hex;
using lvgl::number_lines;
using lvgl::GlyphRecord;
using lvgl::LvglFound;
using lvgl::LvglSource;

namespace {

constexpr std::string_view kWiderForms = "the bdf form holds it";
constexpr std::int64_t kLargestBitmap = std::int64_t{1} << 20;

std::vector<Encoded> encode_font(const Font& font)
{
    std::vector<Encoded> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::int64_t offset = 0;
    for (int row = 0; row < glyph_count(font); ++row) {
        glyphs.push_back(encode_row(font, row, grid));
        glyphs.back().fields[lvgl::kBitmapIndex] = offset;
        offset += static_cast<std::int64_t>(glyphs.back().bytes.size());
    }
    return glyphs;
}

// «U+0041 "A"», as the converter comments a glyph's bytes.
std::string code_comment(char32_t code)
{
    std::string hex_digits = code_point_text(code);
    std::string character;
    if (code == U'"' || code == U'\\')
        character = std::string("\\") + static_cast<char>(code);
    else if (code >= 0x20)
        character = utf8_of(code);
    return hex_digits + " \"" + character + "\"";
}

std::string record_text(const std::array<std::int64_t, lvgl::kGlyphFields>& f)
{
    return "{.bitmap_index = " + to_decimal(f[lvgl::kBitmapIndex]) + ", .adv_w = " + to_decimal(f[lvgl::kAdvance]) + ", .box_w = "
         + to_decimal(f[lvgl::kBoxWidth]) + ", .box_h = " + to_decimal(f[lvgl::kBoxHeight]) + ", .ofs_x = " + to_decimal(f[lvgl::kOffsetX])
         + ", .ofs_y = " + to_decimal(f[lvgl::kOffsetY]) + "}";
}

// One character map as the converter splits the codes: its kind and the codes it covers.
struct Slice {
    std::size_t begin = 0;  // positions in the sorted codes
    std::size_t end = 0;
    CmapType type = CmapType::SparseTiny;
};

// The converter's split: the fewest estimated bytes over consecutive slices, FORMAT0_TINY 16 for a
// run of codes spanning under 256, FORMAT0_FULL 16 + span (span under 256), SPARSE_TINY 16 + 2 a
// code (span under 65,536). A sparse slice costs the same per code however it is cut, so its best
// start for each end is found with a sliding minimum rather than by trying every start.
std::vector<Slice> split_codes(const std::vector<char32_t>& codes)
{
    const std::size_t n = codes.size();
    constexpr std::int64_t kNone = INT64_MAX / 4;
    std::vector<std::int64_t> cost(n + 1, kNone);
    std::vector<Slice> best(n + 1);
    cost[0] = 0;
    std::deque<std::size_t> window;  // starts by rising cost[s] - 2 s
    std::size_t nearest = 0;  // the first start whose codes span under 256 to the current end
    for (std::size_t end = 1; end <= n; ++end) {
        const std::size_t start_new = end - 1;
        while (!window.empty() && cost[window.back()] - 2 * static_cast<std::int64_t>(window.back())
                                      > cost[start_new] - 2 * static_cast<std::int64_t>(start_new))
            window.pop_back();
        window.push_back(start_new);
        while (codes[end - 1] - codes[window.front()] >= 65536)
            window.pop_front();
        // Ties go to the earlier start, then to the kind tried first, as the converter's do.
        auto consider = [&](std::int64_t candidate, std::size_t start, CmapType type) {
            const Slice& chosen = best[end];
            if (candidate < cost[end] || (candidate == cost[end] && (start < chosen.begin || (start == chosen.begin && type < chosen.type)))) {
                cost[end] = candidate;
                best[end] = {start, end, type};
            }
        };
        const std::size_t sparse_start = window.front();
        consider(cost[sparse_start] + 16 + 2 * static_cast<std::int64_t>(end - sparse_start), sparse_start, CmapType::SparseTiny);
        while (codes[end - 1] - codes[nearest] >= 256)
            ++nearest;
        for (std::size_t start = nearest; start < end; ++start) {
            const std::int64_t span = codes[end - 1] - codes[start] + 1;
            if (span == static_cast<std::int64_t>(end - start))
                consider(cost[start] + 16, start, CmapType::Format0Tiny);
            consider(cost[start] + 16 + span, start, CmapType::Format0Full);
        }
    }
    std::vector<Slice> slices;
    for (std::size_t end = n; end > 0; end = best[end].begin)
        slices.push_back(best[end]);
    std::reverse(slices.begin(), slices.end());
    return slices;
}

std::string cmaps_text(const std::vector<char32_t>& codes, std::string& lists)
{
    constexpr std::array<std::string_view, 4> kTypeNames = {"LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY", "LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL",
                                                           "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY", "LV_FONT_FMT_TXT_CMAP_SPARSE_FULL"};
    const std::vector<Slice> slices = split_codes(codes);
    std::string out;
    for (std::size_t index = 0; index < slices.size(); ++index) {
        const Slice& slice = slices[index];
        const std::int64_t start = codes[slice.begin];
        const std::int64_t span = static_cast<std::int64_t>(codes[slice.end - 1]) - start + 1;
        std::string unicode_list = "NULL";
        std::string id_list = "NULL";
        std::int64_t list_length = 0;
        if (slice.type == CmapType::SparseTiny) {
            std::vector<std::int64_t> offsets;
            for (std::size_t at = slice.begin; at < slice.end; ++at)
                offsets.push_back(static_cast<std::int64_t>(codes[at]) - start);
            unicode_list = "unicode_list_" + to_decimal(static_cast<std::int64_t>(index));
            lists += "static const uint16_t " + unicode_list + "[] = {\n" + number_lines(offsets, lvgl::Written::Offsets) + "};\n\n";
            list_length = static_cast<std::int64_t>(offsets.size());
        } else if (slice.type == CmapType::Format0Full) {
            std::vector<std::int64_t> ids(static_cast<std::size_t>(span), 0);
            for (std::size_t at = slice.begin; at < slice.end; ++at)
                ids[static_cast<std::size_t>(codes[at] - start)] = static_cast<std::int64_t>(at - slice.begin);
            id_list = "glyph_id_ofs_list_" + to_decimal(static_cast<std::int64_t>(index));
            lists += "static const uint8_t " + id_list + "[] = {\n" + number_lines(ids, lvgl::Written::Decimal) + "};\n\n";
            list_length = span;
        }
        out += std::string(index == 0 ? "" : ",\n") + "    {\n        .range_start = " + to_decimal(start) + ", .range_length = " + to_decimal(span)
             + ", .glyph_id_start = " + to_decimal(static_cast<std::int64_t>(slice.begin) + 1) + ",\n        .unicode_list = " + unicode_list
             + ", .glyph_id_ofs_list = " + id_list + ", .list_length = " + to_decimal(list_length) + ", .type = "
             + std::string(kTypeNames[static_cast<std::size_t>(slice.type)]) + "\n    }";
    }
    return out + "\n";
}

std::string guard_of(std::string_view name)
{
    std::string guard = to_upper(name);
    return guard;
}

}  // namespace

std::string lvgl_refusal(const Font& font)
{
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        if (glyph.advance < 0)
            return "the glyph of " + code_point_text(glyph.code_point) + " advances " + to_decimal(glyph.advance)
                 + " pixels, to the left, which an LVGL glyph cannot; " + std::string(kWiderForms);
    }
    return {};
}

bool needs_large_descriptors(const Font& font)
{
    const std::vector<Encoded> glyphs = encode_font(font);
    return std::any_of(glyphs.begin(), glyphs.end(), [](const Encoded& glyph) { return lvgl::needs_large_descriptor(glyph); })
        || (!glyphs.empty() && glyphs.back().fields[lvgl::kBitmapIndex] + static_cast<std::int64_t>(glyphs.back().bytes.size()) > kLargestBitmap);
}

std::string write_lvgl_font(const Font& font, std::string_view save_path)
{
    const std::string name = c_array_name(font, save_path);
    const std::string guard = guard_of(name);
    const std::vector<Encoded> glyphs = encode_font(font);
    std::vector<char32_t> codes;
    for (int row = 0; row < glyph_count(font); ++row)
        codes.push_back(font.font_table[static_cast<std::size_t>(row)].code_point);
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
    for (const Encoded& glyph : glyphs) {
        lowest = std::min(lowest, glyph.fields[lvgl::kOffsetY]);
        highest = std::max(highest, glyph.fields[lvgl::kOffsetY] + glyph.fields[lvgl::kBoxHeight]);
    }
    const bool inked = std::any_of(glyphs.begin(), glyphs.end(), [](const Encoded& glyph) { return !glyph.bytes.empty(); });
    // The converter's line holds every box; a font that states a taller line (unscii's 9 rows for
    // boxes of 8) keeps it.
    const std::int64_t line_height = std::max<std::int64_t>(inked ? highest - lowest : font.ascent + font.descent, font.line_height);
    const std::int64_t base_line = inked ? -lowest : font.descent;

    std::string out = "/*******************************************************************************\n * Size: " + to_decimal(line_height)
                    + " px\n * Bpp: 1\n * Opts: written by Glyphwright from " + std::string(file_name_part(save_path)) + "\n"
                    + " ******************************************************************************/\n\n"
                      "#ifdef __has_include\n    #if __has_include(\"lvgl.h\")\n        #ifndef LV_LVGL_H_INCLUDE_SIMPLE\n"
                      "            #define LV_LVGL_H_INCLUDE_SIMPLE\n        #endif\n    #endif\n#endif\n\n"
                      "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n    #include \"lvgl.h\"\n#else\n    #include \"lvgl/lvgl.h\"\n#endif\n\n"
                    + (needs_large_descriptors(font) ? "#if (LV_FONT_FMT_TXT_LARGE == 0)\n    #error \"Too large font or glyphs in " + guard
                                                           + ". Enable LV_FONT_FMT_TXT_LARGE in lv_conf.h\"\n#endif\n\n" : std::string())
                    + "#ifndef " + guard + "\n    #define " + guard + " 1\n#endif\n\n#if " + guard + "\n\n"
                      "/*-----------------\n *    BITMAPS\n *----------------*/\n\n/*Store the image of the glyphs*/\n"
                      "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";
    bool first = true;
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        if (glyphs[index].bytes.empty())
            continue;
        out += std::string(first ? "" : ",\n\n") + "    /* " + code_comment(codes[index]) + " */\n";
        std::string lines = number_lines(glyphs[index].bytes, lvgl::Written::Bytes);
        lines.pop_back();
        out += lines;
        first = false;
    }
    if (first)
        out += "    0x00";
    out += "\n};\n\n\n/*---------------------\n *  GLYPH DESCRIPTION\n *--------------------*/\n\n"
           "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
           "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0} /* id = 0 reserved */";
    for (const Encoded& glyph : glyphs)
        out += ",\n    " + record_text(glyph.fields);
    std::string lists;
    const std::string cmaps = codes.empty() ? std::string() : cmaps_text(codes, lists);
    out += "\n};\n\n/*---------------------\n *  CHARACTER MAPPING\n *--------------------*/\n\n" + lists
         + "\n\n/*Collect the unicode lists and glyph_id offsets*/\nstatic const lv_font_fmt_txt_cmap_t cmaps[] = {\n"
         + (cmaps.empty() ? "    {\n        .range_start = 0, .range_length = 0, .glyph_id_start = 1,\n        .unicode_list = NULL, .glyph_id_ofs_list = NULL, "
                             ".list_length = 0, .type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY\n    }\n"
                           : cmaps) + "};\n\n\n\n/*--------------------\n *  ALL CUSTOM DATA\n *--------------------*/\n\n"
           "#if LVGL_VERSION_MAJOR == 8\n    /*Store all the custom data of the font*/\n    static  lv_font_fmt_txt_glyph_cache_t cache;\n#endif\n\n"
           "#if LVGL_VERSION_MAJOR >= 8\nstatic const lv_font_fmt_txt_dsc_t font_dsc = {\n#else\nstatic lv_font_fmt_txt_dsc_t font_dsc = {\n#endif\n"
           "    .glyph_bitmap = glyph_bitmap,\n    .glyph_dsc = glyph_dsc,\n    .cmaps = cmaps,\n    .kern_dsc = NULL,\n    .kern_scale = 0,\n"
           "    .cmap_num = " + to_decimal(codes.empty() ? 1 : static_cast<std::int64_t>(split_codes(codes).size()))
         + ",\n    .bpp = 1,\n    .kern_classes = 0,\n    .bitmap_format = 0,\n#if LVGL_VERSION_MAJOR == 8\n    .cache = &cache\n#endif\n\n};\n\n\n\n"
           "/*-----------------\n *  PUBLIC FONT\n *----------------*/\n\n/*Initialize a public general font descriptor*/\n"
           "#if LVGL_VERSION_MAJOR >= 8\nconst lv_font_t " + name + " = {\n#else\nlv_font_t " + name + " = {\n#endif\n"
           "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,    /*Function pointer to get glyph's data*/\n"
           "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,    /*Function pointer to get glyph's bitmap*/\n"
           "    .line_height = " + to_decimal(line_height) + ",          /*The maximum line height required by the font*/\n"
           "    .base_line = " + to_decimal(base_line) + ",             /*Baseline measured from the bottom of the line*/\n"
           "#if LV_VERSION_CHECK(9, 6, 0) || LVGL_VERSION_MAJOR >= 10\n    .cap_height = 0,           /*Cap height of the font*/\n"
           "    .x_height = 0,               /*x-height of the font*/\n#endif\n"
           "#if !(LVGL_VERSION_MAJOR == 6 && LVGL_VERSION_MINOR == 0)\n    .subpx = LV_FONT_SUBPX_NONE,\n#endif\n"
           "#if LV_VERSION_CHECK(7, 4, 0) || LVGL_VERSION_MAJOR >= 8\n    .underline_position = 0,\n    .underline_thickness = 0,\n#endif\n\n"
           "#if LV_VERSION_CHECK(9, 3, 0)\n    .static_bitmap = 1,    /*Bitmaps are stored as const so they are always static if not compressed */\n#endif\n\n"
           "    .dsc = &font_dsc,          /*The custom font data. Will be accessed by `get_glyph_bitmap/dsc` */\n"
           "#if LV_VERSION_CHECK(8, 2, 0) || LVGL_VERSION_MAJOR >= 9\n    .fallback = NULL,\n#endif\n    .user_data = NULL,\n};\n\n\n\n"
           "#endif /*#if " + guard + "*/\n";
    return out;
}

}  // namespace glyphwright

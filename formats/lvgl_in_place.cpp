// Save in place of an LVGL font: the numbers that change are written where they stood.

#include <algorithm>
#include <map>
#include <optional>

#include "formats/lvgl_encoding.h"
#include "formats/lvgl_font.h"
#include "formats/lvgl_source.h"
#include "formats/source_edits.h"
#include "model/glyph_grid.h"
#include "text/text_primitives.h"

namespace glyphwright {

using lvgl::Encoded;
using lvgl::encode_row;
using lvgl::GlyphRecord;
using lvgl::LvglFound;
using lvgl::LvglSource;
using lvgl::number_lines;

namespace {

// The bytes a descriptor's box takes in a source of `stride`.
std::int64_t bytes_of(const GlyphRecord& record, std::int64_t stride)
{
    const std::int64_t width = std::max<std::int64_t>(record.fields[lvgl::kBoxWidth].value, 0);
    const std::int64_t height = std::max<std::int64_t>(record.fields[lvgl::kBoxHeight].value, 0);
    if (stride > 0)
        return ((width + 7) / 8 + stride - 1) / stride * stride * height;
    return (width * height + 7) / 8;
}

// True when every descriptor's bytes follow the one before's, as the converter writes them unaligned.
bool runs_on(const LvglSource& source)
{
    std::int64_t offset = source.glyphs.size() > 1 ? source.glyphs[1].fields[lvgl::kBitmapIndex].value : 0;
    for (std::size_t id = 1; id < source.glyphs.size(); ++id) {
        const GlyphRecord& record = source.glyphs[id];
        if (!record.complete || record.fields[lvgl::kBitmapIndex].value != offset)
            return false;
        offset += bytes_of(record, source.stride);
    }
    return offset <= static_cast<std::int64_t>(source.bitmap.size());
}

}  // namespace

InPlaceText lvgl_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    if (std::string refusal = lvgl_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    std::vector<LvglFound> found = lvgl::find_lvgl_sources(text, entry.data_begin);
    if (found.empty() || !found.front().source)
        return {false, {}, found.empty() ? "the file no longer holds the LVGL font " + entry.name : found.front().refusal};
    const LvglSource& source = *found.front().source;
    if (source.bpp != 1)
        return {false, {}, entry.name + " has " + to_decimal(source.bpp) + " bits a pixel; its grey levels cannot be saved in place, "
                           "Save as writes it anew in black and white"};
    const FontReadResult before = read_lvgl_font_entry(text, entry);
    if (!before.ok)
        return {false, {}, before.message};
    const int rows = glyph_count(font);
    std::map<std::int64_t, int> row_of_id;
    std::vector<std::int64_t> id_of_row;
    for (const auto& [code, id] : lvgl::glyph_ids(source.cmaps))
        if (id >= 1 && id < static_cast<std::int64_t>(source.glyphs.size()))
            id_of_row.push_back(id);
    bool same_codes = static_cast<int>(id_of_row.size()) == rows && glyph_count(before.font) == rows;
    for (int row = 0; same_codes && row < rows; ++row)
        same_codes = font.font_table[static_cast<std::size_t>(row)].code_point == before.font.font_table[static_cast<std::size_t>(row)].code_point;
    if (!same_codes)
        return {false, {}, "characters were added to " + entry.name + " or taken out, which its character maps and kerning cannot follow in place; "
                           "Save as writes it anew"};
    const bool same_cell = font.header.glyph_width == before.font.header.glyph_width && font.header.glyph_height == before.font.header.glyph_height
                        && font.ascent == before.font.ascent && font.origin_x == before.font.origin_x;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::vector<std::optional<Encoded>> changed(source.glyphs.size());  // by glyph id; none: kept as it is
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        const Glyph& old = before.font.font_table[static_cast<std::size_t>(row)];
        const std::int64_t id = id_of_row[static_cast<std::size_t>(row)];
        if (const auto shared = row_of_id.try_emplace(id, row); !shared.second) {
            if (font.font_table[static_cast<std::size_t>(shared.first->second)] != glyph)
                return {false, {}, code_point_text(glyph.code_point) + " shares its glyph with another character and no longer draws as it"};
            continue;
        }
        if (same_cell && glyph.glyph_data == old.glyph_data && glyph.advance == old.advance)
            continue;
        Encoded encoded = encode_row(font, row, grid, source.stride);
        if (glyph.advance == old.advance)
            encoded.fields[lvgl::kAdvance] = source.glyphs[static_cast<std::size_t>(id)].fields[lvgl::kAdvance].value;
        changed[static_cast<std::size_t>(id)] = std::move(encoded);
    }
    std::vector<Edit> edits;
    if (font.line_height > 0 && source.line_height)
        edit_number(edits, text, *source.line_height, font.line_height);
    const bool large = std::any_of(changed.begin(), changed.end(),
                                   [](const std::optional<Encoded>& glyph) { return glyph && lvgl::needs_large_descriptor(*glyph); });
    if (large && text.find("LV_FONT_FMT_TXT_LARGE") == std::string_view::npos)
        return {false, {}, "an edited glyph of " + entry.name + " needs LVGL's large glyph descriptors, which the file does not ask for; "
                           "Save as writes it anew with them"};
    if (std::none_of(changed.begin(), changed.end(), [](const std::optional<Encoded>& glyph) { return glyph.has_value(); }))
        return {true, with_edits(text, std::move(edits)), {}};
    const bool contiguous = runs_on(source);
    const std::string_view like = number_manner(text, source.bitmap);
    std::int64_t offset = source.glyphs.size() > 1 && contiguous ? source.glyphs[1].fields[lvgl::kBitmapIndex].value : 0;
    std::string body;
    for (std::size_t id = 1; id < source.glyphs.size(); ++id) {
        const GlyphRecord& record = source.glyphs[id];
        const std::int64_t old_index = record.fields[lvgl::kBitmapIndex].value;
        const std::int64_t old_size = bytes_of(record, source.stride);
        std::vector<std::int64_t> bytes;
        for (std::int64_t at = old_index; at >= 0 && at < old_index + old_size && at < static_cast<std::int64_t>(source.bitmap.size()); ++at)
            bytes.push_back(source.bitmap[static_cast<std::size_t>(at)].value & 0xFF);
        if (changed[id]) {
            for (int field = lvgl::kAdvance; field < lvgl::kGlyphFields; ++field)
                edit_number(edits, text, record.fields[static_cast<std::size_t>(field)], changed[id]->fields[static_cast<std::size_t>(field)]);
            if (contiguous)
                edit_number_list(edits, text, std::span(source.bitmap).subspan(static_cast<std::size_t>(old_index), static_cast<std::size_t>(old_size)),
                                 changed[id]->bytes, source.bitmap_open + 1, like, Wrap::LikeFirstLine);
            bytes = changed[id]->bytes;
        }
        edit_number(edits, text, record.fields[lvgl::kBitmapIndex], offset);
        if (!contiguous && !bytes.empty()) {
            std::string lines = number_lines(bytes, lvgl::Written::Bytes);
            lines.pop_back();
            body += std::string(body.empty() ? "\n" : ",\n\n") + lines;
        }
        offset += static_cast<std::int64_t>(bytes.size());
    }
    if (!contiguous) {
        // Bytes laid out otherwise (aligned glyphs) are written anew, one glyph after another.
        const std::size_t close = source.bitmap_close;
        edits.erase(std::remove_if(edits.begin(), edits.end(), [&](const Edit& edit) { return edit.begin > source.bitmap_open && edit.end <= close; }),
                    edits.end());
        edits.push_back({source.bitmap_open + 1, close, (body.empty() ? std::string("\n    0x00") : body) + "\n"});
    }
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

#include "formats/font_to_py_font.h"

#include <algorithm>
#include <map>
#include <optional>

#include "formats/font_to_py_module.h"
#include "formats/source_edits.h"
#include "model/glyph_grid.h"
#include "text/text_primitives.h"

namespace glyphwright {

using font_to_py::IndexKind;
using font_to_py::kWiderForms;
using font_to_py::Layout;
using font_to_py::layout_of;
using font_to_py::put_u16;
using font_to_py::Record;
using font_to_py::record_of;
using font_to_py::record_size;
using font_to_py::records_of;
using font_to_py::sparse;
using font_to_py::u16_at;

InPlaceText font_to_py_font_in_place(std::string_view text, const FontEntry&, const Font& font)
{
    std::string problem;
    const std::optional<Layout> layout = layout_of(text, problem);
    if (!layout)
        return {false, {}, problem.empty() ? "the file no longer holds a font module" : problem};
    std::vector<std::string> warnings;
    const std::vector<Record> records = records_of(text, *layout, warnings);
    const Font before = font_to_py::font_of(text, *layout).font;
    if (font.header.glyph_height != layout->height)
        return {false, {}, "the module's get_ch() gives every glyph a height of " + to_decimal(layout->height)
                               + " rows, which cannot change in place; Save as writes the font anew"};
    bool same_codes = glyph_count(font) == static_cast<int>(records.size());
    for (std::size_t k = 0; same_codes && k < records.size(); ++k)
        same_codes = font.font_table[k].code_point == records[k].code;
    if (!same_codes)
        return {false, {}, "characters added or taken out cannot be saved in place in a font module, whose index lists its codes; "
                           "Save as writes the font anew"};
    // Each record's new bytes, by its old offset; a glyph that draws as before keeps its bytes.
    const std::string& old_font = layout->font->bytes;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    GlyphGrid before_grid(before.header.glyph_width, before.header.glyph_height);
    std::map<std::size_t, std::string> written;  // old offset: new record
    auto old_record = [&](std::size_t offset) {
        return old_font.substr(offset, record_size(u16_at(old_font, offset), layout->height, layout->hmap));
    };
    int widest = 0;
    std::optional<std::string> question_was;
    std::optional<std::string> question_now;
    for (std::size_t k = 0; k < records.size(); ++k) {
        const Record& record = records[k];
        std::string now = record_of(font, font.font_table[k], grid, layout->hmap, layout->reverse);
        const std::string was = record_of(before, before.font_table[k], before_grid, layout->hmap, layout->reverse);
        if (now == was)
            now = old_record(record.offset);
        widest = std::max(widest, u16_at(now, 0));
        if (record.code == U'?') {
            question_was = old_record(record.offset);
            question_now = now;
        }
        const auto [at, fresh] = written.emplace(record.offset, now);
        if (!fresh && at->second != now)
            return {false, {}, "several codes share the record of " + code_point_text(record.code) + ", which now differ; Save as writes the font anew"};
    }
    // The default glyph follows '?' when it was a copy of it, as the generator makes it.
    if (layout->kind != IndexKind::StartsFromCode && !written.contains(0) && old_font.size() >= 2) {
        const std::string default_was = old_record(0);
        written.emplace(0, question_was && question_now && default_was == *question_was ? *question_now : default_was);
    }
    bool records_changed = false;
    for (const auto& [offset, record] : written)
        records_changed = records_changed || record != old_record(offset);
    std::vector<Edit> edits;
    auto edit_constant = [&](std::string_view name, std::int64_t value) {
        const PythonConstant* constant = layout->module.constant(name);
        if (constant != nullptr && layout->module.integer(name) != value)
            edits.push_back({constant->begin, constant->end, to_decimal(value)});
    };
    // max_width() as the generator wrote it may differ from the widest record; it follows a change.
    int widest_before = 0;
    for (const Record& record : records)
        widest_before = std::max(widest_before, record.width);
    if (widest != widest_before)
        edit_constant("max_width", widest);
    // baseline() as read is kept within the height; it is written only when the font's moved.
    if (layout->baseline && std::clamp(font.ascent, 0, layout->height) != *layout->baseline)
        edit_constant("baseline", std::clamp(font.ascent, 0, layout->height));
    if (!records_changed)
        return {true, with_edits(text, std::move(edits)), {}};
    // The new _font: the records in their old order, what lay between them kept (records of
    // 8-byte offsets start at a multiple of 8, padded anew when they moved), and the offsets they
    // move to.
    std::string new_font;
    new_font.reserve(old_font.size() + 64);
    std::map<std::size_t, std::size_t> moved;
    std::size_t old_at = 0;
    for (const auto& [offset, record] : written) {
        if (offset < old_at)
            return {false, {}, "records of _font overlap; Save as writes the font anew"};
        const std::size_t kept = new_font.size();
        new_font += old_font.substr(old_at, offset - old_at);
        if (layout->kind == IndexKind::SparseEights && new_font.size() % 8 != 0) {
            new_font.resize(kept);
            new_font.resize((kept + 7) / 8 * 8, '\0');
        }
        moved[offset] = new_font.size();
        new_font += record;
        old_at = offset + record_size(u16_at(old_font, offset), layout->height, layout->hmap);
    }
    if (old_at < old_font.size())
        new_font += old_font.substr(old_at);
    const bool eights = layout->kind == IndexKind::SparseEights;
    const std::size_t limit = eights ? 0xFFFF * 8 : 0xFFFF;
    std::string new_index = layout->index->bytes;
    for (const Record& record : records) {
        const std::size_t offset = moved[record.offset];
        if (offset > limit)
            return {false, {}, "the glyph data pass the bytes the index reaches at " + code_point_text(record.code) + "; " + std::string(kWiderForms)};
        if (sparse(layout->kind)) {
            put_u16(new_index, record.entry + 2, static_cast<std::int64_t>(eights ? offset / 8 : offset));
            continue;
        }
        put_u16(new_index, record.entry, static_cast<std::int64_t>(offset));
        if (layout->kind == IndexKind::Pairs)
            put_u16(new_index, record.entry + 2, static_cast<std::int64_t>(offset + written[record.offset].size()));
    }
    if (layout->kind == IndexKind::Pairs && new_index.size() >= 4 && written.contains(0))
        put_u16(new_index, 2, static_cast<std::int64_t>(written[0].size()));
    // The slot after the last, where it held the end of _font.
    if (!sparse(layout->kind) && layout->kind != IndexKind::Pairs && new_index.size() >= 2
        && static_cast<std::size_t>(u16_at(new_index, new_index.size() - 2)) == old_font.size()) {
        if (new_font.size() > 0xFFFF)
            return {false, {}, "the glyph data end past the 65,535 bytes _index reaches; " + std::string(kWiderForms)};
        put_u16(new_index, new_index.size() - 2, static_cast<std::int64_t>(new_font.size()));
    }
    if (new_font != old_font)
        edits.push_back({layout->font->begin, layout->font->end, python_bytes_text(new_font, *layout->font)});
    if (new_index != layout->index->bytes)
        edits.push_back({layout->index->begin, layout->index->end, python_bytes_text(new_index, *layout->index)});
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

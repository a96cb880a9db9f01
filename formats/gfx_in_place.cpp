// Save in place of a GFX font: the numbers that change are written where they stood.

#include <algorithm>

#include "formats/gfx_encoding.h"
#include "formats/gfx_font.h"
#include "formats/gfx_source.h"
#include "formats/source_edits.h"
#include "text/text_primitives.h"

namespace glyphwright {

using gfx::Encoded;
using gfx::bitmap_body;
using gfx::encode_font;
using gfx::records_body;
using gfx::GfxSource;
using gfx::SourceRecord;

namespace {

std::string joined_like(std::string_view like, const std::vector<std::int64_t>& values)
{
    std::string written;
    for (std::int64_t value : values)
        written += (written.empty() ? "" : ", ") + written_like(like, value);
    return written;
}

// The edits that put the glyphs into a source of the same codes whose offsets run on from 0: the
// numbers that changed in place, and the bytes of a glyph whose size changed where its old ones stood.
std::vector<Edit> edits_in_place(std::string_view text, const GfxSource& source, const std::vector<Encoded>& glyphs)
{
    std::vector<Edit> edits;
    const std::string_view like = source.bytes.empty() ? std::string_view("0x00")
                                                       : text.substr(source.bytes[0].begin, source.bytes[0].end - source.bytes[0].begin);
    std::size_t old_at = 0;
    std::size_t new_total = 0;
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const SourceRecord& record = source.records[index];
        for (int field = 0; field < gfx::kRecordFields; ++field)
            edit_number(edits, text, record.fields[static_cast<std::size_t>(field)], glyphs[index].fields[static_cast<std::size_t>(field)]);
        const std::vector<std::uint8_t>& bytes = glyphs[index].bytes;
        const std::size_t old_size = static_cast<std::size_t>((record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8);
        const std::vector<std::int64_t> values(bytes.begin(), bytes.end());
        const std::span<const SourceNumber> old = std::span(source.bytes).subspan(old_at, old_size);
        if (old.size() == values.size())
            edit_number_list(edits, text, old, values, source.bitmap.open + 1, like, Wrap::None);
        else if (old.empty() && old_at < source.bytes.size())
            edits.push_back({source.bytes[old_at].begin, source.bytes[old_at].begin, joined_like(like, values) + ", "});
        else if (old.empty() && old_at > 0)
            edits.push_back({source.bytes[old_at - 1].end, source.bytes[old_at - 1].end, ", " + joined_like(like, values)});
        else if (!old.empty() && values.empty()) {
            // The glyph's bytes go with the separator after them, or before them at the end.
            const bool at_end = old_at + old_size == source.bytes.size();
            edits.push_back({at_end ? (old_at > 0 ? source.bytes[old_at - 1].end : old.front().begin) : old.front().begin,
                             at_end ? old.back().end : source.bytes[old_at + old_size].begin, ""});
        } else {
            edit_number_list(edits, text, old, values, source.bitmap.open + 1, like, Wrap::None);
        }
        old_at += old_size;
        new_total += bytes.size();
    }
    // Records past the last code (which the library never reaches) keep pointing at their bytes.
    const std::int64_t moved = static_cast<std::int64_t>(new_total) - static_cast<std::int64_t>(old_at);
    for (std::size_t index = glyphs.size(); index < source.records.size() && moved != 0; ++index)
        edit_number(edits, text, source.records[index].fields[gfx::kOffset], source.records[index].fields[gfx::kOffset].value + moved);
    if (source.bitmap.declared_size && new_total != old_at)
        edit_number(edits, text, *source.bitmap.declared_size,
                    source.bitmap.declared_size->value + static_cast<std::int64_t>(new_total) - static_cast<std::int64_t>(old_at));
    return edits;
}

// True when the source's records are complete, one a code at least, with offsets running on from 0.
bool runs_on(const GfxSource& source)
{
    std::int64_t offset = 0;
    for (const SourceRecord& record : source.records) {
        if (!record.complete || record.fields[gfx::kOffset].value != offset)
            return false;
        offset += (record.fields[gfx::kWidth].value * record.fields[gfx::kHeight].value + 7) / 8;
    }
    return offset <= static_cast<std::int64_t>(source.bytes.size())
        && static_cast<std::int64_t>(source.records.size()) >= source.last.value - source.first.value + 1;
}


}  // namespace

InPlaceText gfx_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    if (std::string refusal = gfx_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    gfx::GfxFound found = gfx::find_gfx_source(text, entry.name, entry.data_begin);
    if (!found.source)
        return {false, {}, found.refusal};
    const GfxSource& source = *found.source;
    const std::vector<Encoded> glyphs = encode_font(font, &source);
    const std::int64_t first = glyphs.empty() ? 0 : static_cast<std::int64_t>(font.font_table.front().code_point);
    const std::int64_t last = first + static_cast<std::int64_t>(glyphs.size()) - 1;
    const bool same_codes = !glyphs.empty() && first == source.first.value && last == source.last.value
                         && source.records.size() >= glyphs.size();
    const bool same_line = font.line_height == 0 || font.line_height == source.y_advance.value;
    if (same_codes && same_line && std::all_of(glyphs.begin(), glyphs.end(), [](const Encoded& glyph) { return glyph.kept; }))
        return {true, std::string(text), {}};
    std::vector<Edit> edits;
    if (font.line_height > 0)
        edit_number(edits, text, source.y_advance, font.line_height);
    if (same_codes && runs_on(source)) {
        std::vector<Edit> glyph_edits = edits_in_place(text, source, glyphs);
        edits.insert(edits.end(), glyph_edits.begin(), glyph_edits.end());
        return {true, with_edits(text, std::move(edits)), {}};
    }
    // Other codes, or offsets of another program's making: both arrays are written anew.
    if (source.bitmap.directives || source.glyphs.directives)
        return {false, {}, "the arrays of " + entry.name + " hold #if blocks, which cannot be kept when its characters change; "
                           "Save as writes it to a new file"};
    if (glyphs.empty())
        return {false, {}, "a GFXfont needs at least one character"};
    edits.push_back({source.bitmap.open + 1, source.bitmap.close, bitmap_body(glyphs)});
    edits.push_back({source.glyphs.open + 1, source.glyphs.close, records_body(glyphs, first)});
    edit_number(edits, text, source.first, first);
    edit_number(edits, text, source.last, last);
    if (source.bitmap.declared_size) {
        std::size_t total = 0;
        for (const Encoded& glyph : glyphs)
            total += glyph.bytes.size();
        edit_number(edits, text, *source.bitmap.declared_size, static_cast<std::int64_t>(std::max<std::size_t>(total, 1)));
    }
    if (source.glyphs.declared_size)
        edit_number(edits, text, *source.glyphs.declared_size, static_cast<std::int64_t>(glyphs.size()));
    return {true, with_edits(text, std::move(edits)), {}};
}


}  // namespace glyphwright

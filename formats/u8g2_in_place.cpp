#include "formats/u8g2_font.h"

#include <map>

#include "formats/source_edits.h"
#include "formats/u8g2_encoding.h"
#include "formats/u8g2_source.h"
#include "text/text_primitives.h"

namespace glyphwright {

InPlaceText u8g2_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    const std::vector<u8g2::StringArray> arrays = u8g2::string_arrays(text, entry.data_begin);
    const u8g2::Decoded decoded = arrays.empty() ? u8g2::Decoded{} : u8g2::decode(arrays.front().bytes);
    if (arrays.empty() || !decoded.problem.empty())
        return {false, {}, "the file no longer holds the u8g2 font " + entry.name};
    const u8g2::StringArray& array = arrays.front();
    std::string problem;
    std::vector<u8g2::Glyph> glyphs = u8g2::glyphs_of(font);
    for (const u8g2::Glyph& glyph : glyphs)
        if (glyph.code > 0xFFFE)
            return {false, {}, "the glyph of " + code_point_text(glyph.code) + " has a code past U+FFFE, the last a u8g2 font holds; the lvgl and bdf forms hold it"};
    // Each glyph's record: kept where it draws as before, coded anew with the file's widths where
    // not (in the file's build mode 0; other modes and glyphs past the widths code the whole font).
    std::map<char32_t, const u8g2::Record*> old;
    for (const u8g2::Record& record : decoded.records)
        old[record.glyph.code] = &record;
    auto header = decoded.header;
    std::vector<std::pair<char32_t, std::string>> records;
    bool changed = glyphs.size() != decoded.records.size();
    bool fits = header[u8g2::kBuildMode] == 0;
    std::vector<u8g2::Glyph> inks;
    for (const u8g2::Glyph& glyph : glyphs) {
        const auto was = old.find(glyph.code);
        if (was != old.end() && drawn_of(was->second->glyph) == drawn_of(glyph)) {
            records.emplace_back(glyph.code, array.bytes.substr(was->second->begin, was->second->size));
            inks.push_back(u8g2::reduced(was->second->glyph));
            continue;
        }
        changed = true;
        inks.push_back(u8g2::reduced(glyph));
        std::optional<std::string> record = fits ? u8g2::encode_record(inks.back(), header) : std::nullopt;
        fits = fits && record.has_value();
        records.emplace_back(glyph.code, record.value_or(std::string()));
    }
    if (!changed)
        return {true, std::string(text), {}};
    std::string bytes;
    if (fits) {
        // The header's references follow the glyphs they come from when those changed.
        auto ink_of = [&](char32_t code) -> const u8g2::Glyph* {
            for (const u8g2::Glyph& ink : inks)
                if (ink.code == code)
                    return &ink;
            return nullptr;
        };
        auto edited = [&](char32_t code) {
            const auto was = old.find(code);
            const u8g2::Glyph* now = ink_of(code);
            return now != nullptr && (was == old.end() || !(drawn_of(was->second->glyph) == drawn_of(*now)));
        };
        if (edited(U'A') || (ink_of(U'A') == nullptr && edited(U'1'))) {
            const u8g2::Glyph* a = ink_of(U'A') != nullptr ? ink_of(U'A') : ink_of(U'1');
            header[u8g2::kAscentA] = a->h + a->y;
        }
        if (edited(U'g'))
            header[u8g2::kDescentG] = ink_of(U'g')->y;
        if (edited(U'(')) {
            header[u8g2::kAscentParen] = ink_of(U'(')->h + ink_of(U'(')->y;
            header[u8g2::kDescentParen] = ink_of(U'(')->y;
        }
        bytes = u8g2::assemble(header, records);
    } else {
        const std::array<int, 4> references = {header[u8g2::kAscentA], header[u8g2::kDescentG], header[u8g2::kAscentParen], header[u8g2::kDescentParen]};
        bytes = u8g2::encode(std::move(glyphs), {header[u8g2::kBuildMode], references}, problem);
        if (bytes.empty())
            return {false, {}, problem};
    }
    std::vector<Edit> edits;
    if (array.declared_size)
        edit_number(edits, text, *array.declared_size, static_cast<std::int64_t>(bytes.size()));
    edits.push_back({array.literals_begin, array.literals_end, u8g2::literals_text(bytes, array.piece_bytes, array.joint)});
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

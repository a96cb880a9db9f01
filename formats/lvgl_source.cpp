#include "formats/lvgl_source.h"

#include <algorithm>
#include <map>
#include <span>

#include "formats/font_text.h"
#include "text/text_primitives.h"

namespace glyphwright::lvgl {

namespace {

using Tokens = std::vector<CToken>;

// Codes the maps may walk over in all, so that a file of many overlapping maps is read in bounded time.
constexpr std::int64_t kMostMappedCodes = 1 << 22;

struct Range {
    std::size_t begin = 0;  // token positions, end excluded
    std::size_t end = 0;
};

// An initialiser's items: designated ones («.adv_w = 128») by their field's name, others by position.
struct Item {
    std::string_view field;
    Range value;
};

class SourceFinder {
public:
    explicit SourceFinder(std::string_view text) : m_text(text)
    {
        for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
            m_line_ends.push_back(at);
        m_tokens = c_tokens(text);
        const std::size_t fonts_before = font_records().size();
        keep_active_tokens({}, m_tokens);
        if (font_records().empty() && fonts_before > 0) {
            const Tokens all = c_tokens(text);
            // A conditional around the whole font (#if LV_BUILD_TEST) is what the file is for:
            // every condition of one name is taken as set.
            for (const CToken& token : all) {
                if (token.kind != CTokenKind::Directive)
                    continue;
                const Tokens words = c_tokens(token.text.substr(token.text.find('#') + 1));
                if (words.size() == 2 && (is_token(words[0], "if") || is_token(words[0], "ifdef")) && words[1].kind == CTokenKind::Name)
                    m_forced += "#define " + std::string(words[1].text) + " 1\n";
            }
            m_forced_tokens = c_tokens(m_forced);
            m_tokens = active_tokens(m_forced_tokens, all);
        }
    }

    std::vector<LvglFound> find_all(std::optional<std::size_t> only)
    {
        std::vector<LvglFound> found;
        for (std::size_t at : font_records()) {
            if (only && m_tokens[at].begin != *only)
                continue;
            found.push_back(read_font(at));
        }
        return found;
    }

private:
    std::size_t line_of(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::lower_bound(m_line_ends.begin(), m_line_ends.end(), offset) - m_line_ends.begin()) + 1;
    }

    LvglFound refusal(std::size_t offset, std::string_view reason) const { return {std::nullopt, at_line(line_of(offset), reason)}; }

    // The positions of «lv_font_t NAME = {».
    std::vector<std::size_t> font_records(std::span<const CToken> tokens = {}) const
    {
        if (tokens.empty())
            tokens = m_tokens;
        std::vector<std::size_t> records;
        for (std::size_t at = 0; at + 3 < tokens.size(); ++at)
            if (tokens[at].kind == CTokenKind::Name && tokens[at].text == "lv_font_t" && tokens[at + 1].kind == CTokenKind::Name
                && is_token(tokens[at + 2], "=") && is_token(tokens[at + 3], "{"))
                records.push_back(at);
        return records;
    }

    // The braces of the definition «NAME [..] = {...}» or «NAME = {...}».
    std::optional<Range> definition(std::string_view name) const
    {
        for (std::size_t at = 0; at + 2 < m_tokens.size(); ++at) {
            if (m_tokens[at].kind != CTokenKind::Name || m_tokens[at].text != name)
                continue;
            std::size_t next = at + 1;
            if (is_token(m_tokens[next], "["))
                next = closing_bracket(m_tokens, next) + 1;
            while (next < m_tokens.size() && m_tokens[next].kind == CTokenKind::Name)
                ++next;
            if (next + 1 >= m_tokens.size() || !is_token(m_tokens[next], "=") || !is_token(m_tokens[next + 1], "{"))
                continue;
            const std::size_t close = closing_bracket(m_tokens, next + 1);
            if (close < m_tokens.size())
                return Range{next + 1, close};
        }
        return std::nullopt;
    }

    std::vector<Item> items_of(Range braces) const
    {
        std::vector<Item> items;
        std::size_t start = braces.begin + 1;
        int depth = 0;
        for (std::size_t at = braces.begin + 1; at <= braces.end; ++at) {
            if (at < braces.end && (is_token(m_tokens[at], "{") || is_token(m_tokens[at], "(") || is_token(m_tokens[at], "[")))
                ++depth;
            else if (at < braces.end && (is_token(m_tokens[at], "}") || is_token(m_tokens[at], ")") || is_token(m_tokens[at], "]")))
                --depth;
            if (at < braces.end && (depth > 0 || !is_token(m_tokens[at], ",")))
                continue;
            if (start < at) {
                if (at - start >= 3 && is_token(m_tokens[start], ".") && m_tokens[start + 1].kind == CTokenKind::Name
                    && is_token(m_tokens[start + 2], "="))
                    items.push_back({m_tokens[start + 1].text, {start + 3, at}});
                else
                    items.push_back({{}, {start, at}});
            }
            start = at + 1;
        }
        return items;
    }

    std::optional<SourceNumber> number_in(Range range) const
    {
        std::size_t at = range.begin;
        std::optional<SourceNumber> number = number_at(m_tokens, at, range.end);
        return number && at == range.end ? number : std::nullopt;
    }

    // The last name of a value: «&font_dsc», «(uint8_t *)glyph_bitmap», «NULL».
    std::string_view name_in(Range range) const
    {
        std::string_view name;
        for (std::size_t at = range.begin; at < range.end; ++at)
            if (m_tokens[at].kind == CTokenKind::Name)
                name = m_tokens[at].text;
        return name;
    }

    static const Item* field(const std::vector<Item>& items, std::string_view name)
    {
        for (const Item& item : items)
            if (item.field == name)
                return &item;
        return nullptr;
    }

    std::vector<SourceNumber> numbers_of(Range braces) const
    {
        std::vector<SourceNumber> numbers;
        for (std::size_t at = braces.begin + 1; at < braces.end;) {
            if (std::optional<SourceNumber> number = number_at(m_tokens, at, braces.end))
                numbers.push_back(*number);
            else
                ++at;
        }
        return numbers;
    }

    LvglFound read_font(std::size_t type_at);
    void read_glyphs(Range braces, LvglSource& source) const;
    bool read_cmaps(Range braces, LvglSource& source, std::string& problem) const;

    std::string_view m_text;
    Tokens m_tokens;
    std::string m_forced;  // the #defines that take a whole-font conditional as set
    Tokens m_forced_tokens;
    std::vector<std::size_t> m_line_ends;
};

LvglFound SourceFinder::read_font(std::size_t type_at)
{
    LvglSource source;
    source.name = std::string(m_tokens[type_at + 1].text);
    source.font_start = m_tokens[type_at].begin;
    source.font_line = line_of(source.font_start);
    const Range font_braces{type_at + 3, closing_bracket(m_tokens, type_at + 3)};
    if (font_braces.end >= m_tokens.size())
        return refusal(source.font_start, "the lv_font_t " + source.name + " has no closing \"}\"");
    const std::vector<Item> font_items = items_of(font_braces);
    for (auto [name, number] : {std::pair{"line_height", &source.line_height}, std::pair{"base_line", &source.base_line}})
        if (const Item* item = field(font_items, name))
            *number = number_in(item->value);
    const Item* dsc = field(font_items, "dsc");
    const std::optional<Range> dsc_braces = dsc ? definition(name_in(dsc->value)) : std::nullopt;
    if (!dsc_braces)
        return refusal(source.font_start, "the lv_font_t " + source.name + " points to no lv_font_fmt_txt_dsc_t the file defines");
    const std::vector<Item> dsc_items = items_of(*dsc_braces);
    for (auto [name, value] : {std::pair{"bpp", &source.bpp}, std::pair{"bitmap_format", &source.bitmap_format}, std::pair{"stride", &source.stride}})
        if (const Item* item = field(dsc_items, name))
            if (std::optional<SourceNumber> number = number_in(item->value))
                *value = number->value;
    const std::size_t dsc_offset = m_tokens[dsc_braces->begin].begin;
    if (source.bpp != 1 && source.bpp != 2 && source.bpp != 4 && source.bpp != 8)
        return refusal(dsc_offset, "the font " + source.name + " has " + to_decimal(source.bpp) + " bits a pixel, which LVGL has not");
    if (source.bitmap_format != 0)
        return refusal(dsc_offset, "the bitmaps of " + source.name + " are compressed; uncompressed fonts of 1 bit a pixel can be read");
    std::array<std::optional<Range>, 3> arrays;
    constexpr std::array<std::string_view, 3> kArrays = {"glyph_bitmap", "glyph_dsc", "cmaps"};
    for (std::size_t at = 0; at < arrays.size(); ++at) {
        const Item* item = field(dsc_items, kArrays[at]);
        arrays[at] = item ? definition(name_in(item->value)) : std::nullopt;
        if (!arrays[at])
            return refusal(dsc_offset, "the descriptor of " + source.name + " names no " + std::string(kArrays[at]) + " array the file defines");
    }
    source.bitmap = numbers_of(*arrays[0]);
    source.bitmap_open = m_tokens[arrays[0]->begin].begin;
    source.bitmap_close = m_tokens[arrays[0]->end].begin;
    source.bitmap_line = line_of(source.bitmap_open);
    read_glyphs(*arrays[1], source);
    std::string problem;
    if (!read_cmaps(*arrays[2], source, problem))
        return refusal(m_tokens[arrays[2]->begin].begin, problem);
    if (const Item* count = field(dsc_items, "cmap_num"); count && number_in(count->value)
        && number_in(count->value)->value != static_cast<std::int64_t>(source.cmaps.size())) {
        const std::int64_t stated = number_in(count->value)->value;
        source.warnings.push_back(at_line(line_of(m_tokens[count->value.begin].begin), "cmap_num says " + to_decimal(stated) + " maps and the array holds "
                                                                                          + to_decimal(static_cast<std::int64_t>(source.cmaps.size()))));
        if (stated >= 0 && stated < static_cast<std::int64_t>(source.cmaps.size()))
            source.cmaps.resize(static_cast<std::size_t>(stated));
    }
    std::size_t first = source.font_start;
    for (const std::optional<Range>& array : arrays) {
        std::size_t start = array->begin;
        while (start > 0 && !is_token(m_tokens[start - 1], ";") && !is_token(m_tokens[start - 1], "}"))
            --start;
        first = std::min(first, m_tokens[start].begin);
    }
    const std::size_t line_break = first == 0 ? std::string_view::npos : m_text.rfind('\n', first - 1);
    source.begin = line_break == std::string_view::npos ? 0 : line_break + 1;
    const std::size_t line_end = m_text.find('\n', m_tokens[font_braces.end].end);
    source.end = line_end == std::string_view::npos ? m_text.size() : line_end + 1;
    return {std::move(source), {}};
}

void SourceFinder::read_glyphs(Range braces, LvglSource& source) const
{
    constexpr std::array<std::string_view, kGlyphFields> kNames = {"bitmap_index", "adv_w", "box_w", "box_h", "ofs_x", "ofs_y"};
    for (const Item& item : items_of(braces)) {
        if (!is_token(m_tokens[item.value.begin], "{"))
            continue;
        GlyphRecord record;
        record.line = line_of(m_tokens[item.value.begin].begin);
        const std::vector<Item> fields = items_of({item.value.begin, closing_bracket(m_tokens, item.value.begin)});
        for (std::size_t at = 0; at < fields.size(); ++at) {
            const std::size_t index = fields[at].field.empty()
                                          ? at
                                          : static_cast<std::size_t>(std::find(kNames.begin(), kNames.end(), fields[at].field) - kNames.begin());
            if (index >= kGlyphFields)
                continue;
            if (std::optional<SourceNumber> number = number_in(fields[at].value))
                record.fields[index] = *number;
            else
                record.complete = false;
        }
        if (fields.size() < kGlyphFields)
            record.complete = false;
        if (!record.complete)
            source.warnings.push_back(at_line(record.line, "a glyph descriptor does not hold six numbers; its glyph is blank"));
        source.glyphs.push_back(record);
    }
}

bool SourceFinder::read_cmaps(Range braces, LvglSource& source, std::string& problem) const
{
    constexpr std::array<std::pair<std::string_view, CmapType>, 4> kTypes = {{{"FORMAT0_TINY", CmapType::Format0Tiny},
                                                                             {"FORMAT0_FULL", CmapType::Format0Full},
                                                                             {"SPARSE_TINY", CmapType::SparseTiny},
                                                                             {"SPARSE_FULL", CmapType::SparseFull}}};
    for (const Item& item : items_of(braces)) {
        if (!is_token(m_tokens[item.value.begin], "{"))
            continue;
        Cmap cmap;
        cmap.line = line_of(m_tokens[item.value.begin].begin);
        const std::vector<Item> fields = items_of({item.value.begin, closing_bracket(m_tokens, item.value.begin)});
        for (auto [name, value] : {std::pair{"range_start", &cmap.range_start}, std::pair{"range_length", &cmap.range_length},
                                   std::pair{"glyph_id_start", &cmap.glyph_id_start}})
            if (const Item* found = field(fields, name); found && number_in(found->value))
                *value = number_in(found->value)->value;
        const Item* type = field(fields, "type");
        const std::string_view type_name = type ? name_in(type->value) : std::string_view();
        const auto known = std::find_if(kTypes.begin(), kTypes.end(), [&](const auto& entry) { return type_name.ends_with(entry.first); });
        if (known == kTypes.end()) {
            problem = "a character map of " + source.name + " has the type \"" + std::string(type_name) + "\", which is none of LVGL's four";
            return false;
        }
        cmap.type = known->second;
        for (auto [name, list] : {std::pair{"unicode_list", &cmap.unicode_list}, std::pair{"glyph_id_ofs_list", &cmap.id_list}}) {
            const Item* found = field(fields, name);
            const std::string_view list_name = found ? name_in(found->value) : std::string_view();
            if (list_name.empty() || list_name == "NULL")
                continue;
            const std::optional<Range> array = definition(list_name);
            if (!array) {
                problem = "a character map of " + source.name + " names the list " + std::string(list_name) + ", which the file does not define";
                return false;
            }
            for (const SourceNumber& number : numbers_of(*array))
                list->push_back(number.value);
        }
        if (cmap.range_start < 0 || cmap.range_start > 0x10FFFF || cmap.range_length < 0 || cmap.range_length > 0xFFFF) {
            problem = "a character map of " + source.name + " starts at " + to_decimal(cmap.range_start) + " with "
                    + to_decimal(cmap.range_length) + " codes, outside Unicode";
            return false;
        }
        source.cmaps.push_back(std::move(cmap));
    }
    return true;
}

}  // namespace

std::vector<LvglFound> find_lvgl_sources(std::string_view text, std::optional<std::size_t> only)
{
    if (text.find("lv_font_t") == std::string_view::npos)
        return {};
    return SourceFinder(text).find_all(only);
}

std::vector<std::pair<char32_t, std::int64_t>> glyph_ids(const std::vector<Cmap>& cmaps)
{
    std::map<char32_t, std::int64_t> ids;
    std::int64_t walked = 0;
    std::vector<const Cmap*> sparse_before;
    // A code in the range of an earlier sparse map is that map's to give, found there or not.
    auto add = [&](std::int64_t code, std::int64_t id) {
        for (const Cmap* earlier : sparse_before)
            if (code >= earlier->range_start && code < earlier->range_start + earlier->range_length)
                return;
        if (code >= 0 && code <= 0x10FFFF)
            ids.try_emplace(static_cast<char32_t>(code), id);
    };
    for (const Cmap& cmap : cmaps) {
        const bool sparse = cmap.type == CmapType::SparseTiny || cmap.type == CmapType::SparseFull;
        const std::int64_t count = sparse ? static_cast<std::int64_t>(cmap.unicode_list.size()) : cmap.range_length;
        walked += count * static_cast<std::int64_t>(1 + sparse_before.size());
        if (walked > kMostMappedCodes)
            break;
        for (std::int64_t at = 0; at < count; ++at) {
            const auto index = static_cast<std::size_t>(at);
            switch (cmap.type) {
            case CmapType::Format0Tiny: add(cmap.range_start + at, cmap.glyph_id_start + at); break;
            case CmapType::Format0Full:
                // A 0 past the first code is a code without a glyph, which a later map may give.
                if (index < cmap.id_list.size() && (cmap.id_list[index] != 0 || at == 0))
                    add(cmap.range_start + at, cmap.glyph_id_start + cmap.id_list[index]);
                break;
            case CmapType::SparseTiny:
                if (cmap.unicode_list[index] < cmap.range_length)
                    add(cmap.range_start + cmap.unicode_list[index], cmap.glyph_id_start + at);
                break;
            case CmapType::SparseFull:
                if (cmap.unicode_list[index] < cmap.range_length && index < cmap.id_list.size())
                    add(cmap.range_start + cmap.unicode_list[index], cmap.glyph_id_start + cmap.id_list[index]);
                break;
            }
        }
        if (sparse)
            sparse_before.push_back(&cmap);
    }
    return {ids.begin(), ids.end()};
}

}  // namespace glyphwright::lvgl

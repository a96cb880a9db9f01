#include "formats/gfx_source.h"

#include <algorithm>
#include <span>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright::gfx {

namespace {

// The most glyph bytes a font read may hold, as for BDF: far more than any display holds.
constexpr std::int64_t kLargestFontBytes = std::int64_t{16} << 20;

using Tokens = std::vector<CToken>;

// The items of an initialiser between tokens `open` and `close`, cut at its top-level commas.
std::vector<std::pair<std::size_t, std::size_t>> items_of(const Tokens& tokens, std::size_t open, std::size_t close)
{
    std::vector<std::pair<std::size_t, std::size_t>> items;
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t at = open + 1; at < close; ++at) {
        if (is_token(tokens[at], "(") || is_token(tokens[at], "{") || is_token(tokens[at], "["))
            ++depth;
        else if (is_token(tokens[at], ")") || is_token(tokens[at], "}") || is_token(tokens[at], "]"))
            --depth;
        else if (depth == 0 && is_token(tokens[at], ",")) {
            items.emplace_back(start, at);
            start = at + 1;
        }
    }
    if (start < close)
        items.emplace_back(start, close);
    return items;
}

class SourceFinder {
public:
    explicit SourceFinder(std::string_view text) : m_text(text), m_tokens(c_tokens(text))
    {
        for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
            m_line_ends.push_back(at);
    }

    std::vector<GfxFound> find_all(std::string_view only_name)
    {
        std::vector<GfxFound> found;
        for (std::size_t at = 0; at + 3 < m_tokens.size(); ++at) {
            if (m_tokens[at].kind != CTokenKind::Name || m_tokens[at].text != "GFXfont" || m_tokens[at + 1].kind != CTokenKind::Name)
                continue;
            std::size_t open = at + 2;
            while (open < m_tokens.size() && m_tokens[open].kind == CTokenKind::Name)
                ++open;  // PROGMEM and the like
            if (open + 1 >= m_tokens.size() || !is_token(m_tokens[open], "=") || !is_token(m_tokens[open + 1], "{"))
                continue;
            if (!only_name.empty() && m_tokens[at + 1].text != only_name)
                continue;
            found.push_back(read_font_record(at, open + 1));
        }
        return found;
    }

private:
    // The number of the line that holds `offset`, from 1.
    std::size_t line_of(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::lower_bound(m_line_ends.begin(), m_line_ends.end(), offset) - m_line_ends.begin()) + 1;
    }

    GfxFound refusal(std::size_t offset, std::string_view reason) const { return {std::nullopt, at_line(line_of(offset), reason)}; }

    GfxFound read_font_record(std::size_t type_at, std::size_t open)
    {
        GfxSource source;
        source.name = std::string(m_tokens[type_at + 1].text);
        source.font_line = line_of(m_tokens[type_at].begin);
        source.record = m_tokens[type_at].begin;
        const std::size_t close = closing_bracket(m_tokens, open);
        if (close >= m_tokens.size())
            return refusal(m_tokens[open].begin, "the GFXfont " + source.name + " has no closing \"}\"");
        const auto items = items_of(m_tokens, open, close);
        if (items.size() < 5)
            return refusal(m_tokens[open].begin, "the GFXfont " + source.name + " holds " + to_decimal(static_cast<std::int64_t>(items.size()))
                                                 + " values; it needs its bitmap, its glyphs, first, last and yAdvance");
        std::array<std::string_view, 2> arrays;
        for (std::size_t item = 0; item < 2; ++item) {
            // The array's name is the item's last name: «(uint8_t *)FreeSans9pt7bBitmaps».
            for (std::size_t at = items[item].first; at < items[item].second; ++at)
                if (m_tokens[at].kind == CTokenKind::Name)
                    arrays[item] = m_tokens[at].text;
        }
        std::array<SourceNumber*, 3> numbers = {&source.first, &source.last, &source.y_advance};
        constexpr std::array<std::string_view, 3> kNames = {"first code", "last code", "yAdvance"};
        for (std::size_t item = 2; item < 5; ++item) {
            std::size_t at = items[item].first;
            const std::optional<SourceNumber> number = number_at(m_tokens, at, items[item].second);
            if (!number || at != items[item].second)
                return refusal(m_tokens[items[item].first].begin, "the " + std::string(kNames[item - 2]) + " of the GFXfont "
                                                                      + source.name + " is not a number");
            *numbers[item - 2] = *number;
        }
        if (!find_array(arrays[0], source.bitmap) || !find_array(arrays[1], source.glyphs))
            return refusal(m_tokens[open].begin, "the GFXfont " + source.name + " names the array "
                                                     + std::string(source.bitmap.name.empty() ? arrays[0] : arrays[1])
                                                     + ", which the file does not define");
        read_bytes(source);
        read_records(source);
        const std::size_t last_byte = std::max({m_tokens[close].end, source.bitmap.close, source.glyphs.close});
        const std::size_t first_byte = std::min({m_tokens[type_at].begin, source.bitmap.start, source.glyphs.start});
        const std::size_t line_break = first_byte == 0 ? std::string_view::npos : m_text.rfind('\n', first_byte - 1);
        source.begin = line_break == std::string_view::npos ? 0 : line_break + 1;
        const std::size_t line_end = m_text.find('\n', last_byte);
        source.end = line_end == std::string_view::npos ? m_text.size() : line_end + 1;
        return {std::move(source), {}};
    }

    // Finds «NAME [ ... ] ... = {» and the matching "}".
    bool find_array(std::string_view name, SourceArray& array)
    {
        for (std::size_t at = 0; at + 1 < m_tokens.size(); ++at) {
            if (m_tokens[at].text != name || m_tokens[at].kind != CTokenKind::Name || !is_token(m_tokens[at + 1], "["))
                continue;
            const std::size_t bracket_close = closing_bracket(m_tokens, at + 1);
            std::size_t open = bracket_close + 1;
            while (open < m_tokens.size() && m_tokens[open].kind == CTokenKind::Name)
                ++open;
            if (open + 1 >= m_tokens.size() || !is_token(m_tokens[open], "=") || !is_token(m_tokens[open + 1], "{"))
                continue;
            const std::size_t close = closing_bracket(m_tokens, open + 1);
            if (close >= m_tokens.size())
                return false;
            array.name = std::string(name);
            array.open = m_tokens[open + 1].begin;
            array.close = m_tokens[close].begin;
            array.line = line_of(m_tokens[at].begin);
            if (bracket_close == at + 3 && m_tokens[at + 2].kind == CTokenKind::Number) {
                std::size_t size_at = at + 2;
                array.declared_size = number_at(m_tokens, size_at, bracket_close);
            }
            // The declaration's type and qualifiers stand before the name.
            std::size_t start = at;
            while (start > 0 && m_tokens[start - 1].kind == CTokenKind::Name)
                --start;
            array.start = m_tokens[start].begin;
            return true;
        }
        return false;
    }

    // The tokens of the array last found, #if blocks evaluated with the macros defined above it.
    Tokens array_tokens(SourceArray& array) const
    {
        const auto [open, close] = std::pair{m_array_tokens[0], m_array_tokens[1]};
        bool directives = false;
        Tokens active = active_tokens(std::span(m_tokens).first(open), std::span(m_tokens).subspan(open + 1, close - open - 1),
                                      &directives);
        array.directives = directives;
        return active;
    }

    void read_bytes(GfxSource& source)
    {
        m_array_tokens = locate(source.bitmap);
        const Tokens tokens = array_tokens(source.bitmap);
        bool outside = false;
        for (std::size_t at = 0; at < tokens.size();) {
            if (std::optional<SourceNumber> number = number_at(tokens, at, tokens.size())) {
                outside = outside || number->value < 0 || number->value > 255;
                source.bytes.push_back(*number);
            } else {
                ++at;
            }
        }
        if (outside)
            source.warnings.push_back(at_line(source.bitmap.line, "the bitmap " + source.bitmap.name
                                                                      + " holds numbers outside 0 to 255; their low 8 bits are taken"));
    }

    void read_records(GfxSource& source)
    {
        m_array_tokens = locate(source.glyphs);
        const Tokens tokens = array_tokens(source.glyphs);
        for (std::size_t at = 0; at < tokens.size(); ++at) {
            if (!is_token(tokens[at], "{"))
                continue;
            const std::size_t close = closing_bracket(tokens, at);
            SourceRecord record;
            record.line = line_of(tokens[at].begin);
            std::size_t field = 0;
            for (std::size_t inner = at + 1; inner < close;) {
                std::optional<SourceNumber> number = number_at(tokens, inner, close);
                if (!number) {
                    ++inner;
                    continue;
                }
                if (field < kRecordFields)
                    record.fields[field] = *number;
                ++field;
            }
            record.complete = field == kRecordFields;
            if (!record.complete)
                source.warnings.push_back(at_line(record.line, "a glyph record holds " + to_decimal(static_cast<std::int64_t>(field))
                                                                   + " numbers instead of 6; its glyph is blank"));
            source.records.push_back(record);
            at = close;
        }
    }

    // The token positions of an array's braces, found again from their byte offsets.
    std::array<std::size_t, 2> locate(const SourceArray& array) const
    {
        auto position = [&](std::size_t offset) {
            return static_cast<std::size_t>(std::lower_bound(m_tokens.begin(), m_tokens.end(), offset,
                                                             [](const CToken& token, std::size_t value) { return token.begin < value; })
                                            - m_tokens.begin());
        };
        return {position(array.open), position(array.close)};
    }

    std::string_view m_text;
    Tokens m_tokens;
    std::vector<std::size_t> m_line_ends;  // the offset of every LF
    std::array<std::size_t, 2> m_array_tokens = {};
};

// Where a record's box lies around the origin, on the base row's scale: y 0 is the base row.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

Box box_of(const SourceRecord& record)
{
    if (!record.complete)
        return {};
    const auto& fields = record.fields;
    return {static_cast<int>(fields[kXOffset].value), static_cast<int>(fields[kYOffset].value),
            static_cast<int>(fields[kWidth].value), static_cast<int>(fields[kHeight].value)};
}

bool in_byte_range(std::int64_t value) { return value >= 0 && value <= 255; }
bool in_signed_byte_range(std::int64_t value) { return value >= -128 && value <= 127; }

}  // namespace

std::vector<GfxFound> find_gfx_sources(std::string_view text) { return SourceFinder(text).find_all({}); }

GfxFound find_gfx_source(std::string_view text, std::string_view name, std::size_t record)
{
    std::vector<GfxFound> found = SourceFinder(text).find_all(name);
    if (found.empty())
        return {std::nullopt, "the file no longer holds the GFXfont " + std::string(name)};
    // Of several records of one name, the one that stands where the entry's did.
    for (GfxFound& candidate : found)
        if (candidate.source && candidate.source->record == record)
            return std::move(candidate);
    return std::move(found.front());
}

FontReadResult gfx_font_of(const GfxSource& source, Reading reading)
{
    FontReadResult result;
    result.warnings = source.warnings;
    const std::int64_t first = source.first.value;
    const std::int64_t last = source.last.value;
    if (first < 0 || last > 0xFFFF || last < first)
        return refused_at(source.font_line, "the GFXfont " + source.name + " has the codes " + to_decimal(first) + " to "
                                                + to_decimal(last) + "; a GFXfont holds one run of codes from 0 to 65535");
    const std::size_t count = static_cast<std::size_t>(last - first + 1);
    if (source.records.size() < count)
        result.warnings.push_back(at_line(source.glyphs.line, "the glyph table " + source.glyphs.name + " has "
                                                                  + counted(static_cast<std::int64_t>(source.records.size()), "record", "records")
                                                                  + " for the " + to_decimal(static_cast<std::int64_t>(count))
                                                                  + " codes from first to last; the codes without one stay blank"));
    else if (source.records.size() > count)
        result.warnings.push_back(at_line(source.glyphs.line, "the glyph table " + source.glyphs.name + " has "
                                                                  + to_decimal(static_cast<std::int64_t>(source.records.size() - count))
                                                                  + " records past the last code, which the library never draws; they are left out"));
    // The cell holds every box and the origin's column and base row.
    int left = 0;
    int right = 1;
    int top = 0;
    int bottom = 0;
    for (std::size_t index = 0; index < count && index < source.records.size(); ++index) {
        const SourceRecord& record = source.records[index];
        const auto& fields = record.fields;
        if (!in_byte_range(fields[kWidth].value) || !in_byte_range(fields[kHeight].value) || !in_byte_range(fields[kAdvance].value)
            || !in_signed_byte_range(fields[kXOffset].value) || !in_signed_byte_range(fields[kYOffset].value))
            return refused_at(record.line, "a glyph record holds a number outside its field's range (width, height and "
                                           "xAdvance 0 to 255, xOffset and yOffset -128 to 127)");
        const Box box = box_of(record);
        if (box.width == 0 || box.height == 0)
            continue;
        left = std::min(left, box.left);
        right = std::max(right, box.left + box.width);
        top = std::min(top, box.top);
        bottom = std::max(bottom, box.top + box.height - 1);
    }
    const int width = right - left;
    const int height = bottom - top + 1;
    if (width > 255 || height > 255)
        return refused_at(source.font_line, "the glyphs of " + source.name + " span " + to_decimal(width) + " x " + to_decimal(height)
                                                + " pixels around their origin; a font of up to 255 x 255 pixels can be read");
    if (std::int64_t{glyph_byte_count(width, height)} * static_cast<std::int64_t>(count) > kLargestFontBytes)
        return refused_at(source.font_line, "the " + to_decimal(static_cast<std::int64_t>(count)) + " glyphs of " + source.name
                                                + " in a cell of " + to_decimal(width) + " x " + to_decimal(height)
                                                + " pixels take more than 16 MiB; fonts of up to 16 MiB of glyphs can be read");
    Font& font = result.font;
    font.name = source.name;
    font.header = {width, height, static_cast<std::int32_t>(first), static_cast<std::int32_t>(count)};
    font.ascent = 1 - top;
    font.descent = bottom;
    font.origin_x = -left;
    font.line_height = static_cast<int>(std::clamp<std::int64_t>(source.y_advance.value, 0, 255));
    if (reading == Reading::Cell) {
        result.ok = true;
        return result;
    }
    font.font_table.assign(count, Glyph{});
    GlyphGrid grid(width, height);
    const GlyphGrid blank(width, height);
    int cut_short = 0;
    for (std::size_t index = 0; index < count; ++index) {
        Glyph& glyph = font.font_table[index];
        glyph.code_point = static_cast<char32_t>(first + static_cast<std::int64_t>(index));
        grid = blank;
        if (index < source.records.size()) {
            const SourceRecord& record = source.records[index];
            const Box box = box_of(record);
            glyph.advance = static_cast<int>(record.fields[kAdvance].value);
            const std::int64_t offset = record.fields[kOffset].value;
            const std::int64_t bits = static_cast<std::int64_t>(source.bytes.size()) * 8;
            if ((offset < 0 || offset * 8 + box.width * box.height > bits) && box.width * box.height > 0 && ++cut_short <= 10)
                result.warnings.push_back(at_line(record.line, "the glyph's bitmap runs past the end of " + source.bitmap.name
                                                                   + "; its missing pixels are clear"));
            for (int r = 0; offset >= 0 && r < box.height; ++r)
                for (int c = 0; c < box.width; ++c) {
                    const std::int64_t bit = offset * 8 + r * box.width + c;
                    if (bit < bits && (source.bytes[static_cast<std::size_t>(bit / 8)].value & (0x80 >> (bit % 8))) != 0)
                        grid.set(c + box.left - left, r + box.top - top, true);
                }
        }
        glyph.glyph_data = encode_glyph(grid);
    }
    result.ok = true;
    return result;
}

}  // namespace glyphwright::gfx

#include "formats/tft_espi_source.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>
#include <unordered_map>

#include "formats/font_text.h"
#include "text/text_primitives.h"

namespace glyphwright::tft_espi {

namespace {

using Tokens = std::vector<CToken>;

struct Declaration {
    std::size_t name_at = 0;   // token positions
    std::size_t start_at = 0;  // the first of the type's words
    std::size_t open_at = 0;
    std::size_t close_at = 0;
    std::optional<SourceNumber> declared_size;
};

class SourceFinder {
public:
    explicit SourceFinder(std::string_view text) : m_text(text)
    {
        m_tokens = c_tokens(text);
        keep_active_tokens({}, m_tokens);
        for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
            m_line_ends.push_back(at);
        for (std::size_t at = 0; at + 1 < m_tokens.size(); ++at)
            if (m_tokens[at].kind == CTokenKind::Name && is_token(m_tokens[at + 1], "["))
                if (std::optional<Declaration> declaration = declaration_at(at))
                    m_arrays.try_emplace(m_tokens[at].text, *declaration);
    }

    std::vector<TftFound> find_all(std::optional<std::size_t> only)
    {
        std::vector<TftFound> found;
        for (const auto& [name, declaration] : m_arrays) {
            if (!name.starts_with("chrtbl_") || name.size() == 7)
                continue;
            if (only && m_tokens[declaration.start_at].begin != *only)
                continue;
            found.push_back(read_font(declaration));
        }
        std::sort(found.begin(), found.end(), [](const TftFound& a, const TftFound& b) {
            return (a.source ? a.source->table_start : 0) < (b.source ? b.source->table_start : 0);
        });
        return found;
    }

private:
    std::size_t line_of(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::lower_bound(m_line_ends.begin(), m_line_ends.end(), offset) - m_line_ends.begin()) + 1;
    }

    // «NAME [ SIZE ] words = {» with its closing "}" at token `at`.
    std::optional<Declaration> declaration_at(std::size_t at) const
    {
        const std::size_t bracket_close = closing_bracket(m_tokens, at + 1);
        std::size_t open = bracket_close + 1;
        while (open < m_tokens.size() && m_tokens[open].kind == CTokenKind::Name)
            ++open;
        if (open + 1 >= m_tokens.size() || !is_token(m_tokens[open], "=") || !is_token(m_tokens[open + 1], "{"))
            return std::nullopt;
        Declaration declaration;
        declaration.name_at = at;
        declaration.open_at = open + 1;
        declaration.close_at = closing_bracket(m_tokens, open + 1);
        if (declaration.close_at >= m_tokens.size())
            return std::nullopt;
        if (bracket_close == at + 3) {
            std::size_t size_at = at + 2;
            declaration.declared_size = number_at(m_tokens, size_at, bracket_close);
        }
        declaration.start_at = at;
        while (declaration.start_at > 0 && m_tokens[declaration.start_at - 1].kind == CTokenKind::Name)
            --declaration.start_at;
        return declaration;
    }

    std::vector<SourceNumber> numbers_in(const Declaration& declaration) const
    {
        std::vector<SourceNumber> numbers;
        for (std::size_t at = declaration.open_at + 1; at < declaration.close_at;) {
            if (std::optional<SourceNumber> number = number_at(m_tokens, at, declaration.close_at))
                numbers.push_back(*number);
            else
                ++at;
        }
        return numbers;
    }

    TftFound refusal(std::size_t offset, std::string_view reason) const { return {std::nullopt, at_line(line_of(offset), reason)}; }

    TftFound read_font(const Declaration& table)
    {
        TftSource source;
        const std::string_view table_name = m_tokens[table.name_at].text;
        source.suffix = std::string(table_name.substr(7));
        source.table_start = m_tokens[table.start_at].begin;
        source.table_line = line_of(source.table_start);
        source.table_close = m_tokens[table.close_at].begin;
        const auto widths = m_arrays.find("widtbl_" + source.suffix);
        if (widths == m_arrays.end())
            return refusal(source.table_start, std::string(table_name) + " has no width table widtbl_" + source.suffix + " beside it");
        source.widths = numbers_in(widths->second);
        source.widths_open = m_tokens[widths->second.open_at].begin;
        source.widths_line = line_of(m_tokens[widths->second.start_at].begin);
        read_table(table, source);
        std::size_t first = std::min(source.table_start, m_tokens[widths->second.start_at].begin);
        std::size_t last = std::max(m_tokens[table.close_at].end, m_tokens[widths->second.close_at].end);
        for (const GlyphArray& array : source.arrays) {
            first = std::min(first, array.start);
            last = std::max(last, array.close + 1);
        }
        const std::size_t line_break = first == 0 ? std::string_view::npos : m_text.rfind('\n', first - 1);
        source.begin = line_break == std::string_view::npos ? 0 : line_break + 1;
        const std::size_t line_end = m_text.find('\n', last);
        source.end = line_end == std::string_view::npos ? m_text.size() : line_end + 1;
        if (source.widths.size() != source.table.size())
            source.warnings.push_back(at_line(source.widths_line, "the width table holds " + to_decimal(static_cast<std::int64_t>(source.widths.size()))
                                                                      + " widths and the pointer table " + to_decimal(static_cast<std::int64_t>(source.table.size()))
                                                                      + " glyphs; the font has the characters both give"));
        return {std::move(source), {}};
    }

    void read_table(const Declaration& table, TftSource& source)
    {
        std::unordered_map<std::string_view, std::size_t> array_of_name;
        std::size_t item_start = table.open_at + 1;
        for (std::size_t at = table.open_at + 1; at <= table.close_at; ++at) {
            if (at < table.close_at && !is_token(m_tokens[at], ","))
                continue;
            // The array's name is the item's last name: «(const unsigned char *)chr_f16_20».
            const CToken* name = nullptr;
            for (std::size_t inner = item_start; inner < at; ++inner)
                if (m_tokens[inner].kind == CTokenKind::Name)
                    name = &m_tokens[inner];
            item_start = at + 1;
            if (name == nullptr)
                continue;
            TableEntry entry{std::string(name->text), name->begin, name->end, std::nullopt};
            if (const auto known = array_of_name.find(name->text); known != array_of_name.end()) {
                entry.array = known->second;
            } else if (const auto declared = m_arrays.find(name->text); declared != m_arrays.end()) {
                const Declaration& declaration = declared->second;
                GlyphArray array{entry.name, m_tokens[declaration.start_at].begin, m_tokens[declaration.open_at].begin,
                                 m_tokens[declaration.close_at].begin, line_of(m_tokens[declaration.name_at].begin),
                                 declaration.declared_size, numbers_in(declaration)};
                entry.array = source.arrays.size();
                array_of_name.emplace(name->text, source.arrays.size());
                source.arrays.push_back(std::move(array));
            } else {
                source.warnings.push_back(at_line(line_of(name->begin), "the pointer table names " + entry.name
                                                                            + ", which the file does not define; its glyph is blank"));
            }
            source.table.push_back(std::move(entry));
        }
    }

    std::string_view m_text;
    Tokens m_tokens;
    std::vector<std::size_t> m_line_ends;
    std::map<std::string_view, Declaration> m_arrays;  // the first definition of each name
};

int run_pixels(const GlyphArray& array)
{
    int pixels = 0;
    for (const SourceNumber& number : array.bytes)
        pixels += (static_cast<int>(number.value) & 0x7F) + 1;
    return pixels;
}

}  // namespace

std::vector<TftFound> find_tft_sources(std::string_view text, std::optional<std::size_t> only)
{
    if (text.find("chrtbl_") == std::string_view::npos)
        return {};
    return SourceFinder(text).find_all(only);
}

std::optional<Shape> shape_of(const TftSource& source)
{
    const std::size_t count = std::min(source.widths.size(), source.table.size());
    std::optional<int> rows_height;
    bool rows = true;
    std::map<int, int> run_heights;  // height -> glyphs that give it
    for (std::size_t index = 0; index < count; ++index) {
        const std::optional<std::size_t> array = source.table[index].array;
        const int width = static_cast<int>(std::clamp<std::int64_t>(source.widths[index].value, 0, 255));
        if (!array)
            continue;
        const std::size_t size = source.arrays[*array].bytes.size();
        const int per_row = row_bytes(width);
        // A glyph one pixel wide has no row bytes; its array holds a blank byte or none.
        if (per_row > 0) {
            const int height = static_cast<int>(size) / per_row;
            if (size == 0 || size % static_cast<std::size_t>(per_row) != 0 || rows_height.value_or(height) != height)
                rows = false;
            else
                rows_height = height;
        }
        const int pixels = run_pixels(source.arrays[*array]);
        if (width > 0 && pixels % width == 0)
            ++run_heights[pixels / width];
    }
    if (rows && rows_height && *rows_height <= 255)
        return Shape{Encoding::Rows, *rows_height};
    const auto most = std::max_element(run_heights.begin(), run_heights.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most == run_heights.end() || most->first < 1 || most->first > 255)
        return std::nullopt;
    return Shape{Encoding::RunLength, most->first};
}

namespace {

struct LibraryFont {
    std::string_view file;
    std::string_view suffix;
    int baseline;
};

constexpr std::array<LibraryFont, 6> kLibraryFonts = {{
    {"Font16", "f16", 13},
    {"Font32rle", "f32", 19},
    {"Font64rle", "f64", 36},
    {"Font7srle", "f7s", 47},
    {"Font72rle", "f72", 73},
    {"Font72x53rle", "f72", 73},
}};

}  // namespace

std::optional<int> library_baseline(std::string_view suffix)
{
    for (const LibraryFont& font : kLibraryFonts)
        if (font.suffix == suffix)
            return font.baseline;
    return std::nullopt;
}

std::optional<std::string> library_suffix(std::string_view base_name)
{
    for (const LibraryFont& font : kLibraryFonts)
        if (font.file == base_name)
            return std::string(font.suffix);
    return std::nullopt;
}

}  // namespace glyphwright::tft_espi

#include "formats/glcd_font.h"

#include <algorithm>
#include <cctype>

#include "formats/c_byte_arrays.h"
#include "formats/c_font.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr int kRows = 8;
constexpr int kBaseRow = 6;
constexpr std::string_view kWiderForms = "the gfx, lvgl and bdf forms hold it";

struct Layout {
    int columns = 0;  // bytes a glyph
    int first = 0;
    int count = 0;
};

// A set of 96 glyphs or fewer starts at the space, as MicroPython's does; more start at code 0.
Layout layout_of_columns(int columns, std::size_t bytes)
{
    if (columns < 1 || columns > 8 || bytes % static_cast<std::size_t>(columns) != 0 || bytes / static_cast<std::size_t>(columns) > 256)
        return {};
    const int count = static_cast<int>(bytes) / columns;
    return {columns, count <= 96 ? 32 : 0, count};
}

// The columns a size in the name gives («font_petme128_8x8», «font5x7»): the width before "x".
std::optional<int> columns_in_name(std::string_view name)
{
    for (std::size_t at = 1; at + 1 < name.size(); ++at)
        if ((name[at] == 'x' || name[at] == 'X') && std::isdigit(static_cast<unsigned char>(name[at - 1])) != 0
            && std::isdigit(static_cast<unsigned char>(name[at + 1])) != 0 && (at < 2 || std::isdigit(static_cast<unsigned char>(name[at - 2])) == 0))
            return name[at - 1] - '0';
    return std::nullopt;
}

bool names_a_font(std::string_view name)
{
    const std::string upper = to_upper(name);
    return upper.find("FONT") != std::string::npos || upper.find("GLCD") != std::string::npos;
}

// The layout the array's length or name leaves, or none.
Layout layout_of(const CByteArray& array, std::optional<int> columns)
{
    const std::size_t size = array.numbers.size();
    if (columns)
        return layout_of_columns(*columns, size);
    if (const std::optional<int> named = columns_in_name(array.name); named && names_a_font(array.name))
        if (const Layout layout = layout_of_columns(*named == 7 ? 5 : *named, size); layout.columns > 0)
            return layout;
    switch (size) {
    case 1280: return {5, 0, 256};
    case 1536: return {6, 0, 256};
    case 768: return {8, 32, 96};
    case 2048: return {8, 0, 256};  // a wide font as written here, every code from 0
    default: return {};
    }
}

FontReadResult font_of(const CByteArray& array, const Layout& layout)
{
    FontReadResult result;
    if (layout.columns == 0)
        return refused_at(array.line, "the array " + array.name + " holds " + to_decimal(static_cast<std::int64_t>(array.numbers.size()))
                                          + " bytes, which leave more than one glyph size; give the columns a glyph with --cell WxH (5x8, 6x8 or 8x8)");
    if (std::any_of(array.numbers.begin(), array.numbers.end(), [](const SourceNumber& n) { return n.value < 0 || n.value > 255; }))
        result.warnings.push_back(at_line(array.line, "the array " + array.name + " holds numbers outside 0 to 255; their low 8 bits are taken"));
    Font& font = result.font;
    font.name = array.name;
    // Adafruit's 5 stored columns draw with a blank sixth, which the cell shows.
    const int width = layout.columns == 5 ? 6 : layout.columns;
    font.header = {width, kRows, layout.first, layout.count};
    font.ascent = kBaseRow + 1;
    font.descent = kRows - font.ascent;
    font.line_height = kRows;
    font.font_table.assign(static_cast<std::size_t>(std::max(layout.count, 1)), Glyph{});
    GlyphGrid grid(width, kRows);
    for (int index = 0; index < layout.count; ++index) {
        grid = GlyphGrid(width, kRows);
        for (int column = 0; column < layout.columns; ++column) {
            const std::int64_t byte = array.numbers[static_cast<std::size_t>(index * layout.columns + column)].value;
            for (int row = 0; row < kRows; ++row)
                grid.set(column, row, ((byte >> row) & 1) != 0);
        }
        Glyph& glyph = font.font_table[static_cast<std::size_t>(index)];
        glyph.code_point = static_cast<char32_t>(layout.first + index);
        glyph.advance = width;
        glyph.glyph_data = encode_glyph(grid);
    }
    result.ok = true;
    return result;
}

// The columns of the glyph of `code` in glcd rows (bit 0 at the top), `columns` of them; none
// when a pixel lies outside them.
std::optional<std::vector<std::int64_t>> columns_of(const Font& font, char32_t code, int columns, GlyphGrid& grid)
{
    std::vector<std::int64_t> bytes(static_cast<std::size_t>(columns), 0);
    const GlyphPlace place = glyph_place(font, code);
    if (!place.found)
        return bytes;
    decode_glyph(font.font_table[static_cast<std::size_t>(place.row)].glyph_data, grid);
    for (int y = 0; y < font.header.glyph_height; ++y)
        for (int x = 0; x < font.header.glyph_width; ++x) {
            if (grid.at(x, y) != 1)
                continue;
            const int column = x - font.origin_x;
            const int row = y - font.ascent + kBaseRow + 1;
            if (column < 0 || column >= columns || row < 0 || row >= kRows)
                return std::nullopt;
            bytes[static_cast<std::size_t>(column)] |= std::int64_t{1} << row;
        }
    return bytes;
}

// The columns a glyph of the font takes when written anew: 5, 6 or 8 from its rightmost pixel.
int columns_for(const Font& font)
{
    int right = 0;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        decode_glyph(font.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
        const PixelArea ink = ink_area(grid);
        if (!ink.empty())
            right = std::max(right, ink.x + ink.width - font.origin_x);
    }
    return right <= 5 ? 5 : right <= 6 ? 6 : 8;
}

// The layout a font is written in under the array name `name`: the columns a size in the name
// states when they hold the font, so that the array reads back as it was written («..._8x8» stays
// 8 columns); else as few as hold it, and then every code from 0, whose length no size in the
// name can be taken for.
Layout layout_for(const Font& font, std::string_view name)
{
    const int needed = columns_for(font);
    std::optional<int> named = names_a_font(name) ? columns_in_name(name) : std::nullopt;
    if (named == 7)
        named = 5;
    const bool as_named = named && (*named == 5 || *named == 6 || *named == 8) && *named >= needed;
    const int columns = as_named ? *named : needed;
    const int rows = glyph_count(font);
    const bool ascii = rows > 0 && font.font_table.front().code_point >= 32 && font.font_table[static_cast<std::size_t>(rows - 1)].code_point <= 127;
    return columns == 8 && ascii && (as_named || !named) ? Layout{8, 32, 96} : Layout{columns, 0, 256};
}

}  // namespace

FontScan scan_glcd_fonts(std::string_view text)
{
    FontScan scan;
    for (const CByteArray& array : c_byte_arrays(text)) {
        const Layout layout = layout_of(array, std::nullopt);
        if (layout.columns == 0 && !(names_a_font(array.name) && array.numbers.size() >= 256))
            continue;
        FontEntry entry;
        entry.name = array.name;
        entry.header = {layout.columns == 5 ? 6 : layout.columns, kRows, layout.first, layout.count};
        entry.leading_begin = entry.begin = array.begin;
        entry.data_begin = array.start;
        entry.data_end = entry.end = array.end;
        entry.guessed = true;
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty())
        scan.refusal = "no glcd font (a byte array of 5, 6 or 8 columns a glyph, such as glcdfont.c's 1280 bytes) was found";
    return scan;
}

FontReadResult read_glcd_font_entry(std::string_view text, const FontEntry& entry) { return read_glcd_font_with(text, entry, {}); }

FontReadResult read_glcd_font_with(std::string_view text, const FontEntry& entry, const ReadOptions& options)
{
    const std::vector<CByteArray> arrays = c_byte_arrays(text, entry.data_begin);
    if (arrays.empty())
        return refused("the file no longer holds the array " + entry.name);
    return font_of(arrays.front(), layout_of(arrays.front(), options.columns));
}

std::string glcd_refusal(const Font& font)
{
    const Layout layout = layout_for(font, {});
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        const std::string name = "the glyph of " + code_point_text(code);
        if (code > 255)
            return name + " has a code past 255, the last a glcd font holds; " + std::string(kWiderForms);
        if (!columns_of(font, code, layout.columns, grid))
            return name + " has pixels left of its origin, past 8 columns, or more than 6 rows above or 1 below its baseline, outside a glcd"
                          " glyph; " + std::string(kWiderForms);
    }
    return {};
}

std::string write_glcd_font(const Font& font, std::string_view save_path)
{
    const std::string name = c_array_name(font, save_path);
    const Layout layout = layout_for(font, name);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::string out = "// " + name + ": a glcd font of " + to_decimal(layout.columns) + " columns of 8 rows a glyph, codes " + to_decimal(layout.first)
                    + " to " + to_decimal(layout.first + layout.count - 1) + ", bit 0 at the top\n\n"
                      "#ifndef FONT5X7_H\n#define FONT5X7_H\n\n#ifdef __AVR__\n#include <avr/io.h>\n#include <avr/pgmspace.h>\n#elif defined(ESP8266)\n"
                      "#include <pgmspace.h>\n#else\n#define PROGMEM\n#endif\n\nstatic const unsigned char " + name + "[] PROGMEM = {\n";
    std::vector<std::int64_t> bytes;
    for (int index = 0; index < layout.count; ++index) {
        const std::vector<std::int64_t> columns = columns_of(font, static_cast<char32_t>(layout.first + index), layout.columns, grid).value_or(
            std::vector<std::int64_t>(static_cast<std::size_t>(layout.columns), 0));
        bytes.insert(bytes.end(), columns.begin(), columns.end());
    }
    const std::size_t per_line = layout.columns == 8 ? 8 : 12;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        out += (at % per_line == 0 ? "    " : " ") + std::string("0x") + upper_hex_digit(static_cast<unsigned>(bytes[at]) >> 4)
             + upper_hex_digit(static_cast<unsigned>(bytes[at])) + (at + 1 < bytes.size() ? "," : "");
        if (at % per_line == per_line - 1 && layout.columns == 8)
            out += " // " + to_decimal(layout.first + static_cast<int>(at / 8));
        if (at % per_line == per_line - 1 || at + 1 == bytes.size())
            out += "\n";
    }
    return out + "};\n\n#endif // FONT5X7_H\n";
}

InPlaceText glcd_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    const std::vector<CByteArray> arrays = c_byte_arrays(text, entry.data_begin);
    if (arrays.empty())
        return {false, {}, "the file no longer holds the array " + entry.name};
    const CByteArray& array = arrays.front();
    const int count = entry.header.char_count;
    const int columns = count > 0 ? static_cast<int>(array.numbers.size()) / count : 0;
    if (columns < 1 || columns > 8)
        return {false, {}, "the glyph size of " + entry.name + " is not known; open it with its cell given"};
    std::vector<std::int64_t> values;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        if (code < static_cast<char32_t>(entry.header.first_char) || code >= static_cast<char32_t>(entry.header.first_char + count))
            return {false, {}, entry.name + " holds codes " + to_decimal(entry.header.first_char) + " to " + to_decimal(entry.header.first_char + count - 1)
                                   + ", and " + code_point_text(code) + " lies outside them"};
    }
    for (int index = 0; index < count; ++index) {
        const char32_t code = static_cast<char32_t>(entry.header.first_char + index);
        const std::optional<std::vector<std::int64_t>> bytes = columns_of(font, code, columns, grid);
        if (!bytes)
            return {false, {}, "the glyph of " + code_point_text(code) + " has pixels outside the " + to_decimal(columns) + " x 8 glyphs of " + entry.name};
        values.insert(values.end(), bytes->begin(), bytes->end());
    }
    std::vector<Edit> edits;
    const std::span<const SourceNumber> old = std::span(array.numbers).first(values.size());
    edit_number_list(edits, text, old, values, array.open + 1, number_manner(text, array.numbers), Wrap::None);
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

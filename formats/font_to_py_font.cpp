#include "formats/font_to_py_font.h"

#include <algorithm>
#include <optional>

#include "formats/c_font.h"
#include "formats/font_to_py_module.h"
#include "model/glyph_grid.h"
#include "text/text_primitives.h"

namespace glyphwright {

using font_to_py::kWiderForms;
using font_to_py::Layout;
using font_to_py::layout_of;
using font_to_py::put_u16;
using font_to_py::Record;
using font_to_py::record_of;
using font_to_py::records_of;
using font_to_py::u16_at;

namespace {

constexpr int kMostSlotCodes = 95;

// What a module written anew holds: its byte strings and the values of its functions.
struct Encoded {
    std::string font;
    std::string index;
    bool sparse = false;
    int widest = 0;
    bool monospaced = false;
    int min_ch = 32;
    int max_ch = 32;
};

std::optional<Encoded> encode(const Font& font, bool hmap, std::string& problem)
{
    Encoded encoded;
    const int count = glyph_count(font);
    for (int row = 0; row < count; ++row)
        if (const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point; code > 0xFFFF) {
            problem = "the glyph of " + code_point_text(code) + " has a code past U+FFFF, the last a font module holds; " + std::string(kWiderForms);
            return std::nullopt;
        }
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    std::vector<std::string> records;
    records.reserve(static_cast<std::size_t>(count));
    std::optional<std::size_t> question;
    for (int row = 0; row < count; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        records.push_back(record_of(font, glyph, grid, hmap, false));
        const int width = u16_at(records.back(), 0);
        encoded.monospaced = row == 0 || (encoded.monospaced && width == encoded.widest);
        encoded.widest = std::max(encoded.widest, width);
        if (glyph.code_point == U'?')
            question = records.size() - 1;
    }
    if (count > 0) {
        encoded.min_ch = static_cast<int>(font.font_table.front().code_point);
        encoded.max_ch = static_cast<int>(font.font_table[static_cast<std::size_t>(count - 1)].code_point);
    }
    encoded.sparse = encoded.max_ch - encoded.min_ch + 1 > kMostSlotCodes;
    // The default glyph, drawn for codes the font lacks: '?' as the generator's, else the first.
    encoded.font = records.empty() ? std::string("\0\0", 2) : records[question.value_or(0)];
    std::vector<std::size_t> offsets;
    offsets.reserve(records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (encoded.sparse)
            encoded.font.resize((encoded.font.size() + 7) / 8 * 8, '\0');
        const std::size_t offset = encoded.font.size();
        const std::size_t limit = encoded.sparse ? 0xFFFF * 8 : 0xFFFF;
        if (offset > limit) {
            problem = "the glyph data pass " + std::string(encoded.sparse ? "the 524,280 bytes a sparse index reaches" : "the 65,535 bytes a slot index reaches")
                    + " at the glyph of " + code_point_text(font.font_table[k].code_point) + "; " + std::string(kWiderForms);
            return std::nullopt;
        }
        offsets.push_back(offset);
        encoded.font += records[k];
    }
    if (encoded.sparse) {
        encoded.index.assign(records.size() * 4, '\0');
        for (std::size_t k = 0; k < records.size(); ++k) {
            put_u16(encoded.index, 4 * k, font.font_table[k].code_point);
            put_u16(encoded.index, 4 * k + 2, static_cast<std::int64_t>(offsets[k] / 8));
        }
    } else {
        if (encoded.font.size() > 0xFFFF) {
            problem = "the glyph data end past the 65,535 bytes a slot index reaches; " + std::string(kWiderForms);
            return std::nullopt;
        }
        encoded.index.assign(static_cast<std::size_t>(encoded.max_ch - encoded.min_ch + 3) * 2, '\0');
        for (std::size_t k = 0; k < records.size(); ++k)
            put_u16(encoded.index, 2 * (font.font_table[k].code_point - static_cast<char32_t>(encoded.min_ch) + 1),
                    static_cast<std::int64_t>(offsets[k]));
        put_u16(encoded.index, encoded.index.size() - 2, static_cast<std::int64_t>(encoded.font.size()));
    }
    return encoded;
}

std::string function_text(std::string_view name, std::string_view value)
{
    std::string text = "def ";
    text.append(name).append("():\n    return ").append(value).append("\n\n");
    return text;
}

std::string bytes_assignment(std::string_view name, std::string_view bytes)
{
    std::string text(name);
    text.append(" =\\\n").append(python_bytes_text(bytes, PythonBytes{})).append("\n\n");
    return text;
}

// The lookup of the generator's latest version, which readers of the module call.
std::string lookup_text(const Encoded& encoded, int height, bool hmap)
{
    const std::string h = to_decimal(height);
    const std::string next = hmap ? "    next_offs = doff + 2 + ((width - 1)//8 + 1) * " + h + "\n"
                                  : "    next_offs = doff + 2 + ((" + h + " - 1)//8 + 1) * width\n";
    std::string text = "_mvfont = memoryview(_font)\n";
    if (encoded.sparse) {
        text.append("_mvsp = memoryview(_sparse)\n"
                    "ifb = lambda l : l[0] | (l[1] << 8)\n\n"
                    "def bs(lst, val):\n"
                    "    while True:\n"
                    "        m = (len(lst) & ~ 7) >> 1\n"
                    "        v = ifb(lst[m:])\n"
                    "        if v == val:\n"
                    "            return ifb(lst[m + 2:])\n"
                    "        if not m:\n"
                    "            return 0\n"
                    "        lst = lst[m:] if v < val else lst[:m]\n\n"
                    "def get_ch(ch):\n"
                    "    doff = bs(_mvsp, ord(ch)) << 3\n");
    } else {
        const std::string low = to_decimal(encoded.min_ch);
        text.append("_mvi = memoryview(_index)\n"
                    "ifb = lambda l : l[0] | (l[1] << 8)\n\n"
                    "def get_ch(ch):\n"
                    "    oc = ord(ch)\n"
                    "    ioff = 2 * (oc - ").append(low).append(" + 1) if oc >= ").append(low).append(" and oc <= ")
            .append(to_decimal(encoded.max_ch)).append(" else 0\n"
                                                       "    doff = ifb(_mvi[ioff : ])\n");
    }
    text.append("    width = ifb(_mvfont[doff : ])\n\n").append(next);
    text.append("    return _mvfont[doff + 2:next_offs], ").append(h).append(", width\n\n");
    return text;
}

}  // namespace

FontScan scan_font_to_py_fonts(std::string_view text)
{
    FontScan scan;
    std::string problem;
    const std::optional<Layout> layout = layout_of(text, problem);
    if (!layout) {
        scan.refusal = problem.empty() ? "no font module (a height() and the byte strings _font and _index or _sparse) was found" : problem;
        return scan;
    }
    std::vector<std::string> warnings;
    const std::vector<Record> records = records_of(text, *layout, warnings);
    FontEntry entry;
    int widest = 1;
    for (const Record& record : records)
        widest = std::max(widest, record.width);
    entry.header = {widest, layout->height, records.empty() ? layout->min_ch : static_cast<int>(records.front().code),
                    static_cast<std::int32_t>(records.size())};
    entry.data_begin = layout->font->line_begin;
    entry.data_end = entry.end = text.size();
    scan.entries.push_back(std::move(entry));
    return scan;
}

FontReadResult read_font_to_py_font_entry(std::string_view text, const FontEntry&)
{
    std::string problem;
    const std::optional<Layout> layout = layout_of(text, problem);
    if (!layout)
        return refused(problem.empty() ? "the file no longer holds a font module" : problem);
    return font_to_py::font_of(text, *layout);
}

std::string font_to_py_refusal(const Font& font)
{
    std::string problem;
    encode(font, true, problem);
    return problem;
}

std::string write_font_to_py_font(const Font& font, std::string_view save_path, const WriteOptions& options)
{
    std::string problem;
    const bool hmap = !options.vertical_map;
    const std::optional<Encoded> encoded = encode(font, hmap, problem);
    if (!encoded)
        return {};
    const int height = font.header.glyph_height;
    std::string text = "# ";
    text.append(c_array_name(font, save_path)).append(": a font module for MicroPython's display drivers\n");
    text.append("version = '0.42'\n\n");
    text.append(function_text("height", to_decimal(height)));
    text.append(function_text("baseline", to_decimal(std::clamp(font.ascent, 0, height))));
    text.append(function_text("max_width", to_decimal(encoded->widest)));
    text.append(function_text("hmap", hmap ? "True" : "False"));
    text.append(function_text("reverse", "False"));
    text.append(function_text("monospaced", encoded->monospaced ? "True" : "False"));
    text.append(function_text("min_ch", to_decimal(encoded->min_ch)));
    text.append(function_text("max_ch", to_decimal(encoded->max_ch)));
    text.append(bytes_assignment("_font", encoded->font));
    text.append(bytes_assignment(encoded->sparse ? "_sparse" : "_index", encoded->index));
    text.append(lookup_text(*encoded, height, hmap));
    return text;
}

}  // namespace glyphwright

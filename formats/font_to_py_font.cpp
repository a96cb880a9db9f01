#include "formats/font_to_py_font.h"

#include <algorithm>
#include <map>
#include <optional>

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/source_edits.h"
#include "formats/python_module.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kWiderForms = "the lvgl and bdf forms hold it";
constexpr int kMostSlotCodes = 95;

// How the index finds a code's record, by the generator's version.
enum class IndexKind {
    Starts,          // _index: u16 starts, slot 0 the default glyph, slot k + 1 code min_ch + k
    StartsFromCode,  // _index: u16 starts, slot k code min_ch + k, no default glyph (the first version)
    Pairs,           // _index: u16 start and end a slot, slots as Starts
    SparseBytes,     // _sparse: u16 code and u16 offset an entry
    SparseEights,    // _sparse: offsets in units of 8 bytes, records aligned to them
};

bool sparse(IndexKind kind) { return kind == IndexKind::SparseBytes || kind == IndexKind::SparseEights; }

struct Layout {
    PythonModule module;
    const PythonBytes* font = nullptr;
    const PythonBytes* index = nullptr;
    IndexKind kind = IndexKind::Starts;
    int height = 0;
    std::optional<int> baseline;
    bool hmap = true;
    bool reverse = false;
    int min_ch = 32;
    int max_ch = 126;
};

// A glyph's record in `_font`, and its index entry.
struct Record {
    char32_t code = 0;
    std::size_t offset = 0;
    std::size_t entry = 0;  // the entry's first byte in the index
    int width = 0;
};

std::size_t record_size(int width, int height, bool hmap)
{
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    return 2 + (hmap ? (w + 7) / 8 * h : (h + 7) / 8 * w);
}

int u16_at(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void put_u16(std::string& bytes, std::size_t at, std::int64_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

std::optional<Layout> layout_of(std::string_view text, std::string& problem)
{
    Layout layout;
    layout.module = python_module(text);
    const PythonModule& m = layout.module;
    layout.font = m.bytes("_font");
    const PythonBytes* index = m.bytes("_index");
    const PythonBytes* sparse_index = m.bytes("_sparse");
    const std::optional<std::int64_t> height = m.integer("height");
    if (layout.font == nullptr || !height || (index == nullptr && sparse_index == nullptr)) {
        if (layout.font != nullptr || height)
            problem = "a font module needs a height() and the byte strings _font and _index or _sparse, and this one lacks "
                    + std::string(!height ? "height()" : layout.font == nullptr ? "_font" : "_index and _sparse");
        return std::nullopt;
    }
    const std::size_t line = line_number_at(text, layout.font->line_begin);
    if (*height < 1 || *height > 255) {
        problem = at_line(line, "the font's height() is " + to_decimal(*height) + "; Glyphwright edits glyphs of 1 to 255 rows");
        return std::nullopt;
    }
    layout.height = static_cast<int>(*height);
    if (const std::optional<std::int64_t> baseline = m.integer("baseline"))
        layout.baseline = static_cast<int>(std::clamp<std::int64_t>(*baseline, 0, *height));
    layout.hmap = m.integer("hmap").value_or(1) != 0;
    layout.reverse = m.integer("reverse").value_or(0) != 0;
    const std::string_view code = text.substr(std::max(layout.font->end, (index ? index : sparse_index)->end));
    if (sparse_index != nullptr && index == nullptr) {
        layout.index = sparse_index;
        layout.kind = code.find("<< 3") != std::string_view::npos ? IndexKind::SparseEights : IndexKind::SparseBytes;
    } else {
        layout.index = index;
        layout.kind = code.find("idx_offs = 4 *") != std::string_view::npos ? IndexKind::Pairs
                    : code.find("_chr_addr") != std::string_view::npos && code.find("else ord('?')") != std::string_view::npos
                        ? IndexKind::StartsFromCode
                        : IndexKind::Starts;
        const std::optional<std::int64_t> min_ch = m.integer("min_ch");
        const std::optional<std::int64_t> max_ch = m.integer("max_ch");
        layout.min_ch = static_cast<int>(min_ch.value_or(32));
        layout.max_ch = static_cast<int>(max_ch.value_or(126));
        if (layout.min_ch < 0 || layout.max_ch > 0xFFFF || layout.min_ch > layout.max_ch) {
            problem = at_line(line, "the codes min_ch() " + to_decimal(layout.min_ch) + " to max_ch() " + to_decimal(layout.max_ch) + " make no range");
            return std::nullopt;
        }
    }
    return layout;
}

// The records of the codes the index gives, in code order, with what disagrees as warnings.
std::vector<Record> records_of(std::string_view text, const Layout& layout, std::vector<std::string>& warnings)
{
    const std::string& index = layout.index->bytes;
    const std::string& font = layout.font->bytes;
    std::vector<Record> records;
    auto warn = [&](std::size_t entry, const std::string& what) {
        warnings.push_back(at_line(line_number_at(text, layout.index->position_of(entry)), what));
    };
    auto add = [&](char32_t code, std::size_t entry, std::size_t offset) {
        if (offset + 2 > font.size()) {
            warn(entry, "the record of " + code_point_text(code) + " lies past the end of _font; the code is left out");
            return;
        }
        const int width = u16_at(font, offset);
        if (width > 255 || offset + record_size(width, layout.height, layout.hmap) > font.size()) {
            warn(entry, "the record of " + code_point_text(code) + (width > 255 ? " is " + to_decimal(width) + " pixels wide" : " runs past the end of _font")
                            + "; the code is left out");
            return;
        }
        records.push_back({code, offset, entry, width});
    };
    if (sparse(layout.kind)) {
        const std::size_t unit = layout.kind == IndexKind::SparseEights ? 8 : 1;
        char32_t previous = 0;
        for (std::size_t at = 0; at + 4 <= index.size(); at += 4) {
            const auto code = static_cast<char32_t>(u16_at(index, at));
            if (at > 0 && code <= previous) {
                warn(at, code_point_text(code) + " is out of order in _sparse, which get_ch() searches in code order; it is left out");
                continue;
            }
            previous = code;
            add(code, at, static_cast<std::size_t>(u16_at(index, at + 2)) * unit);
        }
        return records;
    }
    const std::size_t width = layout.kind == IndexKind::Pairs ? 4 : 2;
    const std::size_t first_slot = layout.kind == IndexKind::StartsFromCode ? 0 : 1;
    for (int code = layout.min_ch; code <= layout.max_ch; ++code) {
        const std::size_t entry = (first_slot + static_cast<std::size_t>(code - layout.min_ch)) * width;
        if (entry + 2 > index.size()) {
            warn(index.empty() ? 0 : index.size() - 1, "_index ends before the slot of " + code_point_text(static_cast<char32_t>(code))
                                                          + ", the codes to max_ch() " + to_decimal(layout.max_ch) + " are left out");
            break;
        }
        const std::size_t offset = static_cast<std::size_t>(u16_at(index, entry));
        if (offset != 0 || layout.kind == IndexKind::StartsFromCode)
            add(static_cast<char32_t>(code), entry, offset);
    }
    return records;
}

void draw_record(std::string_view record, int width, int height, bool hmap, bool reverse, GlyphGrid& grid)
{
    const int row_bytes = (width + 7) / 8;
    const int column_bytes = (height + 7) / 8;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const std::size_t at = 2 + static_cast<std::size_t>(hmap ? y * row_bytes + x / 8 : x * column_bytes + y / 8);
            const int bit = hmap ? (reverse ? x % 8 : 7 - x % 8) : (reverse ? 7 - y % 8 : y % 8);
            if (((static_cast<unsigned char>(record[at]) >> bit) & 1) != 0)
                grid.set(x, y, true);
        }
    }
}

FontReadResult font_of(std::string_view text, const Layout& layout)
{
    FontReadResult result;
    const std::vector<Record> records = records_of(text, layout, result.warnings);
    int widest = 1;
    for (const Record& record : records)
        widest = std::max(widest, record.width);
    Font& font = result.font;
    const int first = records.empty() ? layout.min_ch : static_cast<int>(records.front().code);
    font.header = {widest, layout.height, first, static_cast<std::int32_t>(records.size())};
    font.line_height = layout.height;
    font.font_table.assign(records.size(), Glyph{});
    for (std::size_t k = 0; k < records.size(); ++k) {
        const Record& record = records[k];
        GlyphGrid grid(widest, layout.height);
        draw_record(std::string_view(layout.font->bytes).substr(record.offset), record.width, layout.height, layout.hmap, layout.reverse, grid);
        Glyph& glyph = font.font_table[k];
        glyph.code_point = record.code;
        glyph.advance = record.width;
        glyph.glyph_data = encode_glyph(grid);
    }
    font.ascent = layout.baseline ? *layout.baseline : rows_above_glyphs_base(font);
    font.descent = layout.height - font.ascent;
    result.ok = true;
    return result;
}

// A glyph's record: its width, then its columns from the leftmost of its origin and its ink to
// the rightmost of its advance and its ink.
std::string record_of(const Font& font, const Glyph& glyph, GlyphGrid& grid, bool hmap, bool reverse)
{
    decode_glyph(glyph.glyph_data, grid);
    const PixelArea ink = ink_area(grid);
    const int height = font.header.glyph_height;
    int left = font.origin_x;
    int right = font.origin_x + std::max(glyph.advance, 0);
    if (!ink.empty()) {
        left = std::min(left, ink.x);
        right = std::max(right, ink.x + ink.width);
    }
    const int width = right - left;
    std::string record(record_size(width, height, hmap), '\0');
    put_u16(record, 0, width);
    const int row_bytes = (width + 7) / 8;
    const int column_bytes = (height + 7) / 8;
    for (int x = std::max(left, ink.x); !ink.empty() && x < ink.x + ink.width; ++x) {
        for (int y = ink.y; y < ink.y + ink.height; ++y) {
            if (grid.at(x, y) != 1)
                continue;
            const int c = x - left;
            const std::size_t at = 2 + static_cast<std::size_t>(hmap ? y * row_bytes + c / 8 : c * column_bytes + y / 8);
            const int bit = hmap ? (reverse ? c % 8 : 7 - c % 8) : (reverse ? 7 - y % 8 : y % 8);
            record[at] = static_cast<char>(static_cast<unsigned char>(record[at]) | (1u << bit));
        }
    }
    return record;
}

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
    return font_of(text, *layout);
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

InPlaceText font_to_py_font_in_place(std::string_view text, const FontEntry&, const Font& font)
{
    std::string problem;
    const std::optional<Layout> layout = layout_of(text, problem);
    if (!layout)
        return {false, {}, problem.empty() ? "the file no longer holds a font module" : problem};
    std::vector<std::string> warnings;
    const std::vector<Record> records = records_of(text, *layout, warnings);
    const Font before = font_of(text, *layout).font;
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
    if (layout->baseline)
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

// Writing TFT_eSPI fonts: whole files and their headers, and saves in place.

#include <algorithm>
#include <map>
#include <set>

#include "formats/c_font.h"
#include "formats/font_text.h"
#include "formats/tft_espi_font.h"
#include "formats/tft_espi_source.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

using tft_espi::Encoding;
using tft_espi::kCodes;
using tft_espi::kFirstCode;
using tft_espi::TftFound;
using tft_espi::TftSource;

namespace {

constexpr std::string_view kWiderForms = "the gfx, vlw and bdf forms";

// One glyph as TFT_eSPI stores it: its width (advance and blank column included) and its bytes.
struct Written {
    int width = 1;
    std::vector<std::int64_t> bytes;
    bool operator==(const Written&) const = default;
};

// The glyph's cell as rows of pixels, left edge at the cell's column 0: pixels left of the origin
// move the glyph right, and the width (the advance) grows to hold the rightmost pixel, in Font 2
// within the row's bytes.
struct CellPixels {
    int width = 1;
    std::vector<std::vector<bool>> rows;
};

CellPixels cell_of(const Font& font, const Glyph* glyph, int blank_width, Encoding encoding, GlyphGrid& grid)
{
    const int height = font.header.glyph_height;
    CellPixels cell{std::max(1, blank_width), std::vector<std::vector<bool>>(static_cast<std::size_t>(height))};
    if (glyph == nullptr) {
        for (auto& row : cell.rows)
            row.assign(static_cast<std::size_t>(cell.width), false);
        return cell;
    }
    decode_glyph(glyph->glyph_data, grid);
    const PixelArea ink = ink_area(grid);
    const int shift = ink.empty() ? 0 : std::max(0, font.origin_x - ink.x);
    cell.width = std::max(1, glyph->advance + shift);
    if (!ink.empty()) {
        const int columns = ink.x + ink.width - font.origin_x + shift;
        cell.width = std::max(cell.width, columns);
        if (encoding == Encoding::Rows && tft_espi::row_bytes(cell.width) * 8 < columns)
            ++cell.width;
    }
    for (int y = 0; y < height; ++y) {
        auto& row = cell.rows[static_cast<std::size_t>(y)];
        row.assign(static_cast<std::size_t>(cell.width), false);
        for (int x = 0; x < cell.width; ++x) {
            const int column = x - shift + font.origin_x;
            row[static_cast<std::size_t>(x)] = column >= 0 && column < font.header.glyph_width && grid.at(column, y) == 1;
        }
    }
    return cell;
}

Written encode_cell(const CellPixels& cell, Encoding encoding)
{
    Written written{cell.width, {}};
    if (encoding == Encoding::Rows) {
        const int per_row = tft_espi::row_bytes(cell.width);
        for (const auto& row : cell.rows)
            for (int at = 0; at < per_row; ++at) {
                int byte = 0;
                for (int bit = 0; bit < 8 && at * 8 + bit < cell.width; ++bit)
                    byte |= row[static_cast<std::size_t>(at * 8 + bit)] ? 0x80 >> bit : 0;
                written.bytes.push_back(byte);
            }
        if (per_row == 0)
            written.bytes.push_back(0);  // an array of no bytes is no C
        return written;
    }
    std::vector<bool> pixels;
    for (const auto& row : cell.rows)
        pixels.insert(pixels.end(), row.begin(), row.end());
    for (std::size_t at = 0; at < pixels.size();) {
        std::size_t run = 1;
        while (at + run < pixels.size() && pixels[at + run] == pixels[at])
            ++run;
        const int ink = pixels[at] ? 0x80 : 0;
        for (std::size_t left = run; left > 0;) {
            const std::size_t chunk = std::min<std::size_t>(left, 128);
            written.bytes.push_back(ink | static_cast<int>(chunk - 1));
            left -= chunk;
        }
        at += run;
    }
    return written;
}

// The width a code the font lacks is given: the space's, else the most common advance.
int blank_width(const Font& font)
{
    const GlyphPlace space = glyph_place(font, U' ');
    return space.found ? font.font_table[static_cast<std::size_t>(space.row)].advance : most_common_advance(font);
}

// Every code from 32 of `count` as the form stores it.
std::vector<Written> encode_font(const Font& font, Encoding encoding, int count = kCodes)
{
    std::vector<Written> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    const int blank = blank_width(font);
    for (int code = kFirstCode; code < kFirstCode + count; ++code) {
        const GlyphPlace place = glyph_place(font, static_cast<char32_t>(code));
        const Glyph* glyph = place.found ? &font.font_table[static_cast<std::size_t>(place.row)] : nullptr;
        glyphs.push_back(encode_cell(cell_of(font, glyph, blank, encoding, grid), encoding));
    }
    return glyphs;
}

std::string hex_byte(std::int64_t value)
{
    std::string text = "0x";
    text += upper_hex_digit(static_cast<unsigned>(value) >> 4);
    text += upper_hex_digit(static_cast<unsigned>(value));
    return text;
}

std::string glyph_name(std::string_view suffix, int code)
{
    std::string name = "chr_";
    name.append(suffix).append("_").append(hex_byte(code).substr(2));
    return name;
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// A glyph array, declaration to "};", lines ending in `line_end`.
std::string array_text(std::string_view name, const Written& glyph, Encoding encoding, std::string_view line_end)
{
    std::string out;
    if (encoding == Encoding::RunLength) {
        out.append("PROGMEM const unsigned char ").append(name).append("[] = ").append(line_end).append("{").append(line_end);
        for (std::size_t at = 0; at < glyph.bytes.size(); ++at) {
            out.append(hex_byte(glyph.bytes[at]));
            if (at + 1 == glyph.bytes.size())
                out.append(line_end);
            else if (at % 8 == 7)
                out.append(",").append(line_end);
            else
                out.append(", ");
        }
        return out.append("};").append(line_end);
    }
    const int per_row = std::max(1, tft_espi::row_bytes(glyph.width));
    const int rows = static_cast<int>(glyph.bytes.size()) / per_row;
    const int rows_per_line = std::max(1, 11 / per_row);
    std::string declaration = "PROGMEM const unsigned char ";
    declaration.append(name).append("[").append(to_decimal(static_cast<std::int64_t>(glyph.bytes.size()))).append("] =");
    out.append(padded(std::move(declaration), 53)).append("// ").append(to_decimal(per_row)).append(" unsigned char").append(per_row == 1 ? "" : "s");
    out.append(" per row").append(line_end).append("{").append(line_end);
    std::size_t comment_column = 0;
    for (int first = 0; first < rows; first += rows_per_line) {
        const int last = std::min(rows, first + rows_per_line);
        std::string line = "       ";
        for (int at = first * per_row; at < last * per_row; ++at)
            line.append(" ").append(hex_byte(glyph.bytes[static_cast<std::size_t>(at)])).append(at + 1 < rows * per_row ? "," : "");
        comment_column = std::max(comment_column, line.size() + 4);
        out += padded(line, comment_column) + "// row " + to_decimal(first + 1) + (last - first > 1 ? " - " + to_decimal(last) : "") + std::string(line_end);
    }
    return out + "};" + std::string(line_end);
}

std::string suffix_of(const Font& font, std::string_view save_path)
{
    std::string_view base = file_name_part(save_path);
    base = base.substr(0, base.size() - file_extension(base).size() - (file_extension(base).empty() ? 0 : 1));
    return tft_espi::library_suffix(base).value_or(c_array_name(font, save_path));
}

Encoding encoding_of(const WriteOptions& options) { return options.run_length ? Encoding::RunLength : Encoding::Rows; }

}  // namespace

std::string tft_espi_refusal(const Font& font)
{
    const int rows = glyph_count(font);
    for (int row = 0; row < rows; ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        if (code < static_cast<char32_t>(kFirstCode) || code >= static_cast<char32_t>(kFirstCode + kCodes))
            return "the glyph of " + code_point_text(code) + " has a code outside 32 to 127, the codes of a TFT_eSPI font; "
                 + std::string(kWiderForms) + " hold it";
    }
    if (font.header.glyph_height > 255)
        return "its glyphs are " + to_decimal(font.header.glyph_height) + " rows high; a TFT_eSPI font holds up to 255";
    const std::vector<Written> glyphs = encode_font(font, Encoding::Rows);
    for (std::size_t index = 0; index < glyphs.size(); ++index)
        if (glyphs[index].width > 255)
            return "the glyph of " + code_point_text(static_cast<char32_t>(kFirstCode + static_cast<int>(index))) + " is "
                 + to_decimal(glyphs[index].width) + " pixels wide from its origin; a TFT_eSPI font's widths reach 255";
    return {};
}

std::string write_tft_espi_font(const Font& font, std::string_view save_path, const WriteOptions& options)
{
    const std::string suffix = suffix_of(font, save_path);
    const Encoding encoding = encoding_of(options);
    const std::vector<Written> glyphs = encode_font(font, encoding);
    std::string out = "// " + (font.name.empty() ? suffix : font.name) + ": a TFT_eSPI font of " + to_decimal(font.header.glyph_height)
                    + " rows, characters 32 to 127" + (encoding == Encoding::RunLength ? ", run-length encoded" : "") + "\n";
    LineReader comments(font.header_text);
    while (!comments.at_end())
        out += std::string(comments.read_line()) + "\n";
    out.append("\n").append(padded("PROGMEM const unsigned char widtbl_" + suffix + "[96] =", 53)).append("// character width table\n{\n");
    for (int first = 0; first < kCodes; first += 8) {
        std::string line = "       ";
        for (int at = first; at < first + 8; ++at)
            line.append(" ").append(to_decimal(glyphs[static_cast<std::size_t>(at)].width)).append(at + 1 < kCodes ? "," : "");
        out += padded(line, 44) + "// char " + to_decimal(kFirstCode + first) + " - " + to_decimal(kFirstCode + first + 7) + "\n";
    }
    out += "};\n\n// Row format, MSB left\n";
    for (int index = 0; index < kCodes; ++index)
        out.append("\n").append(array_text(glyph_name(suffix, kFirstCode + index), glyphs[static_cast<std::size_t>(index)], encoding, "\n"));
    out.append("\n").append(padded("PROGMEM const unsigned char* const chrtbl_" + suffix + "[96] =", 51)).append("// character pointer table\n{\n");
    for (int first = 0; first < kCodes; first += 8) {
        out += "       ";
        for (int at = first; at < first + 8; ++at)
            out.append(" ").append(glyph_name(suffix, kFirstCode + at)).append(at + 1 < kCodes ? "," : "");
        out += "\n";
    }
    return out + "};\n";
}

std::string write_tft_espi_companion(std::optional<std::string_view> old, const Font& font, std::string_view save_path)
{
    const std::string suffix = suffix_of(font, save_path);
    const std::int64_t height = font.header.glyph_height;
    const std::int64_t baseline = font.ascent;
    if (old) {
        std::vector<Edit> edits;
        for (const CToken& token : c_tokens(*old)) {
            if (token.kind != CTokenKind::Directive)
                continue;
            const std::size_t hash = token.text.find('#') + 1;
            const std::vector<CToken> words = c_tokens(token.text.substr(hash));
            if (words.size() != 3 || !is_token(words[0], "define") || words[2].kind != CTokenKind::Number)
                continue;
            std::size_t at = 2;
            std::optional<SourceNumber> number = number_at(words, at, 3);
            if (!number)
                continue;
            number->begin += token.begin + hash;
            number->end += token.begin + hash;
            if (words[1].text == "chr_hgt_" + font.name)
                edit_number(edits, *old, *number, height);
            else if (words[1].text == "baseline_" + font.name)
                edit_number(edits, *old, *number, baseline);
        }
        return with_edits(*old, std::move(edits));
    }
    std::string_view file = file_name_part(save_path);
    return "#include <Fonts/" + std::string(file) + ">\n\n#define nr_chrs_" + suffix + " 96\n#define chr_hgt_" + suffix + " " + to_decimal(height)
         + "\n#define baseline_" + suffix + " " + to_decimal(baseline) + "\n#define data_size_" + suffix + " 8\n#define firstchr_" + suffix
         + " 32\n\nextern const unsigned char widtbl_" + suffix + "[96];\nextern const unsigned char* const chrtbl_" + suffix + "[96];\n";
}

InPlaceText tft_espi_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    if (std::string refusal = tft_espi_refusal(font); !refusal.empty())
        return {false, {}, refusal};
    std::vector<TftFound> found = tft_espi::find_tft_sources(text, entry.data_begin);
    if (found.empty() || !found.front().source)
        return {false, {}, found.empty() ? "the file no longer holds the TFT_eSPI font " + entry.name : found.front().refusal};
    const TftSource& source = *found.front().source;
    const std::optional<tft_espi::Shape> shape = tft_espi::shape_of(source);
    if (!shape)
        return {false, {}, "the glyph arrays of chrtbl_" + source.suffix + " agree on no height"};
    const int count = static_cast<int>(std::min(source.widths.size(), source.table.size()));
    for (int row = 0; row < glyph_count(font); ++row)
        if (font.font_table[static_cast<std::size_t>(row)].code_point >= static_cast<char32_t>(kFirstCode + count))
            return {false, {}, "the tables of " + source.suffix + " hold " + to_decimal(count) + " characters, and the glyph of "
                                   + code_point_text(font.font_table[static_cast<std::size_t>(row)].code_point) + " lies past them"};
    const std::vector<Written> glyphs = encode_font(font, shape->encoding, count);
    const std::size_t line_break = source.table_start == 0 ? std::string_view::npos : text.rfind('\n', source.table_start - 1);
    const std::size_t table_line = line_break == std::string_view::npos ? 0 : line_break + 1;
    const std::string_view line_end = line_break == std::string_view::npos ? std::string_view("\n") : line_end_before(text, table_line);
    std::vector<Edit> edits;
    std::map<std::size_t, int> owner;  // array -> the first code's index that keeps it
    std::set<std::string> names;
    for (const tft_espi::GlyphArray& array : source.arrays)
        names.insert(array.name);
    std::string added;
    // A glyph that draws as before keeps its width and bytes as written (another program's runs
    // need not be the fewest).
    const FontReadResult before = read_tft_espi_font_entry(text, entry);
    const bool same_cell = before.ok && before.font.header.glyph_width == font.header.glyph_width
                        && before.font.header.glyph_height == font.header.glyph_height && before.font.origin_x == font.origin_x;
    for (int index = 0; index < count; ++index) {
        const Written& glyph = glyphs[static_cast<std::size_t>(index)];
        const tft_espi::TableEntry& slot = source.table[static_cast<std::size_t>(index)];
        const GlyphPlace place = glyph_place(font, static_cast<char32_t>(kFirstCode + index));
        if (same_cell && place.found && static_cast<std::size_t>(index) < before.font.font_table.size()
            && font.font_table[static_cast<std::size_t>(place.row)].glyph_data == before.font.font_table[static_cast<std::size_t>(index)].glyph_data
            && font.font_table[static_cast<std::size_t>(place.row)].advance == before.font.font_table[static_cast<std::size_t>(index)].advance) {
            if (slot.array)
                owner.try_emplace(*slot.array, index);
            continue;
        }
        edit_number(edits, text, source.widths[static_cast<std::size_t>(index)], glyph.width);
        if (slot.array && owner.try_emplace(*slot.array, index).second) {
            const tft_espi::GlyphArray& array = source.arrays[*slot.array];
            const std::string_view like = number_manner(text, array.bytes);
            edit_number_list(edits, text, array.bytes, glyph.bytes, array.open + 1, like, Wrap::LikeFirstLine);
            // A declared size that only reserves room past the bytes (Font16.c's chr_f16_5E[32]) stays while the bytes fit.
            const auto size = static_cast<std::int64_t>(glyph.bytes.size());
            if (array.declared_size && array.bytes.size() != glyph.bytes.size()
                && (array.declared_size->value == static_cast<std::int64_t>(array.bytes.size()) || array.declared_size->value < size))
                edit_number(edits, text, *array.declared_size, size);
            continue;
        }
        if (slot.array && glyphs[static_cast<std::size_t>(owner[*slot.array])] == glyph)
            continue;
        // A code that shared its array with another and now differs, or named none: an array of its own.
        std::string name = glyph_name(source.suffix, kFirstCode + index);
        for (int suffix = 1; names.contains(name); ++suffix)
            name = glyph_name(source.suffix, kFirstCode + index) + "_" + to_decimal(suffix);
        names.insert(name);
        added += array_text(name, glyph, shape->encoding, line_end) + std::string(line_end);
        edits.push_back({slot.begin, slot.end, name});
    }
    if (!added.empty())
        edits.push_back({table_line, table_line, added});
    return {true, with_edits(text, std::move(edits)), {}};
}

}  // namespace glyphwright

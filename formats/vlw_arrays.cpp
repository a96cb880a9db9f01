// Smooth fonts as whole .vlw files, or as C byte arrays that hold such files.

#include <algorithm>

#include "formats/font_text.h"
#include "formats/source_edits.h"
#include "formats/vlw_binary.h"
#include "formats/vlw_font.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// A byte array of a C source and the bytes it holds.
struct ByteArray {
    std::string name;
    std::size_t start = 0;  // the name's offset, which identifies the array
    std::size_t open = 0;
    std::size_t begin = 0;  // its first line
    std::size_t end = 0;    // past its last line
    std::optional<SourceNumber> declared_size;
    std::vector<SourceNumber> numbers;
    std::string bytes;
};

// The byte arrays whose first eight numbers begin a smooth font (a glyph count, then version 11).
std::vector<ByteArray> vlw_arrays(std::string_view text, std::optional<std::size_t> only = std::nullopt)
{
    std::vector<ByteArray> arrays;
    if (text.find('{') == std::string_view::npos)
        return arrays;
    std::vector<CToken> tokens = c_tokens(text);
    keep_active_tokens({}, tokens);
    for (std::size_t at = 0; at + 1 < tokens.size(); ++at) {
        if (tokens[at].kind != CTokenKind::Name || !is_token(tokens[at + 1], "[") || (only && tokens[at].begin != *only))
            continue;
        const std::size_t bracket_close = closing_bracket(tokens, at + 1);
        std::size_t open = bracket_close + 1;
        while (open < tokens.size() && tokens[open].kind == CTokenKind::Name)
            ++open;
        if (open + 1 >= tokens.size() || !is_token(tokens[open], "=") || !is_token(tokens[open + 1], "{"))
            continue;
        const std::size_t close = closing_bracket(tokens, open + 1);
        if (close >= tokens.size())
            continue;
        ByteArray array;
        for (std::size_t inner = open + 2; inner < close;) {
            if (std::optional<SourceNumber> number = number_at(tokens, inner, close))
                array.numbers.push_back(*number);
            else
                ++inner;
            if (array.numbers.size() == 8 && (array.numbers[0].value != 0 || array.numbers[4].value != 0 || array.numbers[5].value != 0
                                              || array.numbers[6].value != 0 || array.numbers[7].value != 11))
                break;
        }
        if (array.numbers.size() < 24 || array.numbers[7].value != 11)
            continue;
        array.name = std::string(tokens[at].text);
        array.start = tokens[at].begin;
        array.open = tokens[open + 1].begin;
        if (bracket_close == at + 3) {
            std::size_t size_at = at + 2;
            array.declared_size = number_at(tokens, size_at, bracket_close);
        }
        for (const SourceNumber& number : array.numbers)
            array.bytes += static_cast<char>(number.value & 0xFF);
        std::size_t first = at;
        while (first > 0 && tokens[first - 1].kind == CTokenKind::Name)
            --first;
        const std::size_t line_break = tokens[first].begin == 0 ? std::string_view::npos : text.rfind('\n', tokens[first].begin - 1);
        array.begin = line_break == std::string_view::npos ? 0 : line_break + 1;
        const std::size_t line_end = text.find('\n', tokens[close].end);
        array.end = line_end == std::string_view::npos ? text.size() : line_end + 1;
        arrays.push_back(std::move(array));
        at = close;
    }
    return arrays;
}

}  // namespace

FontScan scan_vlw_fonts(std::string_view bytes)
{
    FontScan binary = scan_vlw_binary(bytes);
    if (!binary.entries.empty())
        return binary;
    FontScan scan;
    for (const ByteArray& array : vlw_arrays(bytes)) {
        FontScan inner = scan_vlw_binary(array.bytes);
        if (inner.entries.empty()) {
            if (scan.refusal.empty())
                scan.refusal = at_line(line_number_at(bytes, array.start), "the array " + array.name + " begins as a smooth font, but " + inner.refusal);
            continue;
        }
        FontEntry entry = inner.entries.front();
        entry.name = array.name;
        entry.leading_begin = entry.begin = array.begin;
        entry.data_begin = array.start;
        entry.data_end = entry.end = array.end;
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty() && scan.refusal.empty())
        scan.refusal = binary.refusal;
    return scan;
}

FontReadResult read_vlw_font_entry(std::string_view bytes, const FontEntry& entry) { return read_vlw_font_with(bytes, entry, {}); }

FontReadResult read_vlw_font_with(std::string_view bytes, const FontEntry& entry, const ReadOptions& options)
{
    if (entry.data_begin == 0 && entry.end == bytes.size())
        if (FontReadResult whole = read_vlw_binary(bytes, options); whole.ok)
            return whole;
    const std::vector<ByteArray> arrays = vlw_arrays(bytes, entry.data_begin);
    if (arrays.empty())
        return refused("the file no longer holds the smooth font " + entry.name);
    return read_vlw_binary(arrays.front().bytes, options);
}

InPlaceText vlw_font_in_place(std::string_view bytes, const FontEntry& entry, const Font& font)
{
    const std::vector<ByteArray> arrays = entry.data_begin == 0 && !scan_vlw_binary(bytes).entries.empty()
                                              ? std::vector<ByteArray>{}
                                              : vlw_arrays(bytes, entry.data_begin);
    if (arrays.empty())
        return vlw_binary_in_place(bytes, font);
    const ByteArray& array = arrays.front();
    InPlaceText written = vlw_binary_in_place(array.bytes, font);
    if (!written.ok || written.text == array.bytes)
        return written.ok ? InPlaceText{true, std::string(bytes), {}} : written;
    std::vector<std::int64_t> values;
    for (char byte : written.text)
        values.push_back(static_cast<unsigned char>(byte));
    std::vector<Edit> edits;
    edit_number_list(edits, bytes, array.numbers, values, array.open + 1, number_manner(bytes, array.numbers), Wrap::LikeFirstLine);
    if (array.declared_size && array.declared_size->value == static_cast<std::int64_t>(array.numbers.size()))
        edit_number(edits, bytes, *array.declared_size, static_cast<std::int64_t>(values.size()));
    return {true, with_edits(bytes, std::move(edits)), {}};
}

}  // namespace glyphwright

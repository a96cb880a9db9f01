// Smooth fonts as whole .vlw files, or as C byte arrays that hold such files.

#include <algorithm>

#include "formats/c_byte_arrays.h"
#include "formats/font_text.h"
#include "formats/source_edits.h"
#include "formats/vlw_binary.h"
#include "formats/vlw_font.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// A byte array that holds a smooth font: its first eight numbers a glyph count and version 11.
struct ByteArray : CByteArray {
    std::string bytes;
};

std::vector<ByteArray> vlw_arrays(std::string_view text, std::optional<std::size_t> only = std::nullopt)
{
    std::vector<ByteArray> arrays;
    for (CByteArray& array : c_byte_arrays(text, only)) {
        const std::vector<SourceNumber>& n = array.numbers;
        if (n.size() < 24 || n[0].value != 0 || n[4].value != 0 || n[5].value != 0 || n[6].value != 0 || n[7].value != 11)
            continue;
        ByteArray found{std::move(array), {}};
        for (const SourceNumber& number : found.numbers)
            found.bytes += static_cast<char>(number.value & 0xFF);
        arrays.push_back(std::move(found));
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
                scan.refusal = at_line(array.line, "the array " + array.name + " begins as a smooth font, but " + inner.refusal);
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

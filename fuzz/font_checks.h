#pragma once

// The properties the fuzz targets check, one function a target, shared with the regression tests
// that replay the inputs the fuzzers once crashed on. Each takes the raw input and returns an empty
// string when the property holds, otherwise what went wrong; a crash is a failure of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/bas_font.h"
#include "formats/bdf_font.h"
#include "formats/c_font.h"
#include "formats/font_in_place.h"
#include "formats/file_forms.h"
#include "model/font.h"
#include "model/glyph_transforms.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright::fuzzing {

// What a cell must be: whole bytes a glyph, as the C and DefineFont forms read them, or of any
// size from 1 to 255, as imported fonts are.
enum class CellRule { WholeBytes, AnySize };

// A read gives a font of valid geometry with one label a character, or a message.
inline std::string read_problem(const FontReadResult& read, CellRule rule = CellRule::WholeBytes)
{
    if (!read.ok)
        return read.message.empty() ? "a refused read gives no message" : "";
    const FontHeader& header = read.font.header;
    const bool held = rule == CellRule::WholeBytes
                        ? is_valid_geometry(header.glyph_width, header.glyph_height)
                        : header.glyph_width >= 1 && header.glyph_width <= 255 && header.glyph_height >= 1 && header.glyph_height <= 255;
    if (!held)
        return "a font of " + to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + " was accepted";
    if (header.char_count < 0 || header.char_count > 255)
        return "a count of " + to_decimal(header.char_count) + " was accepted";
    if (character_labels(read.font).size() != static_cast<std::size_t>(header.char_count))
        return "the label count differs from the character count";
    if (read.font.font_table.size() < static_cast<std::size_t>(header.char_count))
        return "the glyph table is shorter than the character count";
    return {};
}

// Fonts larger than this are only read. A header of a few bytes can announce 2 MB of glyphs, whose
// writing would slow the fuzzer a hundredfold without reaching other code; the property tests
// write fonts of the largest size.
inline constexpr std::int64_t kLargestRoundTripBytes = 64 * 1024;

// Every font the scan finds reads, lies inside the text in order, and saved back into its place
// unchanged leaves a text with as many fonts. The first is the one the reader gave, `first`.
inline std::string scan_problem(std::string_view input, FontFormat format, FontReadResult& first)
{
    FontScan scan = format == FontFormat::C ? scan_c_fonts(input) : scan_bas_fonts(input);
    if (scan.entries.empty()) {
        if (first.ok)
            return "the reader reads a font the scan does not find";
        return scan.refusal.empty() ? "a scan without fonts gives no reason" : "";
    }
    if (!first.ok)
        return "the scan finds a font the reader refuses: " + first.message;
    std::size_t previous_end = 0;
    for (std::size_t at = 0; at < scan.entries.size() && at < 4; ++at) {
        const FontEntry& entry = scan.entries[at];
        if (entry.leading_begin < previous_end || entry.begin < entry.leading_begin || entry.data_begin < entry.begin
            || entry.data_end < entry.data_begin || entry.end < entry.data_end || entry.end > input.size())
            return "font " + to_decimal(static_cast<std::int64_t>(at + 1)) + " lies outside its place";
        previous_end = entry.end;
        FontReadResult later;
        if (at > 0)
            later = format == FontFormat::C ? read_c_font_entry(input, entry) : read_bas_font_entry(input, entry);
        FontReadResult& read = at == 0 ? first : later;
        if (!read.ok)
            return "a font the scan found is refused: " + read.message;
        if (!(read.font.header == entry.header))
            return "font " + to_decimal(static_cast<std::int64_t>(at + 1)) + " reads with another header than the scan gives";
        std::string problem = read_problem(read);
        if (!problem.empty())
            return problem;
        if (memory_usage(read.font.header) > kLargestRoundTripBytes)
            continue;
        InPlaceText saved = text_with_font_in_place(input, format, entry, read.font);
        FontScan again = format == FontFormat::C ? scan_c_fonts(saved.text) : scan_bas_fonts(saved.text);
        if (saved.ok && again.entries.size() != scan.entries.size())
            return "saved in place, the text holds " + to_decimal(static_cast<std::int64_t>(again.entries.size())) + " fonts";
    }
    return {};
}

inline std::string check_c_reader(std::string_view input)
{
    FontReadResult read = read_c_font(input);
    std::string problem = read_problem(read);
    return problem.empty() ? scan_problem(input, FontFormat::C, read) : problem;
}

inline std::string check_bas_reader(std::string_view input)
{
    FontReadResult read = read_bas_font(input);
    std::string problem = read_problem(read);
    return problem.empty() ? scan_problem(input, FontFormat::Bas, read) : problem;
}

// The first two bytes are a width and a height; the rest is a glyph text. It decodes for any valid
// geometry, and the grid it gives encodes to a canonical text that decodes to the same grid.
inline std::string check_glyph_codec(std::string_view input)
{
    if (input.size() < 2)
        return {};
    int width = static_cast<unsigned char>(input[0]);
    int height = static_cast<unsigned char>(input[1]);
    if (!is_valid_geometry(width, height))
        return {};
    GlyphGrid grid(width, height);
    decode_glyph(input.substr(2), grid);
    std::string canonical = encode_glyph(grid);
    GlyphGrid again(width, height);
    decode_glyph(canonical, again);
    if (!(again == grid))
        return "the canonical text decodes to another glyph";
    if (encode_glyph(again) != canonical)
        return "the canonical text is not stable";
    return {};
}

// The glyph of a row as its canonical text, so that texts of the same bytes compare equal.
inline std::string canonical_glyph(const Font& font, int row)
{
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    decode_glyph(font.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
    return encode_glyph(grid);
}

inline std::string font_difference(const Font& expected, const Font& actual)
{
    if (!(expected.header == actual.header))
        return "the header changed";
    for (int row = 0; row < expected.header.char_count; ++row) {
        if (canonical_glyph(expected, row) != canonical_glyph(actual, row))
            return "the glyph of row " + to_decimal(row) + " changed";
    }
    return {};
}

// The first byte chooses the form (odd: DefineFont, even: C); the rest is the file. A font that
// reads is written and read again in both forms with the same header and glyph bytes, and a
// second DefineFont write gives identical bytes.
inline std::string check_round_trip(std::string_view input)
{
    if (input.empty())
        return {};
    std::string_view text = input.substr(1);
    FontReadResult first = (input[0] & 1) ? read_bas_font(text) : read_c_font(text);
    if (std::string problem = read_problem(first); !problem.empty())
        return problem;
    if (!first.ok || memory_usage(first.font.header) > kLargestRoundTripBytes)
        return {};

    FontReadResult from_c = read_c_font(write_c_font(first.font, "fuzz.c"));
    if (!from_c.ok)
        return "the written C file is refused: " + from_c.message;
    if (std::string difference = font_difference(first.font, from_c.font); !difference.empty())
        return "through C, " + difference;

    std::string as_bas = write_bas_font(first.font, "fuzz.bas");
    FontReadResult from_bas = read_bas_font(as_bas);
    if (!from_bas.ok)
        return "the written DefineFont file is refused: " + from_bas.message;
    if (std::string difference = font_difference(first.font, from_bas.font); !difference.empty())
        return "through DefineFont, " + difference;
    if (write_bas_font(from_bas.font, "fuzz.bas") != as_bas)
        return "a second DefineFont write differs from the first";
    return {};
}

// Any bytes read as BDF give a font or a message. A font has a cell of 1 to 255 pixels a side and
// its glyphs in rising code order; written as BDF and read again it has the same cell, baseline,
// codes, advances and pixels.
inline std::string check_bdf_reader(std::string_view input)
{
    FontScan scan = scan_bdf_fonts(input);
    if (scan.entries.empty())
        return scan.refusal.empty() ? "a text without a BDF font gives no reason" : "";
    FontReadResult read = read_bdf_font_entry(input, scan.entries.front());
    if (!read.ok)
        return "the scan finds a font the reader refuses: " + read.message;
    const Font& font = read.font;
    const FontHeader& header = font.header;
    if (header.glyph_width < 1 || header.glyph_width > 255 || header.glyph_height < 1 || header.glyph_height > 255)
        return "a cell of " + to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + " was accepted";
    if (header.char_count < 0 || header.char_count > kMaxGlyphs || glyph_count(font) != header.char_count)
        return "the glyph count disagrees with the table";
    if (font.ascent + font.descent != header.glyph_height || font.origin_x < 0 || font.origin_x > header.glyph_width)
        return "the baseline or the origin lies outside the cell";
    for (int row = 1; row < header.char_count; ++row)
        if (font.font_table[static_cast<std::size_t>(row - 1)].code_point >= font.font_table[static_cast<std::size_t>(row)].code_point)
            return "the glyphs are not in rising code order";
    if (memory_usage(header) > kLargestRoundTripBytes)
        return {};
    const std::string written = write_bdf_font(font, "fuzz.bdf");
    FontScan again = scan_bdf_fonts(written);
    if (again.entries.empty())
        return "the written BDF is refused: " + again.refusal;
    FontReadResult back = read_bdf_font_entry(written, again.entries.front());
    if (!back.ok)
        return "the written BDF is refused: " + back.message;
    if (!(back.font.header == header) || back.font.ascent != font.ascent || back.font.origin_x != font.origin_x)
        return "through BDF, the cell or the baseline changed";
    for (int row = 0; row < header.char_count; ++row) {
        const Glyph& a = font.font_table[static_cast<std::size_t>(row)];
        const Glyph& b = back.font.font_table[static_cast<std::size_t>(row)];
        if (a.code_point != b.code_point || a.advance != b.advance || canonical_glyph(font, row) != canonical_glyph(back.font, row))
            return "through BDF, the glyph of row " + to_decimal(row) + " changed";
    }
    return {};
}

// Where each set pixel of each glyph lies around its origin and baseline, with codes and advances.
inline std::vector<std::int64_t> drawn_pixels(const Font& font)
{
    std::vector<std::int64_t> drawn;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        drawn.push_back(-1 - static_cast<std::int64_t>(glyph.code_point));
        drawn.push_back(glyph.advance);
        decode_glyph(glyph.glyph_data, grid);
        for (int y = 0; y < grid.glyph_height(); ++y)
            for (int x = 0; x < grid.glyph_width(); ++x)
                if (grid.at(x, y) == 1)
                    drawn.push_back((x - font.origin_x + 1000) * 4096 + (y - font.ascent + 1000));
    }
    return drawn;
}

// The ink of each glyph that has any, with its code, around the origin and baseline: what a form
// that writes every code of its range and widens glyphs to hold their ink keeps of a font.
inline std::vector<std::int64_t> drawn_ink(const Font& font)
{
    Font inked = font;
    inked.font_table.clear();
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        decode_glyph(font.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
        if (!ink_area(grid).empty())
            inked.font_table.push_back(font.font_table[static_cast<std::size_t>(row)]);
    }
    inked.header.char_count = static_cast<std::int32_t>(inked.font_table.size());
    for (Glyph& glyph : inked.font_table)
        glyph.advance = 0;
    return drawn_pixels(inked);
}

// What a form keeps of a font written anew: all of it; every glyph it had, more codes written
// blank after them (ThingPulse fonts run to code 255); or the ink of each code (TFT_eSPI's fonts
// write every code from 32 to 127 and widen a glyph whose ink its width cannot hold).
enum class Kept { WholeFont, EveryGlyphItHad, InkOfEachCode };

// The font's glyphs of the codes `of` has, in `of`'s cell.
inline Font glyphs_of_codes(const Font& font, const Font& of)
{
    Font kept = font;
    kept.font_table.clear();
    for (int row = 0; row < glyph_count(font); ++row)
        if (glyph_place(of, font.font_table[static_cast<std::size_t>(row)].code_point).found)
            kept.font_table.push_back(font.font_table[static_cast<std::size_t>(row)]);
    kept.header.char_count = static_cast<std::int32_t>(kept.font_table.size());
    return kept;
}

// Any bytes read in a form of glyphs with their own boxes (GFX, smooth fonts, TFT_eSPI): every
// font found reads, writes and reads again with the same glyphs; a font read without warnings and
// saved in place unchanged leaves the bytes as they were.
inline std::string check_form_reader(std::string_view input, FontFormat format, Kept kept = Kept::WholeFont)
{
    const FileForm& form = form_of(format);
    const FontScan scan = form.scan(input);
    if (scan.entries.empty())
        return scan.refusal.empty() ? "bytes without a font give no reason" : "";
    for (const FontEntry& entry : scan.entries) {
        const FontReadResult read = form.read(input, entry);
        // An entry the scan could not size (a glcd array whose length leaves more than one answer)
        // is read only with the cell given.
        if (!read.ok && entry.header.char_count == 0 && entry.header.glyph_width == 0)
            continue;
        if (!read.ok)
            return "the scan finds a font the reader refuses: " + read.message;
        const Font& font = read.font;
        if (font.ascent + font.descent != font.header.glyph_height || font.origin_x < 0 || font.origin_x > font.header.glyph_width)
            return "the baseline or the origin lies outside the cell";
        if (!form.refusal(font).empty())
            continue;
        const std::string written = form.write(font, "fuzz", {});
        const FontScan again = form.scan(written);
        if (again.entries.size() != 1)
            return "the written font is not found again: " + again.refusal;
        const FontReadResult back = form.read(written, again.entries.front());
        const bool alike = kept == Kept::WholeFont         ? drawn_pixels(back.font) == drawn_pixels(font)
                        : kept == Kept::EveryGlyphItHad ? drawn_pixels(glyphs_of_codes(back.font, font)) == drawn_pixels(font)
                                                        : drawn_ink(back.font) == drawn_ink(font);
        if (!back.ok || !alike)
            return "a font written and read again changed";
        if (form.write(back.font, "fuzz", {}) != written)
            return "a font written, read and written again differs";
        if (!read.warnings.empty())
            continue;
        const InPlaceText same = form.write_in_place(input, entry, font);
        if (!same.ok)
            return "an unchanged font cannot be saved in place: " + same.error;
        if (same.text != input)
            return "an unchanged font saved in place changed the text";
    }
    return {};
}

}  // namespace glyphwright::fuzzing

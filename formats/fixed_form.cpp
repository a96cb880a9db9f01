#include "formats/fixed_form.h"

#include <algorithm>

#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

struct CodeSpan {
    char32_t first = 0;
    char32_t last = 0;
};

CodeSpan code_span(const Font& font)
{
    const int rows = glyph_count(font);
    if (rows == 0)
        return {static_cast<char32_t>(std::max(font.header.first_char, 0)), 0};
    CodeSpan span{font.font_table[0].code_point, font.font_table[0].code_point};
    for (int row = 1; row < rows; ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        span.first = std::min(span.first, code);
        span.last = std::max(span.last, code);
    }
    return span;
}

// The cell of the fitted font: as wide as the widest advance, then wider until width x height is
// whole bytes.
int fitted_width(const Font& font)
{
    int width = 1;
    for (int row = 0; row < glyph_count(font); ++row)
        width = std::max(width, font.font_table[static_cast<std::size_t>(row)].advance);
    const int height = font.header.glyph_height;
    while (width < 255 && width * height % 8 != 0)
        ++width;
    return width;
}

// Copies the glyph's pixels with its origin at the fitted cell's left edge; true when pixels fell
// outside it.
bool copy_at_origin(const GlyphGrid& from, int origin_x, GlyphGrid& to)
{
    bool cut = false;
    for (int y = 0; y < from.glyph_height(); ++y) {
        for (int x = 0; x < from.glyph_width(); ++x) {
            if (from.at(x, y) == 0)
                continue;
            const int column = x - origin_x;
            if (column < 0 || column >= to.glyph_width() || y >= to.glyph_height())
                cut = true;
            else
                to.set(column, y, true);
        }
    }
    return cut;
}

int glyphs_cut(const Font& font, int width)
{
    GlyphGrid from(font.header.glyph_width, font.header.glyph_height);
    GlyphGrid to(width, font.header.glyph_height);
    int cut = 0;
    for (int row = 0; row < glyph_count(font); ++row) {
        decode_glyph(font.font_table[static_cast<std::size_t>(row)].glyph_data, from);
        cut += copy_at_origin(from, font.origin_x, to) ? 1 : 0;
    }
    return cut;
}

}  // namespace

bool fits_fixed_form(const Font& font)
{
    // The header's count is one byte: 256 glyphs would be written as none.
    return has_fixed_metrics(font) && is_valid_geometry(font.header.glyph_width, font.header.glyph_height) && glyph_count(font) <= 255;
}

std::string fixed_form_refusal(const Font& font, std::string_view form_title)
{
    if (fits_fixed_form(font))
        return {};
    const CodeSpan span = code_span(font);
    const std::string forms = "; the BDF form holds any code";
    for (int row = 0; row < glyph_count(font); ++row) {
        const char32_t code = font.font_table[static_cast<std::size_t>(row)].code_point;
        if (code > 255)
            return "the font holds " + code_point_text(code) + " (" + to_decimal(code) + "), and the " + std::string(form_title)
                 + " form holds codes 0 to 255 only" + forms;
    }
    if (span.last - span.first >= 255)
        return "the font's codes run from " + to_decimal(span.first) + " to " + to_decimal(span.last) + ", and the "
             + std::string(form_title) + " form holds at most 255 characters in one run" + forms;
    if (font.header.glyph_height < 1 || font.header.glyph_height > 255)
        return "the font is " + to_decimal(font.header.glyph_height) + " pixels high, and the " + std::string(form_title)
             + " form holds 1 to 255";
    return {};
}

std::vector<std::string> fixed_form_notes(const Font& font)
{
    std::vector<std::string> notes;
    if (fits_fixed_form(font))
        return notes;
    const int width = fitted_width(font);
    int widest = 1;
    bool advances_differ = false;
    for (int row = 0; row < glyph_count(font); ++row) {
        const int advance = font.font_table[static_cast<std::size_t>(row)].advance;
        widest = std::max(widest, advance);
        advances_differ = advances_differ || advance != font.font_table[0].advance;
    }
    if (advances_differ || font.origin_x != 0)
        notes.push_back("every glyph now stands at its origin in a cell as wide as the widest advance, " + to_decimal(widest)
                        + " pixels: this form keeps no advance of its own for each glyph");
    if (int cut = glyphs_cut(font, width); cut > 0)
        notes.push_back(counted(cut, "glyph loses", "glyphs lose") + " pixels outside that cell");
    if (width != widest)
        notes.push_back("the cell was widened from " + to_decimal(widest) + " to " + to_decimal(width)
                        + " pixels so that every glyph is whole bytes");
    return notes;
}

FontHeader fixed_form_header(const Font& font)
{
    const CodeSpan span = code_span(font);
    return {fitted_width(font), font.header.glyph_height, static_cast<int>(span.first),
            glyph_count(font) == 0 ? 0 : static_cast<int>(span.last - span.first) + 1};
}

Font fixed_form_of(const Font& font)
{
    const CodeSpan span = code_span(font);
    Font fitted;
    fitted.name = font.name;
    fitted.header_text = font.header_text;
    fitted.header = fixed_form_header(font);
    fitted.font_table.assign(static_cast<std::size_t>(std::max(fitted.header.char_count, kFontTableRows)), Glyph{});
    GlyphGrid from(font.header.glyph_width, font.header.glyph_height);
    GlyphGrid blank(fitted.header.glyph_width, fitted.header.glyph_height);
    const std::string clear = encode_glyph(blank);
    for (int row = 0; row < fitted.header.char_count; ++row)
        fitted.font_table[static_cast<std::size_t>(row)].glyph_data = clear;
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        decode_glyph(glyph.glyph_data, from);
        GlyphGrid to = blank;
        copy_at_origin(from, font.origin_x, to);
        Glyph& target = fitted.font_table[glyph.code_point - span.first];
        target.glyph_data = encode_glyph(to);
        target.comment = glyph.comment;
    }
    set_fixed_metrics(fitted);
    return fitted;
}

}  // namespace glyphwright

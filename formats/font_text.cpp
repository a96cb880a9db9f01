#include "formats/font_text.h"

#include <algorithm>

#include "formats/new_font.h"
#include "model/glyph_codec.h"
#include "model/glyph_grid.h"
#include "model/glyph_transforms.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

ByteDigits upper_digits(int value)
{
    return {upper_hex_digit(static_cast<unsigned>(value) >> 4), upper_hex_digit(static_cast<unsigned>(value))};
}

// A header line ends at a comment or at the brace that closes the array.
std::string_view data_part_of(std::string_view line)
{
    std::size_t end = line.find_first_of("/}");
    return end == std::string_view::npos ? line : line.substr(0, end);
}

}  // namespace

bool is_hex_digit(char character) { return hex_digit_value(character) >= 0; }

std::string at_line(std::size_t line_number, std::string_view text)
{
    std::string result = "line " + to_decimal(static_cast<std::int64_t>(line_number)) + ": ";
    result += text;
    return result;
}

FontReadResult refused_at(std::size_t line_number, std::string_view text) { return refused(at_line(line_number, text)); }

std::string geometry_problem(const FontHeader& header)
{
    const std::string size = to_decimal(header.glyph_width) + " x " + to_decimal(header.glyph_height);
    if (header.glyph_width < 1 || header.glyph_height < 1) {
        return "the header gives a width of " + to_decimal(header.glyph_width) + " and a height of "
            + to_decimal(header.glyph_height) + "; widths and heights must be 1 to 255 pixels";
    }
    if (!is_valid_geometry(header.glyph_width, header.glyph_height)) {
        return "the header gives glyphs of " + size
            + " pixels; width x height must be a multiple of 8, so that every glyph is whole bytes";
    }
    return {};
}

std::string codes_problem(const FontHeader& header)
{
    int last = header.first_char + header.char_count - 1;
    if (last <= 255)
        return {};
    return "the characters run from " + to_decimal(header.first_char) + " to " + to_decimal(last)
         + ", past 255; no display draws codes above 255";
}

std::string row_width_problem(const FontHeader& header)
{
    if (header.glyph_width % 8 == 0)
        return {};
    return "the glyphs are " + to_decimal(header.glyph_width) + " pixels wide, not a multiple of 8; display libraries"
         " find a glyph as width / 8 bytes a row, so they draw this font wrongly";
}

void set_fixed_font_metrics(Font& font)
{
    set_fixed_metrics(font);
    if (std::optional<int> ascent = noted_ascent(font.header_text)) {
        font.ascent = std::clamp(*ascent, 0, font.header.glyph_height);
        font.descent = font.header.glyph_height - font.ascent;
    }
}

HeaderFields split_header_fields(std::string_view header_line)
{
    HeaderFields result;
    FieldCursor cursor(data_part_of(header_line));
    for (std::string_view& field : result.fields) {
        field = trim_blanks_and_tabs(cursor.next_field());
        if (!field.empty())
            ++result.present;
    }
    return result;
}

FontHeader header_of(const HeaderFields& header_fields)
{
    FontHeader header;
    header.glyph_width = decode_byte_field(header_fields.fields[0]);
    header.glyph_height = decode_byte_field(header_fields.fields[1]);
    header.first_char = decode_byte_field(header_fields.fields[2]);
    header.char_count = decode_byte_field(header_fields.fields[3]);
    return header;
}

ByteDigits field_digits(std::string_view field)
{
    std::string_view digits = substring(trim_blanks_and_tabs(field), 3, 2);
    if (digits.size() == 2 && is_hex_digit(digits[0]) && is_hex_digit(digits[1]))
        return {digits[0], digits[1]};
    return upper_digits(decode_byte_field(field));
}

ByteDigits byte_digits(std::string_view field, int value)
{
    ByteDigits digits = field_digits(field);
    if (hex_digit_value(digits[0]) * 16 + hex_digit_value(digits[1]) == value)
        return digits;
    return upper_digits(value);
}

std::string header_bytes_text_of(const FontHeader& header)
{
    std::string text;
    for (int value : {header.glyph_width, header.glyph_height, header.first_char, header.char_count}) {
        ByteDigits digits = upper_digits(value & 0xFF);
        text += "0x";
        text.append(digits.data(), digits.size());
        text += ',';
    }
    return text;
}

std::string_view FieldCursor::next_field()
{
    if (m_position > m_text.size())
        return {};
    std::size_t comma = m_text.find(',', m_position);
    std::size_t end = comma == std::string_view::npos ? m_text.size() : comma;
    std::string_view field = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    return field;
}

FontReadResult read_font_file(const std::string& path, FontReadResult (*reader)(std::string_view))
{
    OpenedTextFile file = open_text_file(path);
    if (!file.ok)
        return refused(file.error);
    return reader(file.content);
}

std::string counted(std::int64_t count, std::string_view singular, std::string_view plural)
{
    return to_decimal(count) + " " + std::string(count == 1 ? singular : plural);
}

int rows_above_glyphs_base(const Font& font)
{
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (char32_t code : std::u32string(U"H0123456789")) {
        const GlyphPlace place = glyph_place(font, code);
        if (!place.found)
            continue;
        decode_glyph(font.font_table[static_cast<std::size_t>(place.row)].glyph_data, grid);
        if (const PixelArea ink = ink_area(grid); !ink.empty())
            return ink.y + ink.height;
    }
    return font.header.glyph_height;
}

}  // namespace glyphwright

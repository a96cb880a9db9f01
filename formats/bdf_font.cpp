#include "formats/bdf_font.h"

#include <algorithm>

#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/code_page.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// A family name may not hold the characters that separate or quote the fields of a font name.
std::string family_of(std::string_view save_path)
{
    std::string name(file_name_part(save_path));
    std::string_view extension = file_extension(name);
    if (!extension.empty())
        name.resize(name.size() - extension.size() - 1);
    for (char& character : name) {
        const bool plain = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z')
                        || (character >= '0' && character <= '9') || character == ' ' || character == '_';
        if (!plain)
            character = '_';
    }
    return name.empty() ? "Glyphwright" : name;
}

void add_line(std::string& out, std::string_view text)
{
    out += text;
    out += '\n';
}

void add_comments(std::string& out, std::string_view header_text)
{
    LineReader lines(header_text);
    while (!lines.at_end()) {
        std::string_view line = lines.read_line();
        if (line.substr(0, 2) == "//")
            line.remove_prefix(line.size() > 2 && line[2] == ' ' ? 3 : 2);
        std::string comment = "COMMENT";
        if (!line.empty()) {
            comment += ' ';
            comment += line;
        }
        add_line(out, comment);
    }
}

// Spacing and average width as the XLFD name and the properties state them.
struct Widths {
    bool cell_spaced = true;  // every glyph advances by the cell's width from the cell's left edge
    int average_tenths = 0;
};

Widths widths_of(const Font& font)
{
    Widths widths;
    const int rows = glyph_count(font);
    std::int64_t sum = 0;
    for (int row = 0; row < rows; ++row) {
        const int advance = font.font_table[static_cast<std::size_t>(row)].advance;
        sum += advance;
        widths.cell_spaced = widths.cell_spaced && advance == font.header.glyph_width;
    }
    widths.cell_spaced = widths.cell_spaced && font.origin_x == 0;
    widths.average_tenths = rows > 0 ? static_cast<int>((sum * 10 + rows / 2) / rows) : font.header.glyph_width * 10;
    return widths;
}

void add_header(std::string& out, const Font& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    const Widths widths = widths_of(font);
    const std::string spacing = widths.cell_spaced ? "C" : "P";
    const std::string average = to_decimal(widths.average_tenths);
    const std::string width = to_decimal(header.glyph_width);
    const std::string height = to_decimal(header.glyph_height);
    const std::string family = family_of(save_path);
    add_line(out, "STARTFONT 2.1");
    add_comments(out, font.header_text);
    add_line(out, "FONT -Glyphwright-" + family + "-Medium-R-Normal--" + height + "-" + height + "0-72-72-" + spacing + "-"
                      + average + "-ISO10646-1");
    add_line(out, "SIZE " + height + " 72 72");
    add_line(out, "FONTBOUNDINGBOX " + width + " " + height + " " + to_decimal(-font.origin_x) + " "
                      + to_decimal(-font.descent));
    add_line(out, "STARTPROPERTIES 15");
    add_line(out, "FOUNDRY \"Glyphwright\"");
    add_line(out, "FAMILY_NAME \"" + family + "\"");
    add_line(out, "WEIGHT_NAME \"Medium\"");
    add_line(out, "SLANT \"R\"");
    add_line(out, "SETWIDTH_NAME \"Normal\"");
    add_line(out, "PIXEL_SIZE " + height);
    add_line(out, "POINT_SIZE " + height + "0");
    add_line(out, "RESOLUTION_X 72");
    add_line(out, "RESOLUTION_Y 72");
    add_line(out, "SPACING \"" + spacing + "\"");
    add_line(out, "AVERAGE_WIDTH " + average);
    add_line(out, "CHARSET_REGISTRY \"ISO10646\"");
    add_line(out, "CHARSET_ENCODING \"1\"");
    add_line(out, "FONT_ASCENT " + to_decimal(font.ascent));
    add_line(out, "FONT_DESCENT " + to_decimal(font.descent));
    add_line(out, "ENDPROPERTIES");
}

// BBX and the rows of the box: each row as whole bytes of hexadecimal digits, leftmost pixel in
// the most significant bit.
void add_glyph_box(std::string& out, const GlyphGrid& grid, const Font& font)
{
    const PixelArea box = ink_area(grid);
    const int offset_x = box.empty() ? 0 : box.x - font.origin_x;
    const int offset_y = box.empty() ? 0 : font.ascent - (box.y + box.height);
    add_line(out, "BBX " + to_decimal(box.width) + " " + to_decimal(box.height) + " " + to_decimal(offset_x) + " "
                      + to_decimal(offset_y));
    add_line(out, "BITMAP");
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; x += 8) {
            int byte = 0;
            for (int bit = 0; bit < 8 && x + bit < box.x + box.width; ++bit)
                byte |= grid.at(x + bit, y) << (7 - bit);
            out += upper_hex_digit(static_cast<unsigned>(byte) >> 4);
            out += upper_hex_digit(static_cast<unsigned>(byte));
        }
        out += '\n';
    }
}

}  // namespace

std::string write_bdf_font(const Font& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    const int height = header.glyph_height;
    const int rows = glyph_count(font);
    std::string out;
    out.reserve(1024 + font.header_text.size()
                + static_cast<std::size_t>(rows) * (96 + static_cast<std::size_t>(height) * (header.glyph_width / 4 + 3)));
    add_header(out, font, save_path);
    add_line(out, "CHARS " + to_decimal(rows));
    GlyphGrid grid(header.glyph_width, height);
    const CodePage code_page = code_page_named(font.code_page).value_or(*code_page_named(""));
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        const std::string code = to_decimal(unicode_of(glyph.code_point, code_page));
        const std::string swidth = to_decimal(height > 0 ? (std::int64_t{glyph.advance} * 1000 + height / 2) / height : 0);
        add_line(out, "STARTCHAR char" + code);
        add_line(out, "ENCODING " + code);
        add_line(out, "SWIDTH " + swidth + " 0");
        add_line(out, "DWIDTH " + to_decimal(glyph.advance) + " 0");
        decode_glyph(glyph.glyph_data, grid);
        add_glyph_box(out, grid, font);
        add_line(out, "ENDCHAR");
    }
    add_line(out, "ENDFONT");
    return out;
}

}  // namespace glyphwright

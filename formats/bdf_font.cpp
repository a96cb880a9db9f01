#include "formats/bdf_font.h"

#include <algorithm>

#include "formats/new_font.h"
#include "model/glyph_codec.h"
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

void add_header(std::string& out, const FontModel& font, std::string_view save_path, int ascent)
{
    const FontHeader& header = font.header;
    const std::string width = to_decimal(header.glyph_width);
    const std::string height = to_decimal(header.glyph_height);
    const std::string descent = to_decimal(header.glyph_height - ascent);
    const std::string family = family_of(save_path);
    add_line(out, "STARTFONT 2.1");
    add_comments(out, font.header_text);
    add_line(out, "FONT -Glyphwright-" + family + "-Medium-R-Normal--" + height + "-" + height + "0-72-72-C-" + width
                      + "0-ISO10646-1");
    add_line(out, "SIZE " + height + " 72 72");
    add_line(out, "FONTBOUNDINGBOX " + width + " " + height + " 0 -" + descent);
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
    add_line(out, "SPACING \"C\"");
    add_line(out, "AVERAGE_WIDTH " + width + "0");
    add_line(out, "CHARSET_REGISTRY \"ISO10646\"");
    add_line(out, "CHARSET_ENCODING \"1\"");
    add_line(out, "FONT_ASCENT " + to_decimal(ascent));
    add_line(out, "FONT_DESCENT " + descent);
    add_line(out, "ENDPROPERTIES");
}

void add_bitmap_rows(std::string& out, const GlyphGrid& grid)
{
    for (int y = 0; y < grid.glyph_height(); ++y) {
        for (int x = 0; x < grid.glyph_width(); x += 8) {
            int byte = 0;
            for (int bit = 0; bit < 8 && x + bit < grid.glyph_width(); ++bit)
                byte |= grid.at(x + bit, y) << (7 - bit);
            out += upper_hex_digit(static_cast<unsigned>(byte) >> 4);
            out += upper_hex_digit(static_cast<unsigned>(byte));
        }
        out += '\n';
    }
}

}  // namespace

std::string write_bdf_font(const FontModel& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    const int height = header.glyph_height;
    const int ascent = std::clamp(noted_ascent(font.header_text).value_or(height - height / 5), 0, height);
    const int rows = glyph_count(font);
    const std::string width = to_decimal(header.glyph_width);
    const std::string swidth = to_decimal(height > 0 ? (header.glyph_width * 1000 + height / 2) / height : 0);
    const std::string cell_box = width + " " + to_decimal(height) + " 0 -" + to_decimal(height - ascent);

    std::string out;
    out.reserve(1024 + font.header_text.size()
                + static_cast<std::size_t>(rows) * (96 + static_cast<std::size_t>(height) * (header.glyph_width / 4 + 3)));
    add_header(out, font, save_path, ascent);
    add_line(out, "CHARS " + to_decimal(rows));
    GlyphGrid grid(header.glyph_width, height);
    for (int row = 0; row < rows; ++row) {
        const std::string code = to_decimal(header.first_char + row);
        add_line(out, "STARTCHAR char" + code);
        add_line(out, "ENCODING " + code);
        add_line(out, "SWIDTH " + swidth + " 0");
        add_line(out, "DWIDTH " + width + " 0");
        add_line(out, "BBX " + cell_box);
        add_line(out, "BITMAP");
        decode_glyph(font.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
        add_bitmap_rows(out, grid);
        add_line(out, "ENDCHAR");
    }
    add_line(out, "ENDFONT");
    return out;
}

}  // namespace glyphwright

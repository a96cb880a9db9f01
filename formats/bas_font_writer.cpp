#include "formats/bas_font.h"

#include "formats/bas_words.h"
#include "model/font.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void append_comment_lines(std::string& out, const Font& font, std::string_view save_path)
{
    const FontHeader& header = font.header;
    out += "' ";
    out += file_name_part(save_path);
    out += kLineEnd;
    out += header.first_char == 48 ? "' Font type    : Numeric (" : "' Font type    : Full (";
    out += to_decimal(header.char_count) + " characters)";
    out += kLineEnd;
    out += "' Font size    : " + to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + " pixels";
    out += kLineEnd;
    out += "' Memory usage : " + to_decimal(memory_usage(header)) + " bytes";
    out += kLineEnd;
    out += "' Font adapted from: ";
    out += kFontSourceAddress;
    out += kLineEnd;
    out += kLineEnd;
}

}  // namespace

std::string write_bas_font(const Font& font, std::string_view save_path)
{
    std::string out;
    out.reserve(512 + save_path.size());
    append_comment_lines(out, font, save_path);
    out += "DefineFont #8";
    out += kLineEnd;
    append_font_words(out, font, "  ", kLineEnd);
    out += "End DefineFont";
    out += kLineEnd;
    return out;
}

}  // namespace glyphwright

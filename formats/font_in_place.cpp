#include "formats/font_in_place.h"

#include <algorithm>

#include "formats/c_declaration.h"
#include "formats/c_font.h"
#include "formats/c_font_lines.h"
#include "formats/fixed_form.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

std::string_view without_leading_blanks(std::string_view line) { return line.substr(leading_blanks(line).size()); }

// The array line with only the number between its brackets replaced by the font's size.
void append_array_line(std::string& out, std::string_view line, const Font& font)
{
    std::optional<ArrayLine> array = parse_array_line(line);
    if (!array || !declared_size(line, *array)) {
        out += line;
        return;
    }
    std::string_view inside = line.substr(array->size_begin, array->size_end - array->size_begin);
    std::size_t digits_begin = array->size_begin + inside.find_first_of("0123456789");
    std::size_t digits_end = array->size_begin + inside.find_last_of("0123456789") + 1;
    out += line.substr(0, digits_begin);
    out += to_decimal(memory_usage(font.header));
    out += line.substr(digits_end);
}

// The indentation of the first glyph line after the header line, or of the header line.
std::string_view glyph_indent(std::string_view text, std::size_t header_begin)
{
    LineReader lines(text, header_begin, 0);
    std::string_view header = lines.read_line();
    while (!lines.at_end()) {
        std::string_view line = lines.read_line();
        GlyphLine parts = split_glyph_line(line);
        if (!parts.data.empty())
            return leading_blanks(line);
        if (parts.closes_array)
            break;
    }
    return leading_blanks(header);
}

// A glyph's comment as it stood after its bytes: the reader keeps " // " and what followed the
// comment's slashes, so a line that is written back unchanged reads the same as before.
void append_comment(std::string& out, std::string_view comment)
{
    std::string_view tail = comment.substr(0, 4) == " // " ? comment.substr(4) : comment;
    if (tail.empty())
        return;
    out += comment.substr(0, 4) == " // " ? " //" : "";
    out += tail;
}

// A plain byte array counts as a font only while its length agrees with its header, so in one its
// glyphs are written whole: a glyph line of other than a glyph's bytes is written as the glyph
// the reader made of it, missing bytes as 0x00 and surplus ones left out.
enum class GlyphBytes { AsRead, Whole };

void append_glyph_line(std::string& out, const Glyph& glyph, const FontHeader& header, GlyphBytes bytes,
                       std::string_view indent, std::string_view line_end)
{
    const int glyph_bytes = glyph_byte_count(header.glyph_width, header.glyph_height);
    out += indent;
    if (bytes == GlyphBytes::Whole && data_byte_count(trim_blanks_and_tabs(glyph.glyph_data)) != glyph_bytes) {
        GlyphGrid grid(header.glyph_width, header.glyph_height);
        decode_glyph(glyph.glyph_data, grid);
        out += encode_glyph(grid);
    } else {
        append_c_glyph_data(out, glyph.glyph_data, glyph_bytes);
    }
    append_comment(out, glyph.comment);
    out += line_end;
}

// True when row `row` of both fonts, of one cell, holds the same pixels.
class SameGlyph {
public:
    SameGlyph(const Font& font, const Font& before)
        : m_font(font), m_before(before), m_same_cell(font.header.glyph_width == before.header.glyph_width
                                                     && font.header.glyph_height == before.header.glyph_height),
          m_grid(font.header.glyph_width, font.header.glyph_height), m_grid_before(m_grid)
    {
    }

    bool operator()(int row)
    {
        if (!m_same_cell || row >= glyph_count(m_before) || row >= glyph_count(m_font))
            return false;
        const std::string& data = m_font.font_table[static_cast<std::size_t>(row)].glyph_data;
        const std::string& data_before = m_before.font_table[static_cast<std::size_t>(row)].glyph_data;
        if (data == data_before)
            return true;
        decode_glyph(data, m_grid);
        decode_glyph(data_before, m_grid_before);
        return m_grid == m_grid_before;
    }

private:
    const Font& m_font;
    const Font& m_before;
    bool m_same_cell;
    GlyphGrid m_grid;
    GlyphGrid m_grid_before;
};

// A glyph line whose bytes changed: only its data gives way to the glyph's whole bytes, in the
// letter case the line used; its indentation, the blanks after the data and its comment stay.
void append_changed_glyph_line(std::string& out, std::string_view line, std::string_view data, const Glyph& glyph,
                               const FontHeader& header)
{
    GlyphGrid grid(header.glyph_width, header.glyph_height);
    decode_glyph(glyph.glyph_data, grid);
    std::string bytes = encode_glyph(grid);
    const bool lower = data.find_first_of("abcdef") != std::string_view::npos
                    && data.find_first_of("ABCDEF") == std::string_view::npos;
    if (lower)
        for (std::size_t at = 0; at < bytes.size(); ++at)
            if (bytes[at] >= 'A' && bytes[at] <= 'F')
                bytes[at] = static_cast<char>(bytes[at] - 'A' + 'a');
    if (!data.empty() && data.back() != ',' && !bytes.empty())
        bytes.pop_back();
    const std::size_t data_begin = static_cast<std::size_t>(data.data() - line.data());
    out += line.substr(0, data_begin);
    out += bytes;
    out += line.substr(data_begin + data.size());
}

// The header line, then the array's lines up to its closing line: blank and comment lines stay
// where they were, each glyph line gives way to the next row's, and the rows left over follow. A
// line whose bytes did not change (`before` is the font as the text holds it) stays as it was;
// a changed glyph line keeps its indentation and its comment.
// True when the closing line, which holds the last glyph's bytes, is left to be kept whole.
bool append_c_font_lines(std::string& out, std::string_view text, const FontEntry& entry, const Font& font,
                         const Font& before, std::string_view line_end)
{
    std::string_view indent = glyph_indent(text, entry.data_begin);
    LineReader header_line(text, entry.data_begin, 0);
    const std::string_view original_header = header_line.read_line();
    const bool header_unchanged = font.header == before.header;
    if (header_unchanged && data_byte_count(split_glyph_line(original_header).data) == 4) {
        out += text.substr(entry.data_begin, header_line.position() - entry.data_begin);
    } else {
        std::string header;
        append_c_header_line(header, font);
        out += indent;
        out += without_leading_blanks(header);
        out += line_end;
    }
    const GlyphBytes bytes = entry.guessed ? GlyphBytes::Whole : GlyphBytes::AsRead;
    SameGlyph unchanged(font, before);
    const int glyph_bytes = glyph_byte_count(font.header.glyph_width, font.header.glyph_height);
    const int rows = glyph_count(font);
    int row = 0;
    std::size_t closing_line = std::max(entry.data_begin, line_begin_at(text, entry.data_end));
    LineReader lines(text.substr(0, closing_line), entry.data_begin, 0);
    lines.read_line();
    while (!lines.at_end()) {
        std::size_t line_begin = lines.position();
        std::string_view line = lines.read_line();
        GlyphLine parts = split_glyph_line(line);
        if (parts.data.empty()) {
            out += text.substr(line_begin, lines.position() - line_begin);
        } else if (row < rows && unchanged(row) && (bytes == GlyphBytes::AsRead || data_byte_count(parts.data) == glyph_bytes)) {
            out += text.substr(line_begin, lines.position() - line_begin);
            ++row;
        } else if (row < rows) {
            append_changed_glyph_line(out, line, parts.data, font.font_table[static_cast<std::size_t>(row++)], font.header);
            out += text.substr(line_begin + line.size(), lines.position() - line_begin - line.size());
        }
    }
    // The last glyph on the closing line, unchanged, stays there.
    const bool closing_has_data = entry.data_end < text.size() && closing_line < entry.data_end
                               && !trim_blanks_and_tabs(text.substr(closing_line, entry.data_end - closing_line)).empty();
    if (closing_has_data && row == rows - 1 && rows == glyph_count(before) && unchanged(row) && bytes == GlyphBytes::AsRead)
        return true;
    // Glyphs past the end of an array that ends early read as blank: while the header stays, only
    // those up to the last one with pixels are written.
    int last_row = rows;
    if (header_unchanged && bytes == GlyphBytes::AsRead) {
        GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
        const GlyphGrid blank = grid;
        while (last_row > row) {
            decode_glyph(font.font_table[static_cast<std::size_t>(last_row - 1)].glyph_data, grid);
            if (!(grid == blank))
                break;
            --last_row;
        }
    }
    for (; row < last_row; ++row)
        append_glyph_line(out, font.font_table[static_cast<std::size_t>(row)], font.header, bytes, indent, line_end);
    return false;
}

// The closing line as it was; a "}" after the last glyph's bytes goes on a line of its own,
// without the glyph's comment, which the glyph line already holds.
void append_closing(std::string& out, std::string_view text, std::size_t brace, std::string_view line_end)
{
    if (brace >= text.size())
        return;
    std::size_t line_begin = line_begin_at(text, brace);
    if (trim_blanks_and_tabs(text.substr(line_begin, brace - line_begin)).empty()) {
        out += text.substr(line_begin);
        return;
    }
    LineReader lines(text, line_begin, 0);
    std::string_view line = lines.read_line();
    std::string_view closing = line.substr(brace - line_begin);
    out += trim_blanks_and_tabs(closing.substr(0, closing.find('/')));
    out += line_end;
    out += text.substr(lines.position());
}

std::string c_text_in_place_of(std::string_view text, const FontEntry& entry, const Font& font)
{
    FontReadResult before = read_c_font_entry(text, entry);
    LineReader lines(text, entry.begin, 0);
    std::string_view array_line = lines.read_line();
    std::string_view line_end = line_end_before(text, lines.position());
    std::string out;
    out.reserve(text.size() + (entry.data_end - entry.data_begin) / 2 + 1024);
    out += text.substr(0, entry.begin);
    append_array_line(out, array_line, font);
    out += text.substr(entry.begin + array_line.size(), entry.data_begin - entry.begin - array_line.size());
    if (append_c_font_lines(out, text, entry, font, before.font, line_end))
        out += text.substr(line_begin_at(text, entry.data_end));
    else
        append_closing(out, text, entry.data_end, line_end);
    return out;
}


}  // namespace

InPlaceText c_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    return {true, c_text_in_place_of(text, entry, font), {}};
}


InPlaceText text_with_font_in_place(std::string_view text, FontFormat format, const FontEntry& entry, const Font& font)
{
    const FileForm& form = form_of(format);
    if (form.write_in_place == nullptr)
        return {false, {}, "fonts of the " + std::string(form.title) + " form cannot be saved in place"};
    if (std::string refusal = save_refusal(font, format); !refusal.empty())
        return {false, {}, refusal};
    if (!form.limits.proportional && !fits_fixed_form(font))
        return form.write_in_place(text, entry, fixed_form_of(font));
    return form.write_in_place(text, entry, font);
}

InPlaceResult save_font_in_place(const Font& font, const InPlaceTarget& target)
{
    InPlaceResult result;
    ScannedFontFile file = scan_font_file(target.path, target.format);
    std::string not_saved = "The font was not saved in place. ";
    if (!file.ok) {
        result.error = not_saved + file.message;
        return result;
    }
    if (target.stamp && !(file.stamp == *target.stamp)) {
        result.error = not_saved + quoted_file_name(target.path) + " changed on disk since the font was opened; open it again"
                       " to edit the font as it is now, or save the font elsewhere.";
        return result;
    }
    const std::vector<FontEntry>& entries = file.scan.entries;
    if (target.entry >= entries.size() || (!target.name.empty() && entries[target.entry].name != target.name)) {
        result.error = not_saved + quoted_file_name(target.path) + " no longer holds \"" + target.name + "\" as font "
                     + to_decimal(static_cast<std::int64_t>(target.entry + 1)) + ".";
        return result;
    }
    InPlaceText text = text_with_font_in_place(file.content, file.format, entries[target.entry], font);
    if (!text.ok) {
        result.error = not_saved + "In " + quoted_file_name(target.path) + ", " + text.error + ".";
        return result;
    }
    // The header beside the file goes first, written over only when it is there and what it says
    // changed, so that a failure leaves both files as they were.
    const FileForm& form = form_of(file.format);
    if (file.companion && form.write_companion != nullptr) {
        const std::string companion = form.write_companion(*file.companion, font, target.path);
        if (companion != *file.companion)
            if (FileResult beside = write_whole_text_file(companion_path(target.path, file.format), companion); !beside.ok) {
                result.error = not_saved + beside.error;
                return result;
            }
    }
    FileResult written = write_whole_text_file(target.path, text.text);
    if (!written.ok) {
        result.error = not_saved + written.error;
        return result;
    }
    result.ok = true;
    result.stamp = file_stamp(target.path);
    return result;
}

}  // namespace glyphwright

#include "formats/c_font.h"

#include <algorithm>
#include <optional>

#include "formats/c_declaration.h"
#include "formats/c_font_lines.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class CFontReader {
public:
    CFontReader(std::string_view text, const FontEntry& entry)
        : m_text(text), m_entry(entry), m_lines(text, entry.begin, line_number_at(text, entry.begin) - 1) {}

    FontReadResult read()
    {
        take_leading_lines();
        std::string_view array_line = m_lines.read_line();
        std::size_t array_line_number = m_lines.line_number();
        if (!read_header())
            return std::move(m_result);
        check_declared_size(array_line, array_line_number);
        read_glyph_lines();
        m_result.ok = true;
        set_fixed_font_metrics(m_result.font);
        return std::move(m_result);
    }

private:
    void take_leading_lines()
    {
        m_result.font.name = m_entry.name;
        std::string_view leading = m_text.substr(m_entry.leading_begin, m_entry.begin - m_entry.leading_begin);
        LineReader lines(leading);
        while (!lines.at_end()) {
            m_result.font.header_text += lines.read_line();
            m_result.font.header_text += kLineEnd;
        }
    }

    bool read_header()
    {
        HeaderLine header = find_header_line(m_lines);
        if (header.found)
            return take_header(header.line, header.closes_array);
        m_result = refused_at(m_lines.line_number(), "the array has no header line of four bytes (width, height, first character, count)");
        return false;
    }

    bool take_header(std::string_view line, bool closes_array)
    {
        HeaderFields fields = split_header_fields(line);
        Font& font = m_result.font;
        font.header_bytes_text = line;
        font.header = header_of(fields);
        std::string problem = geometry_problem(font.header);
        if (!problem.empty()) {
            m_result = refused_at(m_lines.line_number(), problem);
            return false;
        }
        if (fields.present < 4)
            warn(m_lines.line_number(), "the header line has " + to_decimal(fields.present)
                 + " of its four byte fields; the missing ones read as 0");
        m_closed = closes_array;
        warn_of_what_no_display_draws();
        return true;
    }

    void warn_of_what_no_display_draws()
    {
        for (const std::string& problem : {codes_problem(m_result.font.header), row_width_problem(m_result.font.header)}) {
            if (!problem.empty())
                warn(m_lines.line_number(), problem);
        }
    }

    void check_declared_size(std::string_view array_line, std::size_t line_number)
    {
        std::optional<ArrayLine> array = parse_array_line(array_line);
        std::optional<std::int64_t> size = array ? declared_size(array_line, *array) : std::nullopt;
        std::int64_t needed = memory_usage(m_result.font.header);
        if (size && *size != needed)
            warn(line_number, "the array is declared with " + to_decimal(*size) + " bytes, but the header's font takes "
                 + to_decimal(needed));
    }

    void read_glyph_lines()
    {
        while (!m_closed && !m_lines.at_end()) {
            GlyphLine parts = split_glyph_line(m_lines.read_line());
            m_closed = parts.closes_array;
            if (!parts.data.empty())
                take_glyph(parts);
        }
        report_glyph_count();
    }

    void take_glyph(const GlyphLine& parts)
    {
        const FontHeader& header = m_result.font.header;
        if (m_rows_read >= header.char_count) {
            if (m_surplus_lines++ == 0)
                m_first_surplus_line = m_lines.line_number();
            return;
        }
        Glyph& row = m_result.font.font_table[static_cast<std::size_t>(m_rows_read)];
        row.glyph_data = parts.data;
        row.comment = " // ";
        row.comment += parts.comment_tail;
        int bytes = data_byte_count(parts.data);
        int needed = glyph_byte_count(header.glyph_width, header.glyph_height);
        if (bytes != needed)
            warn(m_lines.line_number(), "the glyph of " + character_label(header.first_char + m_rows_read) + " has "
                 + to_decimal(bytes) + " bytes; glyphs of this size have " + to_decimal(needed));
        ++m_rows_read;
    }

    void report_glyph_count()
    {
        const FontHeader& header = m_result.font.header;
        if (m_rows_read < header.char_count)
            warn(m_lines.line_number(), "the array ends after " + to_decimal(m_rows_read) + " of the header's "
                 + to_decimal(header.char_count) + " glyphs; the missing glyphs are blank");
        if (m_surplus_lines > 0)
            warn(m_first_surplus_line, counted(m_surplus_lines, "glyph line", "glyph lines") + " after the header's "
                 + to_decimal(header.char_count) + " glyphs " + (m_surplus_lines == 1 ? "is" : "are") + " ignored");
        if (!m_closed)
            warn(m_lines.line_number(), "the file ends before the \"};\" that closes the array");
    }

    void warn(std::size_t line_number, std::string_view text) { m_result.warnings.push_back(at_line(line_number, text)); }

    std::string_view m_text;
    const FontEntry& m_entry;
    LineReader m_lines;
    FontReadResult m_result;
    bool m_closed = false;
    int m_rows_read = 0;
    int m_surplus_lines = 0;
    std::size_t m_first_surplus_line = 0;
};

}  // namespace

void append_c_header_line(std::string& out, const Font& font)
{
    if (header_of(split_header_fields(font.header_bytes_text)) == font.header) {
        out += font.header_bytes_text;
        return;
    }
    out += header_bytes_text_of(font.header);
}

// A blank line would be skipped on reading and move every later glyph up one row.
void append_c_glyph_data(std::string& out, std::string_view glyph_data, int glyph_bytes)
{
    std::string_view data = trim_blanks_and_tabs(glyph_data);
    if (data.empty()) {
        for (int byte = 0; byte < glyph_bytes; ++byte)
            out += "0x00,";
        return;
    }
    out += glyph_data;
    if (data.back() != ',')
        out += ',';
}

namespace {

std::size_t estimated_size(const Font& font, int rows, int glyph_bytes)
{
    std::size_t size = font.header_text.size() + font.header_bytes_text.size() + 256;
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        size += std::max<std::size_t>(glyph.glyph_data.size(), static_cast<std::size_t>(glyph_bytes) * 5);
        size += glyph.comment.size() + 2;
    }
    return size;
}

}  // namespace

FontReadResult read_c_font(std::string_view text)
{
    if (text.empty())
        return refused("the file is empty, so it holds no C font array");
    FontScan scan = scan_c_fonts(text);
    if (scan.entries.empty())
        return refused(scan.refusal);
    return CFontReader(text, scan.entries.front()).read();
}

FontReadResult read_c_font_entry(std::string_view text, const FontEntry& entry) { return CFontReader(text, entry).read(); }

FontReadResult read_c_font_file(const std::string& path) { return read_font_file(path, read_c_font); }

namespace {

// The lines that let the file compile alone: fontdatatype and PROGMEM as an AVR build defines
// them, and as plain constant bytes elsewhere; a header or library that defines them wins.
constexpr std::string_view kPreamble[] = {
    "#ifndef fontdatatype",
    "#if defined(__AVR__)",
    "#include <avr/pgmspace.h>",
    "#define fontdatatype const uint8_t",
    "#else",
    "#define fontdatatype const unsigned char",
    "#endif",
    "#endif",
    "#ifndef PROGMEM",
    "#define PROGMEM",
    "#endif",
};

// True when a kept header line opens the preamble already, as in a file this program wrote.
bool has_preamble(std::string_view header_text)
{
    LineReader lines(header_text);
    while (!lines.at_end())
        if (trim_blanks_and_tabs(lines.read_line()) == kPreamble[0])
            return true;
    return false;
}

bool is_identifier(std::string_view name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char character) {
        return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z')
            || (character >= '0' && character <= '9') || character == '_';
    });
}

}  // namespace

std::string c_array_name(const Font& font, std::string_view save_path)
{
    if (is_identifier(font.name))
        return font.name;
    std::string name(file_name_part(save_path));
    const std::string_view extension = file_extension(name);
    if (!extension.empty())
        name.resize(name.size() - extension.size() - 1);
    for (char& character : name)
        if (!((character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z')
              || (character >= '0' && character <= '9')))
            character = '_';
    if (name.empty())
        return "Font";
    if (name[0] >= '0' && name[0] <= '9')
        name.insert(name.begin(), '_');
    return name;
}

std::string write_c_font(const Font& font, std::string_view save_path)
{
    const int rows = glyph_count(font);
    const int glyph_bytes = glyph_byte_count(font.header.glyph_width, font.header.glyph_height);
    std::string out;
    out.reserve(estimated_size(font, rows, glyph_bytes));
    out += "// ";
    out += file_name_part(save_path);
    out += kLineEnd;
    out += font.header_text;
    if (!has_preamble(font.header_text)) {
        for (std::string_view line : kPreamble) {
            out += line;
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    out += "fontdatatype ";
    out += c_array_name(font, save_path);
    out += "[";
    out += to_decimal(memory_usage(font.header));
    out += "] PROGMEM={";
    out += kLineEnd;
    append_c_header_line(out, font);
    out += kLineEnd;
    for (int row = 0; row < rows; ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        append_c_glyph_data(out, glyph.glyph_data, glyph_bytes);
        out += glyph.comment;
        out += kLineEnd;
    }
    out += "};";
    out += kLineEnd;
    return out;
}

}  // namespace glyphwright

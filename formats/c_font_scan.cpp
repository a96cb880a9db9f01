#include <algorithm>
#include <optional>

#include "formats/c_declaration.h"
#include "formats/c_font.h"
#include "formats/c_font_lines.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// "0x" or "0X" and one or two hexadecimal digits: how byte arrays that hold fonts write their bytes.
bool is_byte_literal(std::string_view field)
{
    if (field.size() < 3 || field.size() > 4 || field[0] != '0' || (field[1] != 'x' && field[1] != 'X'))
        return false;
    for (std::size_t at = 2; at < field.size(); ++at) {
        if (!is_hex_digit(field[at]))
            return false;
    }
    return true;
}

// A byte array whose initializer starts on the declaration line, or that ends there, is no font of
// ours: the header line is always a line of its own.
bool opens_on_its_own(std::string_view line)
{
    std::string_view code = line.substr(0, line.find('/'));
    std::size_t brace = code.find('{');
    if (code.find(';') != std::string_view::npos || code.find('}') != std::string_view::npos)
        return false;
    return brace == std::string_view::npos || trim_blanks_and_tabs(code.substr(brace + 1)).empty();
}

// Bytes written in an array from the line at `from` up to the "}" that closes it: the comma
// separated fields of each line's data, a trailing comma closing the last field. None when the
// declaration of another array comes first: the array is never closed, and the bytes after that
// line are the other array's.
std::optional<std::int64_t> array_byte_count(std::string_view text, std::size_t from)
{
    std::int64_t bytes = 0;
    LineReader lines(text, from, 0);
    while (!lines.at_end()) {
        const std::string_view line = lines.read_line();
        if (parse_array_line(line))
            return std::nullopt;
        GlyphLine parts = split_glyph_line(line);
        bytes += data_byte_count(parts.data);
        if (parts.closes_array)
            break;
    }
    return bytes;
}

std::size_t end_of_line_at(std::string_view text, std::size_t offset)
{
    if (offset >= text.size())
        return text.size();
    LineReader lines(text, line_begin_at(text, offset), 0);
    lines.read_line();
    return lines.position();
}

class CFontScanner {
public:
    explicit CFontScanner(std::string_view text) : m_text(text), m_lines(text) {}

    FontScan scan()
    {
        bool first_line = true;
        while (!m_lines.at_end()) {
            std::size_t begin = m_lines.position();
            std::string_view line = m_lines.read_line();
            // The first line is the file's name line, which a save writes anew, only when it is a
            // comment; any other first line (an opening "/*", an #if, code) is kept with the font.
            if (first_line) {
                first_line = false;
                if (trim_blanks_and_tabs(line).substr(0, 2) == "//")
                    m_leading_begin = m_lines.position();
            }
            std::optional<ArrayLine> array = parse_array_line(line);
            if (array && (array->type == ArrayType::FontDataType || opens_on_its_own(line)))
                examine(begin, *array);
        }
        if (m_scan.entries.empty())
            m_scan.refusal = refusal_text();
        return std::move(m_scan);
    }

private:
    void examine(std::size_t begin, const ArrayLine& array)
    {
        LineReader lines(m_text, m_lines.position(), 0);
        HeaderLine header = find_header_line(lines);
        if (!header.found)
            return refuse(begin, lines.line_number(), array, "the array has no header line of four bytes (width, height, first character, count)");
        HeaderFields fields = split_header_fields(header.line);
        FontEntry entry;
        entry.header = header_of(fields);
        std::string problem = header_problem(array, fields, entry.header);
        if (problem.empty() && array.type == ArrayType::Bytes) {
            const std::optional<std::int64_t> bytes = array_byte_count(m_text, header.begin);
            problem = bytes ? length_problem(*bytes, entry.header) : "the next array begins before it is closed with \"}\"";
        }
        if (!problem.empty())
            return refuse(begin, lines.line_number(), array, problem);
        entry.name = array.name;
        entry.guessed = array.type == ArrayType::Bytes;
        entry.leading_begin = std::min(m_leading_begin, begin);
        entry.begin = begin;
        entry.data_begin = header.begin;
        entry.data_end = header.closes_array ? header.begin + header.line.find('}') : find_closing_brace(m_text, lines.position());
        entry.end = end_of_line_at(m_text, entry.data_end);
        m_scan.entries.push_back(entry);
        m_lines = LineReader(m_text, entry.end, 0);
        m_leading_begin = entry.end;
    }

    static std::string header_problem(const ArrayLine& array, const HeaderFields& fields, const FontHeader& header)
    {
        if (array.type == ArrayType::FontDataType)
            return geometry_problem(header);
        for (std::string_view field : fields.fields) {
            if (!is_byte_literal(field))
                return "its first four bytes are not written as 0x.., as the bytes of a font header are";
        }
        std::string problem = geometry_problem(header);
        if (problem.empty() && header.char_count == 0)
            problem = "its header gives no characters";
        return problem;
    }

    // Other libraries' byte arrays often begin with four bytes that pass for a header; a font's
    // array holds what its header announces, give or take one glyph.
    static std::string length_problem(std::int64_t bytes, const FontHeader& header)
    {
        std::int64_t expected = memory_usage(header);
        std::int64_t slack = glyph_byte_count(header.glyph_width, header.glyph_height);
        if (bytes >= expected - slack && bytes <= expected + slack)
            return {};
        return "it holds " + counted(bytes, "byte", "bytes") + ", but a font of its header (" + to_decimal(header.glyph_width)
             + " x " + to_decimal(header.glyph_height) + ", " + counted(header.char_count, "character", "characters")
             + ") takes " + to_decimal(expected);
    }

    void refuse(std::size_t begin, std::size_t lines_after, const ArrayLine& array, const std::string& problem)
    {
        if (m_refusal_anchor != std::string_view::npos)
            return;
        m_refusal_anchor = begin;
        m_refusal_lines_after = lines_after;
        m_refusal = array.type == ArrayType::Bytes ? "the byte array \"" + std::string(array.name) + "\" is not a font: " + problem
                                                   : problem;
    }

    std::string refusal_text() const
    {
        if (m_refusal_anchor == std::string_view::npos)
            return at_line(m_lines.line_number(), "the file ends without a line that begins with \"fontdatatype\", so it holds no C font array");
        return at_line(line_number_at(m_text, m_refusal_anchor) + m_refusal_lines_after, m_refusal);
    }

    std::string_view m_text;
    LineReader m_lines;
    FontScan m_scan;
    std::size_t m_leading_begin = 0;
    std::size_t m_refusal_anchor = std::string_view::npos;
    std::size_t m_refusal_lines_after = 0;
    std::string m_refusal;
};

}  // namespace

FontScan scan_c_fonts(std::string_view text)
{
    if (text.empty()) {
        FontScan scan;
        scan.refusal = "the file is empty, so it holds no C font array";
        return scan;
    }
    return CFontScanner(text).scan();
}

}  // namespace glyphwright

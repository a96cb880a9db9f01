#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <vector>

#include "formats/bdf_font.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// A box in the font's own coordinates: x to the right of the origin, y up from the baseline.
struct Box {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int top() const { return bottom + height; }
};

struct BdfGlyph {
    char32_t code_point = 0;
    int advance = 0;
    Box box;
    std::vector<std::string_view> rows;  // hexadecimal digits, the top row first
    std::size_t line = 0;                // of its STARTCHAR, for warnings
};

// The words of a line, cut at blanks and tabs.
std::vector<std::string_view> words_of(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < line.size()) {
        position = line.find_first_not_of(" \t\r", position);
        if (position == std::string_view::npos)
            break;
        std::size_t end = line.find_first_of(" \t\r", position);
        end = end == std::string_view::npos ? line.size() : end;
        words.push_back(line.substr(position, end - position));
        position = end;
    }
    return words;
}

// A decimal integer of at most nine digits and an optional minus sign, or none.
std::optional<int> number_of(std::string_view word)
{
    int value = 0;
    if (word.size() > 10 || word.empty())
        return std::nullopt;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// The numbers after a line's keyword, when there are at least `count` of them.
std::optional<std::vector<int>> numbers_after_keyword(const std::vector<std::string_view>& words, std::size_t count)
{
    if (words.size() < count + 1)
        return std::nullopt;
    std::vector<int> numbers;
    for (std::size_t at = 1; at <= count; ++at) {
        std::optional<int> number = number_of(words[at]);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    return numbers;
}

// Sizes beyond these are no font of this program: the cell of every form is at most 255 pixels a
// side, and a box larger than that in a file is a fault, not a glyph.
constexpr int kLargestBox = 4096;

// The most glyph bytes a font read may hold: every font of GNU Unifont's size and far more.
constexpr std::int64_t kLargestFontBytes = std::int64_t{16} << 20;

bool sensible(const Box& box)
{
    return box.width >= 0 && box.height >= 0 && box.width <= kLargestBox && box.height <= kLargestBox
        && std::abs(box.left) <= kLargestBox && std::abs(box.bottom) <= kLargestBox;
}

// Whether a read builds the glyphs, or gives only the font's cell and characters, which is all a
// scan needs.
enum class Reading { WholeFont, Header };

class BdfReader {
public:
    BdfReader(std::string_view text, std::size_t from, Reading reading)
        : m_lines(text, from, line_number_at(text, from) - 1), m_reading(reading) {}

    FontReadResult read()
    {
        if (!read_properties() || !read_glyphs())
            return std::move(m_result);
        return build_font();
    }

private:
    bool read_properties()
    {
        while (!m_lines.at_end()) {
            std::string_view line = m_lines.read_line();
            std::vector<std::string_view> words = words_of(line);
            if (words.empty())
                continue;
            std::string_view keyword = words[0];
            if (keyword == "COMMENT") {
                // The blank after COMMENT parts it from the text; blanks after that are the text's.
                std::string_view comment = line.substr(std::min(line.size(), line.find("COMMENT") + 7));
                if (!comment.empty() && (comment.front() == ' ' || comment.front() == '\t'))
                    comment.remove_prefix(1);
                while (!comment.empty() && (comment.back() == ' ' || comment.back() == '\t'))
                    comment.remove_suffix(1);
                m_result.font.header_text += comment.empty() ? "//" : "// " + std::string(comment);
                m_result.font.header_text += "\r\n";
            } else if (keyword == "FONT" && words.size() > 1) {
                m_result.font.name = std::string(trim_blanks_and_tabs(line.substr(line.find("FONT") + 4)));
            } else if (keyword == "FONTBOUNDINGBOX") {
                std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 4);
                Box box = numbers ? Box{(*numbers)[2], (*numbers)[3], (*numbers)[0], (*numbers)[1]} : Box{0, 0, -1, -1};
                if (!sensible(box))
                    return refuse("the FONTBOUNDINGBOX line needs four numbers: width, height, x and y offset");
                m_bounding_box = box;
            } else if (keyword == "FONT_ASCENT" || keyword == "FONT_DESCENT") {
                std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 1);
                if (numbers && std::abs((*numbers)[0]) <= kLargestBox)
                    (keyword == "FONT_ASCENT" ? m_ascent : m_descent) = (*numbers)[0];
            } else if (keyword == "DWIDTH") {
                std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 1);
                if (numbers)
                    m_default_advance = (*numbers)[0];
            } else if (keyword == "CHARS") {
                return m_bounding_box ? true : refuse("the font has no FONTBOUNDINGBOX line before its CHARS line");
            } else if (keyword == "ENDFONT") {
                break;
            }
        }
        return refuse("the file ends before the CHARS line that begins the glyphs");
    }

    bool read_glyphs()
    {
        while (!m_lines.at_end()) {
            std::string_view line = m_lines.read_line();
            std::vector<std::string_view> words = words_of(line);
            if (words.empty())
                continue;
            if (words[0] == "ENDFONT")
                return true;
            if (words[0] == "STARTCHAR" && !read_glyph())
                return false;
        }
        warn(m_lines.line_number(), "the file ends without its ENDFONT line");
        return true;
    }

    // One glyph from the line after its STARTCHAR to its ENDCHAR.
    bool read_glyph()
    {
        BdfGlyph glyph;
        glyph.line = m_lines.line_number();
        glyph.advance = m_default_advance.value_or(m_bounding_box->width);
        glyph.box = *m_bounding_box;
        std::optional<int> code;
        bool in_bitmap = false;
        while (!m_lines.at_end()) {
            std::string_view line = m_lines.read_line();
            std::vector<std::string_view> words = words_of(line);
            if (words.empty())
                continue;
            std::string_view keyword = words[0];
            if (keyword == "ENDCHAR")
                return keep(glyph, code);
            if (in_bitmap) {
                glyph.rows.push_back(words[0]);
            } else if (keyword == "ENCODING") {
                std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 1);
                code = numbers ? std::optional<int>((*numbers)[0]) : std::nullopt;
                // "ENCODING -1 N": no standard code, N in the font's own encoding.
                if (code == -1 && words.size() > 2)
                    code = number_of(words[2]);
            } else if (keyword == "DWIDTH") {
                if (std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 1))
                    glyph.advance = (*numbers)[0];
            } else if (keyword == "BBX") {
                std::optional<std::vector<int>> numbers = numbers_after_keyword(words, 4);
                Box box = numbers ? Box{(*numbers)[2], (*numbers)[3], (*numbers)[0], (*numbers)[1]} : Box{0, 0, -1, -1};
                if (!sensible(box))
                    return refuse("the BBX line needs four numbers: width, height, x and y offset");
                glyph.box = box;
            } else if (keyword == "BITMAP") {
                in_bitmap = true;
            } else if (keyword == "ENDFONT") {
                break;
            }
        }
        return refuse("the glyph that begins on line " + to_decimal(static_cast<std::int64_t>(glyph.line))
                      + " has no ENDCHAR line");
    }

    bool keep(BdfGlyph& glyph, std::optional<int> code)
    {
        if (!code || *code < 0 || static_cast<char32_t>(*code) > kLastCodePoint) {
            ++m_without_code;
            return true;
        }
        glyph.code_point = static_cast<char32_t>(*code);
        if (glyph.rows.size() != static_cast<std::size_t>(glyph.box.height))
            warn(glyph.line, "the glyph has " + to_decimal(static_cast<std::int64_t>(glyph.rows.size())) + " bitmap rows and a box "
                 + to_decimal(glyph.box.height) + " rows high; missing rows are blank, surplus ones left out");
        if (!m_glyphs.emplace(glyph.code_point, std::move(glyph)).second)
            warn(m_lines.line_number(), "a second glyph of code " + to_decimal(*code) + " is left out");
        if (m_glyphs.size() > static_cast<std::size_t>(kMaxGlyphs))
            return refuse("the font holds more than 65,535 glyphs");
        return true;
    }

    FontReadResult build_font()
    {
        if (m_without_code > 0)
            m_result.warnings.push_back(counted(m_without_code, "glyph has", "glyphs have") + " no code and "
                                        + (m_without_code == 1 ? "is" : "are") + " left out");
        // The cell holds the bounding box, the line's ascent and descent and every glyph's box, and
        // the origin.
        Box cell = *m_bounding_box;
        int left = std::min(cell.left, 0);
        int right = std::max(cell.right(), 0);
        int bottom = std::min(cell.bottom, -std::max(m_descent.value_or(0), 0));
        int top = std::max(cell.top(), std::max(m_ascent.value_or(0), 0));
        for (const auto& [code, glyph] : m_glyphs) {
            if (glyph.box.width == 0 || glyph.box.height == 0)
                continue;
            left = std::min(left, glyph.box.left);
            right = std::max(right, glyph.box.right());
            bottom = std::min(bottom, glyph.box.bottom);
            top = std::max(top, glyph.box.top());
        }
        Font& font = m_result.font;
        const int width = right - left;
        const int height = top - bottom;
        if (width < 1 || height < 1 || width > 255 || height > 255)
            return refused("the glyphs and the font's line span " + to_decimal(width) + " x " + to_decimal(height)
                           + " pixels; a font of 1 x 1 to 255 x 255 pixels can be read");
        // Every glyph is held in the whole cell: a few lines of text may ask for a huge cell and
        // thousands of glyphs, which is no font anyone draws on a small display.
        const std::int64_t bytes = std::int64_t{glyph_byte_count(width, height)} * static_cast<std::int64_t>(m_glyphs.size());
        if (bytes > kLargestFontBytes)
            return refused(counted(static_cast<std::int64_t>(m_glyphs.size()), "glyph", "glyphs") + " in a cell of "
                           + to_decimal(width) + " x " + to_decimal(height) + " pixels take "
                           + to_decimal(bytes >> 20) + " MiB; fonts of up to 16 MiB of glyphs can be read");
        font.header.glyph_width = width;
        font.header.glyph_height = height;
        font.header.first_char = m_glyphs.empty() ? 0 : static_cast<int>(m_glyphs.begin()->first);
        font.header.char_count = static_cast<int>(m_glyphs.size());
        font.ascent = top;
        font.descent = -bottom;
        font.origin_x = -left;
        m_result.ok = true;
        if (m_reading == Reading::Header)
            return std::move(m_result);
        font.font_table.assign(std::max<std::size_t>(m_glyphs.size(), 1), Glyph{});
        GlyphGrid grid(width, height);
        const GlyphGrid blank(width, height);
        std::size_t row = 0;
        for (const auto& [code, glyph] : m_glyphs) {
            grid = blank;
            draw(glyph, grid, left, top);
            Glyph& out = font.font_table[row++];
            out.glyph_data = encode_glyph(grid);
            out.code_point = code;
            out.advance = glyph.advance;
        }
        return std::move(m_result);
    }

    void draw(const BdfGlyph& glyph, GlyphGrid& grid, int cell_left, int cell_top)
    {
        const int rows = std::min(static_cast<int>(glyph.rows.size()), glyph.box.height);
        bool unreadable = false;
        for (int r = 0; r < rows; ++r) {
            std::string_view digits = glyph.rows[static_cast<std::size_t>(r)];
            const int y = cell_top - glyph.box.top() + r;
            for (int x = 0; x < glyph.box.width; ++x) {
                const std::size_t digit = static_cast<std::size_t>(x / 4);
                const int value = digit < digits.size() ? hex_digit_value(digits[digit]) : 0;
                unreadable = unreadable || value < 0;
                if (value > 0 && (value & (8 >> (x % 4))) != 0)
                    grid.set(glyph.box.left - cell_left + x, y, true);
            }
        }
        if (unreadable)
            warn(glyph.line, "a bitmap row of the glyph holds a character that is no hexadecimal digit; it reads as clear pixels");
    }

    bool refuse(std::string_view reason)
    {
        m_result = refused_at(m_lines.line_number(), reason);
        return false;
    }

    void warn(std::size_t line, std::string_view text) { m_result.warnings.push_back(at_line(line, text)); }

    LineReader m_lines;
    Reading m_reading;
    FontReadResult m_result;
    std::optional<Box> m_bounding_box;
    std::optional<int> m_ascent;
    std::optional<int> m_descent;
    std::optional<int> m_default_advance;
    std::map<char32_t, BdfGlyph> m_glyphs;
    std::int64_t m_without_code = 0;
};

// The offset of the first line whose first word is `keyword`, from `from` on; npos when none.
std::size_t line_with_keyword(std::string_view text, std::string_view keyword, std::size_t from)
{
    LineReader lines(text, from, 0);
    while (!lines.at_end()) {
        std::size_t begin = lines.position();
        std::vector<std::string_view> words = words_of(lines.read_line());
        if (!words.empty() && words[0] == keyword)
            return begin;
    }
    return std::string_view::npos;
}

}  // namespace

FontScan scan_bdf_fonts(std::string_view text)
{
    FontScan scan;
    const std::size_t begin = line_with_keyword(text, "STARTFONT", 0);
    if (begin == std::string_view::npos) {
        scan.refusal = "the file has no STARTFONT line, so it holds no BDF font";
        return scan;
    }
    FontEntry entry;
    entry.leading_begin = entry.begin = begin;
    FontReadResult read = BdfReader(text, entry.begin, Reading::Header).read();
    if (!read.ok) {
        scan.refusal = read.message;
        return scan;
    }
    const std::size_t end = line_with_keyword(text, "ENDFONT", begin);
    entry.name = read.font.name;
    entry.header = read.font.header;
    entry.data_begin = begin;
    std::size_t after_end = text.size();
    if (end != std::string_view::npos) {
        LineReader end_line(text, end, 0);
        end_line.read_line();
        after_end = end_line.position();
    }
    entry.data_end = entry.end = after_end;
    scan.entries.push_back(std::move(entry));
    return scan;
}

FontReadResult read_bdf_font_entry(std::string_view text, const FontEntry& entry)
{
    return BdfReader(text, entry.begin, Reading::WholeFont).read();
}

}  // namespace glyphwright

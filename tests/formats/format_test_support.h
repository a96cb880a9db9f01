#pragma once

// Helpers shared by the font file tests: reading whole files, a readable dump of a read font,
// comparing texts line by line, and the glyph bytes that a row's text stands for.

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font_model.h"
#include "model/glyph_codec.h"
#include "tests/support/temp_folder.h"
#include "text/text_primitives.h"

namespace glyphwright::testing {

// The text with CR, LF, tab and backslash written as escapes, so a dump shows line ends.
inline std::string escaped(std::string_view text)
{
    std::string result;
    for (char character : text) {
        switch (character) {
        case '\r': result += "\\r"; break;
        case '\n': result += "\\n"; break;
        case '\t': result += "\\t"; break;
        case '\\': result += "\\\\"; break;
        default: result += character;
        }
    }
    return result;
}

// Everything a reader gives back, one item a line, for golden files and failure messages.
inline std::string dump_of(const FontReadResult& result)
{
    const Font& font = result.font;
    const FontHeader& header = font.header;
    std::string dump = "header " + to_decimal(header.glyph_width) + " " + to_decimal(header.glyph_height) + " "
        + to_decimal(header.first_char) + " " + to_decimal(header.char_count) + "\n";
    dump += "header_bytes_text «" + escaped(font.header_bytes_text) + "»\n";
    dump += "header_text «" + escaped(font.header_text) + "»\n";
    for (int row = 0; row < static_cast<int>(font.font_table.size()); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        if (row < header.char_count || !glyph.glyph_data.empty() || !glyph.comment.empty())
            dump += "row " + to_decimal(row) + " «" + escaped(glyph.glyph_data) + "» «" + escaped(glyph.comment) + "»\n";
    }
    for (const std::string& label : character_labels(result.font))
        dump += "label «" + label + "»\n";
    return dump;
}

inline std::string joined_lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Empty when the texts are equal, otherwise the first line where they differ, both versions.
inline std::string first_difference(std::string_view expected, std::string_view actual)
{
    if (expected == actual)
        return {};
    std::size_t line = 1;
    std::size_t start = 0;
    std::size_t position = 0;
    while (position < expected.size() && position < actual.size() && expected[position] == actual[position]) {
        if (expected[position] == '\n') {
            ++line;
            start = position + 1;
        }
        ++position;
    }
    auto line_at = [start](std::string_view text) {
        std::size_t end = text.find('\n', start);
        return escaped(text.substr(std::min(start, text.size()), end == std::string_view::npos ? std::string_view::npos : end - start));
    };
    return "first difference on line " + std::to_string(line) + "\n  expected: «" + line_at(expected)
        + "»\n  actual:   «" + line_at(actual) + "»";
}

// The byte values of a glyph text's first `count` fields, as the codec reads them.
inline std::vector<int> glyph_bytes(std::string_view glyph_data, int count)
{
    std::vector<int> bytes;
    std::size_t start = 0;
    for (int byte = 0; byte < count; ++byte) {
        if (start > glyph_data.size()) {
            bytes.push_back(0);
            continue;
        }
        std::size_t comma = glyph_data.find(',', start);
        std::size_t end = comma == std::string_view::npos ? glyph_data.size() : comma;
        bytes.push_back(decode_byte_field(glyph_data.substr(start, end - start)));
        start = end + 1;
    }
    return bytes;
}

// The bytes of every glyph of a font, row after row.
inline std::vector<int> font_bytes(const Font& font)
{
    const FontHeader& header = font.header;
    int count = glyph_byte_count(header.glyph_width, header.glyph_height);
    std::vector<int> bytes;
    for (int row = 0; row < header.char_count; ++row) {
        std::vector<int> glyph = glyph_bytes(font.font_table[static_cast<std::size_t>(row)].glyph_data, count);
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
    }
    return bytes;
}

// Names of the regular files in a folder, sorted.
inline std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The lines of a text, without their line ends.
inline std::vector<std::string_view> lines_of(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A glyph as a display draws it, whatever cell a reader gave it: its code, its advance, and its
// set pixels as (columns right of the origin, rows below the baseline's upper row).
struct DrawnGlyph {
    char32_t code = 0;
    int advance = 0;
    std::vector<std::pair<int, int>> pixels;
    bool operator==(const DrawnGlyph&) const = default;
};

inline std::vector<DrawnGlyph> drawn_glyphs(const Font& font)
{
    std::vector<DrawnGlyph> glyphs;
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < glyph_count(font); ++row) {
        const Glyph& glyph = font.font_table[static_cast<std::size_t>(row)];
        DrawnGlyph drawn{glyph.code_point, glyph.advance, {}};
        decode_glyph(glyph.glyph_data, grid);
        for (int y = 0; y < grid.glyph_height(); ++y)
            for (int x = 0; x < grid.glyph_width(); ++x)
                if (grid.at(x, y) == 1)
                    drawn.pixels.emplace_back(x - font.origin_x, y - font.ascent + 1);
        glyphs.push_back(std::move(drawn));
    }
    return glyphs;
}

inline void PrintTo(const DrawnGlyph& glyph, std::ostream* out)
{
    *out << code_point_text(glyph.code) << " advance " << glyph.advance << ", " << glyph.pixels.size() << " pixels";
}

inline bool is_bas_path(const std::filesystem::path& path) { return to_upper(file_extension(path.string())) == "BAS"; }

// The first font of the text in the form, or why there is none.
inline FontReadResult read_first_of(FontFormat format, std::string_view text)
{
    const FileForm& form = form_of(format);
    const FontScan scan = form.scan(text);
    if (scan.entries.empty())
        return refused(scan.refusal);
    return form.read(text, scan.entries.front());
}

// The first font entry of the text in the form; the test fails when there is none.
inline FontEntry read_first_of_entry(FontFormat format, std::string_view text)
{
    const FontScan scan = form_of(format).scan(text);
    EXPECT_FALSE(scan.entries.empty()) << scan.refusal;
    return scan.entries.empty() ? FontEntry{} : scan.entries.front();
}

inline FontReadResult read_first_bdf(std::string_view text) { return read_first_of(FontFormat::Bdf, text); }

// Whether the glyph of `code` has the pixel `x` columns right of its origin and `y` rows below
// its base row (negative: above).
inline bool pixel(const Font& font, char32_t code, int x, int y)
{
    const GlyphPlace place = glyph_place(font, code);
    EXPECT_TRUE(place.found) << code_point_text(code);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    decode_glyph(font.font_table[static_cast<std::size_t>(place.row)].glyph_data, grid);
    return grid.at(font.origin_x + x, font.ascent - 1 + y) == 1;
}

inline int advance(const Font& font, char32_t code) { return font.font_table[static_cast<std::size_t>(glyph_place(font, code).row)].advance; }

// Lines at the same place that differ, and the lines one text has past the other's end.
inline int lines_that_differ(std::string_view a, std::string_view b)
{
    std::vector<std::string_view> left = lines_of(a);
    std::vector<std::string_view> right = lines_of(b);
    int differ = static_cast<int>(std::max(left.size(), right.size()) - std::min(left.size(), right.size()));
    for (std::size_t at = 0; at < std::min(left.size(), right.size()); ++at)
        differ += left[at] != right[at];
    return differ;
}

// The lines a diff of the two texts shows as changed or added: the longer text's lines outside
// their longest common subsequence. Quadratic: for files of a few thousand lines.
inline int lines_changed_by_diff(std::string_view a, std::string_view b)
{
    const std::vector<std::string_view> left = lines_of(a);
    const std::vector<std::string_view> right = lines_of(b);
    std::vector<int> row(right.size() + 1, 0);
    for (std::size_t i = 1; i <= left.size(); ++i) {
        int diagonal = 0;
        for (std::size_t j = 1; j <= right.size(); ++j) {
            const int above = row[j];
            row[j] = left[i - 1] == right[j - 1] ? diagonal + 1 : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return static_cast<int>(std::max(left.size(), right.size())) - row[right.size()];
}

// The font with the pixel at cell column `x`, row `y` of the glyph of `code` turned over.
inline Font with_pixel_turned(Font font, char32_t code, int x, int y)
{
    Glyph& glyph = font.font_table[static_cast<std::size_t>(glyph_place(font, code).row)];
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    decode_glyph(glyph.glyph_data, grid);
    grid.toggle(x, y);
    glyph.glyph_data = encode_glyph(grid);
    return font;
}

// Tests of the real files of one form, in the corpus folder named `kFolder`: each is skipped, with
// a message, when the folder is absent.
template <const char* kFolder>
class CorpusFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::filesystem::path folder = std::filesystem::path(GLYPHWRIGHT_CORPUS_DIR) / kFolder;
        if (!std::filesystem::is_directory(folder))
            GTEST_SKIP() << "the corpus folder " << folder << " is absent";
    }
};

}  // namespace glyphwright::testing

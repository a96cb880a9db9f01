// One property over every font of the corpus and every form: a font written in a form that takes
// it (with the file beside it, for a form written as two), and read back, draws the same ink.

#include <gtest/gtest.h>

#include <set>

#include "formats/font_document.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

// Each inked glyph's pixels from its leftmost one, rows from the font's lowest ink, in code order:
// what every form keeps, including those that move a glyph to its ink, and the baseline with it.
std::vector<std::set<std::pair<int, int>>> ink_shapes(const Font& font)
{
    const std::vector<DrawnGlyph> drawn = drawn_glyphs(font);
    int bottom = INT_MAX;
    for (const DrawnGlyph& glyph : drawn)
        for (const auto& [x, y] : glyph.pixels)
            bottom = std::min(bottom, y);
    std::vector<std::set<std::pair<int, int>>> shapes;
    for (const DrawnGlyph& glyph : drawn) {
        if (glyph.pixels.empty())
            continue;
        int left = INT_MAX;
        for (const auto& [x, y] : glyph.pixels)
            left = std::min(left, x);
        std::set<std::pair<int, int>> shape;
        for (const auto& [x, y] : glyph.pixels)
            shape.emplace(x - left, y - bottom);
        shapes.push_back(std::move(shape));
    }
    return shapes;
}

// The character and advance of each inked glyph, in code order, with whether its ink lies between
// its origin and its advance less `blank_right` columns: the advance a proportional form keeps. (A
// form may move a glyph whose ink passes its origin or its advance, and advance it further.)
struct InkedAdvance {
    char32_t code = 0;
    int advance = 0;
    bool within = false;
};

std::vector<InkedAdvance> inked_advances(const Font& font, int blank_right)
{
    std::vector<InkedAdvance> advances;
    for (const DrawnGlyph& glyph : drawn_glyphs(font)) {
        if (glyph.pixels.empty())
            continue;
        bool within = true;
        for (const auto& [x, y] : glyph.pixels)
            within = within && x >= 0 && x < glyph.advance - blank_right;
        advances.push_back({glyph.code, glyph.advance, within});
    }
    return advances;
}

// Advances of `back` that differ from those of `read` where the glyph's ink lies within them.
std::string advances_lost(const Font& read, const Font& back, int blank_right)
{
    const std::vector<InkedAdvance> before = inked_advances(read, blank_right);
    const std::vector<InkedAdvance> after = inked_advances(back, blank_right);
    if (before.size() != after.size())
        return "inked glyphs " + std::to_string(before.size()) + " became " + std::to_string(after.size());
    std::string lost;
    for (std::size_t at = 0; at < before.size(); ++at)
        if (before[at].within && (after[at].code != before[at].code || after[at].advance != before[at].advance))
            lost += code_point_text(before[at].code) + " advanced " + std::to_string(before[at].advance) + ", now "
                  + code_point_text(after[at].code) + " " + std::to_string(after[at].advance) + "; ";
    return lost;
}

// Whether saving in the form loses pixels of the font, which it then says.
bool loses_pixels(const Font& font, FontFormat format)
{
    for (const std::string& note : save_notes(font, format))
        if (note.find("lose") != std::string::npos)
            return true;
    return false;
}

TEST(EveryForm, EveryCorpusFontComesBackFromEveryFormThatTakesIt)
{
    const fs::path corpus = GLYPHWRIGHT_CORPUS_DIR;
    if (!fs::is_directory(corpus))
        GTEST_SKIP() << "the corpus folder " << corpus << " is absent";
    int trips = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(corpus)) {
        if (!folder.is_directory())
            continue;
        for (const fs::path& path : files_in(folder.path())) {
            const ScannedFontFile file = scan_font_file(path.string());
            for (std::size_t entry = 0; file.ok && entry < file.scan.entries.size(); ++entry) {
                const FontReadResult read = read_font_entry(file, entry);
                if (!read.ok)
                    continue;
                for (const FileForm& form : file_forms()) {
                    if (form.scan == nullptr || !save_refusal(read.font, form.format).empty() || loses_pixels(read.font, form.format))
                        continue;
                    SCOPED_TRACE(path.filename().string() + " font " + std::to_string(entry + 1) + " as " + std::string(form.name));
                    const std::string save_path = "font." + std::string(form.extensions.front());
                    const std::string written = font_file_text(read.font, form.format, save_path);
                    FontReadResult back = read_first_of(form.format, written);
                    ASSERT_TRUE(back.ok) << back.message;
                    // Written again from what was read, and read and written once more, the file
                    // stays as it is: a writer's second pass changes nothing. (A C glyph line's
                    // comment is read as " // " and all after its "//", so it grows a blank a pass,
                    // as the form has always had it.)
                    const std::string again = font_file_text(back.font, form.format, save_path);
                    const FontReadResult second = read_first_of(form.format, again);
                    ASSERT_TRUE(second.ok) << second.message;
                    if (form.format != FontFormat::C) {
                        EXPECT_EQ(first_difference(again, font_file_text(second.font, form.format, save_path)), "");
                    }
                    // A form written as two files reads the second beside the first.
                    if (form.write_companion != nullptr)
                        form.read_companion(form.write_companion(std::nullopt, read.font, save_path), back.font, back.warnings);
                    EXPECT_EQ(ink_shapes(back.font), ink_shapes(read.font));
                    // glcd draws every glyph a column apart: it keeps no advance of its own. A
                    // TFT_eSPI glyph's last column is blank: ink there widens it.
                    if (form.limits.proportional && form.format != FontFormat::Glcd) {
                        EXPECT_EQ(advances_lost(read.font, back.font, form.format == FontFormat::TftEspi ? 1 : 0), "");
                    }
                    ++trips;
                }
            }
        }
    }
    EXPECT_GT(trips, 300);
}

// A font of 8 x 8 glyphs for the codes `first` to `last`, each drawn with the low 8 bits of its code
// on one row and a pixel in the corner, so that every glyph has ink of its own.
Font numbered_font(char32_t first, char32_t last)
{
    Font font = blank_font_of({8, 8, 0, 0});
    GlyphGrid grid(8, 8);
    for (char32_t code = first; code <= last; ++code) {
        for (int x = 0; x < 8; ++x)
            grid.set(x, 3, ((code >> x) & 1) != 0);
        grid.set(0, 7, true);
        insert_glyph(font, glyph_count(font), Glyph{encode_glyph(grid), {}, code, 8});
    }
    return font;
}

// At the edges of what each form holds (all of its first codes, its last codes, more glyphs than a
// byte counts): a font is refused with a reason, or written and read back whole.
TEST(EveryForm, FontsAtTheEdgesOfEachFormAreWrittenWholeOrRefused)
{
    for (const FileForm& form : file_forms()) {
        if (form.scan == nullptr)
            continue;
        const char32_t last_code = static_cast<char32_t>(form.limits.max_code);
        const char32_t many = static_cast<char32_t>(std::min(form.limits.max_glyphs, 300));
        const std::pair<char32_t, char32_t> spans[] = {
            {0, 254}, {0, 255}, {1, 255}, {0, many - 1}, {last_code - 9, last_code}, {last_code - many + 1, last_code}};
        for (const auto& [first, last] : spans) {
            SCOPED_TRACE(std::string(form.name) + ": codes " + std::to_string(first) + " to " + std::to_string(last));
            const Font font = numbered_font(first, last);
            if (!save_refusal(font, form.format).empty())
                continue;
            const std::string save_path = "font." + std::string(form.extensions.front());
            FontReadResult back = read_first_of(form.format, font_file_text(font, form.format, save_path));
            ASSERT_TRUE(back.ok) << back.message;
            if (form.write_companion != nullptr)
                form.read_companion(form.write_companion(std::nullopt, font, save_path), back.font, back.warnings);
            EXPECT_EQ(ink_shapes(back.font), ink_shapes(font));
            EXPECT_EQ(advances_lost(font, back.font, 0), "");
        }
    }
}

}  // namespace
}  // namespace glyphwright::testing

// One property over every font of the corpus and every form: a font written in a form that takes
// it (with the file beside it, for a form written as two), and read back, draws the same ink.

#include <gtest/gtest.h>

#include <set>

#include "formats/font_document.h"
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
                    FontReadResult back = read_first_of(form.format, font_file_text(read.font, form.format, save_path));
                    ASSERT_TRUE(back.ok) << back.message;
                    // A form written as two files reads the second beside the first.
                    if (form.write_companion != nullptr)
                        form.read_companion(form.write_companion(std::nullopt, read.font, save_path), back.font, back.warnings);
                    EXPECT_EQ(ink_shapes(back.font), ink_shapes(read.font));
                    ++trips;
                }
            }
        }
    }
    EXPECT_GT(trips, 300);
}

}  // namespace
}  // namespace glyphwright::testing

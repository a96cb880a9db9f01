// Real-world font files from public repositories: every font of each is found, reads with the
// warnings its data calls for, and survives a trip through the other form.

#include <gtest/gtest.h>

#include <map>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "formats/font_document.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusFolder = GLYPHWRIGHT_CORPUS_DIR;

// One font of a file as the scan finds it and its reader reads it.
struct ExpectedFont {
    std::string name;
    FontHeader header;
    int warnings = 0;
};

struct Expected {
    std::vector<ExpectedFont> fonts;  // in file order
};

// Every file of the corpus, by name; a file missing here fails the test, so none is forgotten.
const std::map<std::string, Expected> kExpected = {
    // byte-array fonts declared as fontdatatype arrays
    {"dgolda-UTFT_DefaultFonts.c", {{{"SmallFont", {8, 12, 32, 95}}, {"BigFont", {16, 16, 32, 95}},
                                     {"SevenSegNumFont", {32, 50, 48, 10}}}}},
    {"joyqi-UTFT_SixteenSegment16x24.c", {{{"SixteenSegment16x24", {16, 24, 32, 95}}}}},
    {"joyqi-UTFT_SixteenSegment32x48.c", {{{"SixteenSegment32x48", {32, 48, 32, 95}}}}},
    {"joyqi-UTFT_DotMatrix_M_Slash.c", {{{"DotMatrix_M_Slash", {16, 22, 32, 95}}}}},
    {"joyqi-UTFT_TinyFont.c", {{{"TinyFont", {8, 8, 32, 95}}}}},
    {"PicoMite_ArialNumFontPlus.h", {{{"ArialNumFontPlus", {32, 50, 48, 11}}}}},
    // fewer glyph lines than the header's count, widths no display library draws
    {"fm_receiver_MedvedFonts.c", {{{"IconsFont", {9, 8, 39, 17}, 2}, {"MedvedFont", {6, 8, 32, 224}, 2}}}},
    // byte arrays of other types: a stream-packed 10 pixels wide font after a commented-out
    // declaration, and the three default fonts
    {"PicoMite_Fnt_10x16.h", {{{"Fnt_10x16", {10, 16, 32, 224}, 1}}}},
    {"lcdbee_DefaultFonts.c", {{{"SmallFont", {8, 12, 32, 95}}, {"BigFont", {16, 16, 32, 95}},
                                {"SevenSegNumFont", {32, 50, 48, 10}}}}},
    // DefineFont blocks: one surplus word, and a surplus 96th glyph of two words
    {"cmm2-welcome_lunar.bas", {{{"#8", {24, 32, 128, 4}, 1}, {"#10", {8, 8, 32, 11}}}}},
    {"mmb4l_tests_graphics_definefont.bas", {{{"#9", {8, 8, 32, 95}, 1}}}},
};

std::vector<fs::path> corpus_files()
{
    std::vector<fs::path> files = files_in(kCorpusFolder / "c");
    std::vector<fs::path> bas_files = files_in(kCorpusFolder / "mmbasic");
    files.insert(files.end(), bas_files.begin(), bas_files.end());
    return files;
}

FontReadResult read_in_its_form(const fs::path& path, std::string_view text)
{
    return is_bas_path(path) ? read_bas_font(text) : read_c_font(text);
}

// The font through the other form and back into its own.
FontReadResult round_trip(const FontReadResult& read, bool from_bas)
{
    FontReadResult other = from_bas ? read_c_font(write_c_font(read.font, "font.c"))
                                    : read_bas_font(write_bas_font(read.font, "font.bas"));
    EXPECT_TRUE(other.ok) << other.message;
    return from_bas ? read_bas_font(write_bas_font(other.font, "font.bas"))
                    : read_c_font(write_c_font(other.font, "font.c"));
}

class Corpus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::is_directory(kCorpusFolder))
            GTEST_SKIP() << "the corpus folder " << kCorpusFolder << " is absent";
    }
};

FontScan scan_in_its_form(const fs::path& path, std::string_view text)
{
    return is_bas_path(path) ? scan_bas_fonts(text) : scan_c_fonts(text);
}

FontReadResult read_entry_in_its_form(const fs::path& path, std::string_view text, const FontEntry& entry)
{
    return is_bas_path(path) ? read_bas_font_entry(text, entry) : read_c_font_entry(text, entry);
}

TEST_F(Corpus, EveryFontOfEveryFileIsFoundAndReadsWithItsWarnings)
{
    std::vector<fs::path> files = corpus_files();
    ASSERT_EQ(files.size(), kExpected.size());
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        auto expected = kExpected.find(path.filename().string());
        ASSERT_NE(expected, kExpected.end()) << "a corpus file without an expectation";
        std::string text = read_file(path.string());
        FontScan scan = scan_in_its_form(path, text);
        ASSERT_EQ(scan.entries.size(), expected->second.fonts.size()) << scan.refusal;
        for (std::size_t at = 0; at < scan.entries.size(); ++at) {
            const ExpectedFont& font = expected->second.fonts[at];
            SCOPED_TRACE(font.name);
            EXPECT_EQ(scan.entries[at].name, font.name);
            EXPECT_EQ(scan.entries[at].header, font.header);
            FontReadResult read = read_entry_in_its_form(path, text, scan.entries[at]);
            ASSERT_TRUE(read.ok) << read.message;
            EXPECT_EQ(read.font.header, font.header);
            EXPECT_EQ(static_cast<int>(read.warnings.size()), font.warnings) << joined_lines(read.warnings);
            EXPECT_EQ(static_cast<int>(character_labels(read.font).size()), font.header.char_count);
        }
        // The first entry is what Open reads.
        FontReadResult first = read_in_its_form(path, text);
        ASSERT_TRUE(first.ok) << first.message;
        EXPECT_EQ(dump_of(first), dump_of(read_entry_in_its_form(path, text, scan.entries.front())));
    }
}

// Open finds a file's fonts by what it holds, whatever its name: the files of the two forms in their
// own form, the GFX headers, smooth fonts, TFT_eSPI, LVGL, glcd and ThingPulse fonts MicroPython modules and u8g2 fonts in
// theirs, and nothing in the files of other libraries, whose byte
// arrays often begin with four bytes that would pass for a header.
TEST_F(Corpus, EveryFileIsFoundByContentAndOtherLibrariesArraysAreNoFonts)
{
    for (const fs::path& path : corpus_files()) {
        SCOPED_TRACE(path.filename().string());
        ScannedFontFile file = scan_font_file(path.string());
        ASSERT_TRUE(file.ok) << file.message;
        EXPECT_EQ(file.format, is_bas_path(path) ? FontFormat::Bas : FontFormat::C);
        EXPECT_EQ(file.scan.entries.size(), kExpected.at(path.filename().string()).fonts.size());
    }
    int others = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(kCorpusFolder)) {
        if (!folder.is_directory() || folder.path().filename() == "c" || folder.path().filename() == "mmbasic")
            continue;
        for (const fs::path& path : files_in(folder.path())) {
            // TFT_eSPI's headers carry a font's metrics and are read with its arrays.
            if (path.extension() == ".md" || (folder.path().filename() == "tft-espi" && path.extension() == ".h"))
                continue;
            ScannedFontFile file = scan_font_file(path.string());
            const std::map<std::string, FontFormat> kReadable = {{"gfx", FontFormat::Gfx}, {"vlw", FontFormat::Vlw},
                                                                 {"tft-espi", FontFormat::TftEspi}, {"lvgl", FontFormat::Lvgl},
                                                                 {"glcd", FontFormat::Glcd}, {"thingpulse", FontFormat::ThingPulse},
                                                                 {"font-to-py", FontFormat::FontToPy}, {"u8g2", FontFormat::U8g2}};
            if (auto readable = kReadable.find(folder.path().filename().string()); readable != kReadable.end()) {
                EXPECT_TRUE(file.ok && file.format == readable->second && file.scan.entries.size() == 1) << path;
                continue;
            }
            ++others;
            EXPECT_FALSE(file.ok) << path << " taken for " << file.scan.entries.size() << " fonts, the first "
                                  << (file.ok ? file.scan.entries[0].name : "");
        }
    }
    EXPECT_EQ(others, 0);
}

TEST_F(Corpus, FontsKeepTheirGlyphBytesThroughTheOtherForm)
{
    for (const fs::path& path : corpus_files()) {
        SCOPED_TRACE(path.filename().string());
        FontReadResult read = read_in_its_form(path, read_file(path.string()));
        if (!read.ok)
            continue;
        FontReadResult back = round_trip(read, is_bas_path(path));
        ASSERT_TRUE(back.ok) << back.message;
        EXPECT_EQ(back.font.header, read.font.header);
        EXPECT_EQ(font_bytes(back.font), font_bytes(read.font));
    }
}

TEST_F(Corpus, FirstFontOfAFileWithSeveralIsTheOneRead)
{
    FontReadResult c = read_c_font_file((kCorpusFolder / "c" / "dgolda-UTFT_DefaultFonts.c").string());
    ASSERT_TRUE(c.ok) << c.message;
    EXPECT_EQ(c.font.font_table[0].comment, " //  <Space>");
    EXPECT_EQ(c.font.font_table[15].comment, " //  /");  // a comment that is itself a slash
    EXPECT_EQ(c.font.font_table[94].glyph_data.substr(0, 15), "0x40,0xA4,0x18,");  // "~", before "};"
    EXPECT_EQ(c.font.header_text.substr(0, 30), "// If you want to use your own");

    FontReadResult bas = read_bas_font_file((kCorpusFolder / "mmbasic" / "cmm2-welcome_lunar.bas").string());
    ASSERT_TRUE(bas.ok) << bas.message;
    EXPECT_EQ(bas.font.header_bytes_text, "0x18,0x20,0x80,0x04,");
    EXPECT_EQ(bas.font.font_table[0].glyph_data.substr(0, 25), "0x00,0x00,0x00,0x00,0x18,");
}

// Truncated downloads are common: every prefix gives a font or a message, never a crash.
TEST_F(Corpus, EveryPrefixOfEveryFileReadsWithoutCrashing)
{
    for (const fs::path& path : corpus_files()) {
        std::string text = read_file(path.string());
        for (std::size_t length = 0; length <= text.size(); ++length) {
            FontReadResult result = read_in_its_form(path, std::string_view(text).substr(0, length));
            if (!result.ok && result.message.empty())
                FAIL() << path.filename() << " prefix " << length << " gives neither a font nor a message";
        }
    }
}

}  // namespace
}  // namespace glyphwright::testing

// Real-world font files from public repositories. Those that hold a font of one of our two forms
// open (the first font of the file) and survive a trip through the other form; the others are
// refused with a message that says why.

#include <gtest/gtest.h>

#include <map>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusFolder = GLYPHWRIGHT_CORPUS_DIR;

struct Expected {
    FontHeader header;       // when the file opens
    int warnings = 0;        // number of warnings when it opens
    std::string refusal;     // a piece of the message when it does not
};

// Every file of the corpus, by name; a file missing here fails the test, so none is forgotten.
const std::map<std::string, Expected> kExpected = {
    // byte-array fonts declared as fontdatatype arrays
    {"dgolda-UTFT_DefaultFonts.c", {{8, 12, 32, 95}, 0, {}}},
    {"joyqi-UTFT_SixteenSegment16x24.c", {{16, 24, 32, 95}, 0, {}}},
    {"joyqi-UTFT_SixteenSegment32x48.c", {{32, 48, 32, 95}, 0, {}}},
    {"joyqi-UTFT_DotMatrix_M_Slash.c", {{16, 22, 32, 95}, 0, {}}},
    {"joyqi-UTFT_TinyFont.c", {{8, 8, 32, 95}, 0, {}}},
    {"PicoMite_ArialNumFontPlus.h", {{32, 50, 48, 11}, 0, {}}},
    // 12 of 17 glyph lines: the rest are blank, and the size is not declared
    {"fm_receiver_MedvedFonts.c", {{9, 8, 39, 17}, 1, {}}},
    // other declarations: no array line of ours
    {"PicoMite_Fnt_10x16.h", {{}, 0, "\"fontdatatype\""}},
    {"lcdbee_DefaultFonts.c", {{}, 0, "\"fontdatatype\""}},
    // DefineFont blocks: one surplus word, and a surplus 96th glyph of two words
    {"cmm2-welcome_lunar.bas", {{24, 32, 128, 4}, 1, {}}},
    {"mmb4l_tests_graphics_definefont.bas", {{8, 8, 32, 95}, 1, {}}},
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

TEST_F(Corpus, FontsOpenAndOtherFilesAreRefusedWithAReason)
{
    std::vector<fs::path> files = corpus_files();
    ASSERT_EQ(files.size(), kExpected.size());
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        auto expected = kExpected.find(path.filename().string());
        ASSERT_NE(expected, kExpected.end()) << "a corpus file without an expectation";
        FontReadResult result = is_bas_path(path) ? read_bas_font_file(path.string()) : read_c_font_file(path.string());
        if (!expected->second.refusal.empty()) {
            EXPECT_FALSE(result.ok);
            EXPECT_NE(result.message.find(expected->second.refusal), std::string::npos) << result.message;
            EXPECT_EQ(result.message.rfind("line ", 0), 0u) << result.message;
            continue;
        }
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.font.header, expected->second.header);
        EXPECT_EQ(static_cast<int>(result.warnings.size()), expected->second.warnings) << joined_lines(result.warnings);
        EXPECT_EQ(static_cast<int>(result.labels.size()), expected->second.header.char_count);
    }
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

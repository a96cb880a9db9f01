// TFT_eSPI smooth fonts: the worked example of the corpus font by hand, and every way out of it
// (written anew, in place without and with an edit, through BDF), and damaged files.

#include "formats/vlw_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kNoto = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "vlw" / "NotoSansBold15.vlw";

FontReadResult read_vlw(std::string_view bytes)
{
    const FontScan scan = scan_vlw_fonts(bytes);
    if (scan.entries.empty())
        return refused(scan.refusal);
    return read_vlw_font_entry(bytes, scan.entries.front());
}

// Coverage bytes between 1 and 254: the smoothing a save must not lose where nothing was edited.
int smoothed_bytes(std::string_view bytes) { return static_cast<int>(std::count_if(bytes.begin(), bytes.end(), [](char c) { return c != 0 && c != '\xFF'; })); }

class VlwCorpus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(kNoto))
            GTEST_SKIP() << kNoto << " is absent";
        bytes = read_file(kNoto.string());
        read = read_vlw(bytes);
        ASSERT_TRUE(read.ok) << read.message;
    }

    std::string bytes;
    FontReadResult read;
};

TEST_F(VlwCorpus, GlyphsStandWhereTheLibraryDrawsThemInOneColour)
{
    const Font& font = read.font;
    EXPECT_EQ(font.name, "Noto Sans Bold");
    EXPECT_EQ(font.header.char_count, 95);
    EXPECT_EQ(font.header.first_char, 33);
    EXPECT_EQ(font.line_height, 16);
    // 'A' from the file by hand: coverage of 128 or more ('#') is set, below ('+', '.') clear.
    const char* a[] = {"...+##+....", "...####+...", "..+####+...", "..+##+##...", "..##++##+..", ".+##+.##+..",
                       ".+##++###..", ".########+.", "+##++++##+.", "+##....###.", "###....+##+"};
    const GlyphPlace place = glyph_place(font, U'A');
    ASSERT_TRUE(place.found);
    EXPECT_EQ(font.font_table[static_cast<std::size_t>(place.row)].advance, 10);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    decode_glyph(font.font_table[static_cast<std::size_t>(place.row)].glyph_data, grid);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 11; ++c)  // rows 0 to 10 stand on the base row: dY = 11
            EXPECT_EQ(grid.at(font.origin_x + c, font.ascent - 11 + r) == 1, a[r][c] == '#') << r << ", " << c;
}

TEST_F(VlwCorpus, EveryWayOutKeepsTheGlyphsAndAnUneditedFileKeepsItsSmoothing)
{
    const std::string written = write_vlw_font(read.font, "noto.vlw");
    const FontReadResult again = read_vlw(written);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(read.font));
    EXPECT_EQ(write_vlw_font(again.font, "noto.vlw"), written);
    // The coverage lies after the header and the 95 records, before the trailer of two names and a byte.
    const std::size_t coverage = 24 + 28 * 95;
    const std::size_t trailer = 2 * (2 + read.font.name.size()) + 1;
    EXPECT_EQ(smoothed_bytes(written.substr(coverage, written.size() - coverage - trailer)), 0) << "a file written anew is in one colour";

    const FontScan bdf_scan = scan_bdf_fonts(write_bdf_font(read.font, "noto.bdf"));
    ASSERT_EQ(bdf_scan.entries.size(), 1u);
    const std::string bdf = write_bdf_font(read.font, "noto.bdf");
    EXPECT_EQ(drawn_glyphs(read_bdf_font_entry(bdf, bdf_scan.entries.front()).font), drawn_glyphs(read.font));

    const FontEntry entry = scan_vlw_fonts(bytes).entries.front();
    const InPlaceText same = vlw_font_in_place(bytes, entry, read.font);
    ASSERT_TRUE(same.ok) << same.error;
    EXPECT_TRUE(same.text == bytes) << "saved in place without edits, the file changed";

    // One pixel of 'A' cleared: only A's record and coverage change; every other glyph keeps its smoothing.
    Font edited = read.font;
    Glyph& a = edited.font_table[static_cast<std::size_t>(glyph_place(edited, U'A').row)];
    GlyphGrid grid(edited.header.glyph_width, edited.header.glyph_height);
    decode_glyph(a.glyph_data, grid);
    grid.set(edited.origin_x + 4, edited.ascent - 11, false);
    a.glyph_data = encode_glyph(grid);
    const InPlaceText changed = vlw_font_in_place(bytes, entry, edited);
    ASSERT_TRUE(changed.ok) << changed.error;
    EXPECT_EQ(drawn_glyphs(read_vlw(changed.text).font), drawn_glyphs(edited));
    EXPECT_LT(smoothed_bytes(bytes) - smoothed_bytes(changed.text), 60) << "only A's smoothing is gone";
    EXPECT_EQ(changed.text.substr(changed.text.size() - 32), bytes.substr(bytes.size() - 32)) << "the trailer stays";
}

// The same font as the bytes of a C array, as TFT_eSPI's loadFont takes it from flash: found by
// its array among other code, read as the file is, saved in place number by number.
TEST_F(VlwCorpus, ACArrayOfTheFileIsTheSameFont)
{
    std::string text = "#include <pgmspace.h>\nconst uint8_t other[] = { 1, 2, 3 };\n\nconst uint8_t NotoSansBold15[] PROGMEM = {";
    for (std::size_t at = 0; at < bytes.size(); ++at)
        text += (at % 16 == 0 ? "\n  " : " ") + std::string("0x") + upper_hex_digit(static_cast<unsigned char>(bytes[at]) >> 4)
              + upper_hex_digit(static_cast<unsigned char>(bytes[at])) + ",";
    text += "\n};\n";
    const FontScan scan = scan_vlw_fonts(text);
    ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
    EXPECT_EQ(scan.entries.front().name, "NotoSansBold15");
    const FontReadResult in_array = read_vlw_font_entry(text, scan.entries.front());
    ASSERT_TRUE(in_array.ok) << in_array.message;
    EXPECT_EQ(drawn_glyphs(in_array.font), drawn_glyphs(read.font));
    EXPECT_EQ(vlw_font_in_place(text, scan.entries.front(), in_array.font).text, text);
    const Font edited = with_pixel_turned(in_array.font, U'A', 0, 0);
    const InPlaceText saved = vlw_font_in_place(text, scan.entries.front(), edited);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.text.substr(0, 60), text.substr(0, 60));
    const FontReadResult again = read_vlw_font_entry(saved.text, scan_vlw_fonts(saved.text).entries.front());
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(edited));
}

TEST_F(VlwCorpus, DamagedFilesAreRefusedWithTheReason)
{
    for (std::size_t length = 0; length < bytes.size(); length += 61) {
        const FontScan cut = scan_vlw_fonts(std::string_view(bytes).substr(0, length));
        ASSERT_TRUE(!cut.entries.empty() || !cut.refusal.empty()) << length;
    }
    EXPECT_EQ(scan_vlw_fonts(bytes.substr(0, 1000)).refusal, "the header gives 95 glyphs, more records than the file holds");
    EXPECT_EQ(scan_vlw_fonts(bytes.substr(0, 24 + 28 * 95 + 5)).refusal, "the coverage bytes of glyph record 1 run past the end of the file");
    std::string wide = bytes;
    wide[24 + 8 + 3] = '\x01';  // the first record's width 257 is no byte
    wide[24 + 8 + 2] = '\x01';
    EXPECT_NE(scan_vlw_fonts(wide).refusal.find("glyph record 1 (code 33) holds a value outside its field"), std::string::npos);
    EXPECT_EQ(scan_vlw_fonts("const uint8_t X[] = {0};").refusal,
              "the file does not begin with the header of a smooth font (.vlw, version 11)");

    Font high = make_blank_font({8, 8, 0x41, 1}).font;
    high.font_table[0].code_point = 0x10000;
    EXPECT_EQ(vlw_refusal(high), "the glyph of U+10000 has a code past 0xFFFF, the last a smooth font holds; BDF holds it");
}

}  // namespace
}  // namespace glyphwright::testing

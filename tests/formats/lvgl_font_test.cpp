// LVGL fonts: glyphs worked out by hand from the library's drawing rule, properties over every
// corpus font, the four kinds of character map, and the fonts the form cannot read or hold.

#include "formats/lvgl_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kLvglFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "lvgl";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::Lvgl, text); }

constexpr char kLvglCorpusName[] = "lvgl";
using LvglCorpus = CorpusFolderTest<kLvglCorpusName>;

// unscii 8 'A': {.bitmap_index = 154, .adv_w = 128, .box_w = 6, .box_h = 7, .ofs_x = 1, .ofs_y = 1}
// over 31 EC F3 FF 3C C0: its box bottom one row above the baseline, columns 1 to 6 from the pen.
TEST_F(LvglCorpus, GlyphsStandWhereTheLibraryDrawsThem)
{
    const FontReadResult read = read_first(read_file((kLvglFolder / "lv_font_unscii_8.c").string()));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(read.warnings.empty()) << joined_lines(read.warnings);
    EXPECT_EQ(read.font.name, "lv_font_unscii_8");
    EXPECT_EQ(read.font.line_height, 9);
    EXPECT_EQ(read.font.header.char_count, 96);
    EXPECT_EQ(advance(read.font, U'A'), 8);
    const char* a[] = {"..##..", ".####.", "##..##", "##..##", "######", "##..##", "##..##"};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(pixel(read.font, U'A', 1 + c, r - 7), a[r][c] == '#') << r << ", " << c;
    EXPECT_FALSE(pixel(read.font, U'A', 0, -4));
    EXPECT_FALSE(pixel(read.font, U'A', 3, 0)) << "the base row of unscii's capitals is empty";
}

// Every corpus font: written anew and read back, saved in place without edits and with a pixel
// that grows a box, and through BDF, it keeps its glyphs, advances and codes.
TEST_F(LvglCorpus, EveryFontSurvivesEveryWayOut)
{
    int fonts = 0;
    for (const fs::path& path : files_in(kLvglFolder)) {
        if (path.extension() != ".c")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontScan scan = scan_lvgl_fonts(text);
        ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
        const FontEntry& entry = scan.entries.front();
        const FontReadResult read = read_lvgl_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        ++fonts;
        for (std::size_t length = 0; length < text.size(); length += 13) {
            const FontScan cut = scan_lvgl_fonts(std::string_view(text).substr(0, length));
            ASSERT_TRUE(!cut.entries.empty() || !cut.refusal.empty()) << length;
        }
        const std::string written = write_lvgl_font(read.font, path.string());
        const FontReadResult again = read_first(written);
        ASSERT_TRUE(again.ok) << again.message;
        EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(read.font));
        EXPECT_EQ(again.font.line_height, read.font.line_height);
        EXPECT_EQ(write_lvgl_font(again.font, path.string()), written) << "the program's own file comes back byte for byte";
        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        ASSERT_TRUE(bdf.ok) << bdf.message;
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));

        const InPlaceText same = lvgl_font_in_place(text, entry, read.font);
        ASSERT_TRUE(same.ok) << same.error;
        EXPECT_EQ(first_difference(text, same.text), "");
        // A pixel left of A's box: A's box and bytes grow (up to four lines of them and its
        // descriptor), and the bitmap offsets after it move on.
        const Font edited = with_pixel_turned(read.font, U'A', 0, read.font.ascent - 3);
        const InPlaceText changed = lvgl_font_in_place(text, entry, edited);
        ASSERT_TRUE(changed.ok) << changed.error;
        const FontReadResult reread = read_first(changed.text);
        ASSERT_TRUE(reread.ok) << reread.message;
        EXPECT_EQ(drawn_glyphs(reread.font), drawn_glyphs(edited));
        EXPECT_LE(lines_changed_by_diff(text, changed.text), 5 + (0x7F - 'A')) << first_difference(text, changed.text);
    }
    EXPECT_EQ(fonts, 2);
}

// Fonts of sparse codes are written with the maps LVGL's converter chooses, and read back.
TEST(LvglFont, EveryKindOfMapTheWriterChoosesReadsBack)
{
    struct Case {
        std::vector<char32_t> codes;
        std::vector<std::string_view> types;
    };
    const Case cases[] = {
        // One run: FORMAT0_TINY.
        {{0x41, 0x42, 0x43}, {"FORMAT0_TINY"}},
        // Three codes over five: FORMAT0_FULL (21 bytes) beats SPARSE_TINY (22) and three TINY (48).
        {{0x20, 0x22, 0x24}, {"FORMAT0_FULL"}},
        // Few codes far apart: one SPARSE_TINY (30 bytes) beats a TINY and a SPARSE (38).
        {{0x30, 0x31, 0x32, 0x33, 0x400, 0x2603, 0x3042}, {"SPARSE_TINY"}},
        // A run of 20 and two far codes: TINY and SPARSE_TINY (36 bytes) beat one SPARSE (60).
        {{0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x400, 0x2603},
         {"FORMAT0_TINY", "SPARSE_TINY"}},
    };
    for (const Case& test : cases) {
        Font font = make_blank_font({8, 8, 0, static_cast<int>(test.codes.size())}).font;
        for (std::size_t at = 0; at < test.codes.size(); ++at) {
            font.font_table[at].code_point = test.codes[at];
            font = with_pixel_turned(font, test.codes[at], static_cast<int>(at % 8), 7 - static_cast<int>(at % 8));
        }
        const std::string written = write_lvgl_font(font, "sparse.c");
        for (std::string_view type : test.types)
            EXPECT_NE(written.find("LV_FONT_FMT_TXT_CMAP_" + std::string(type)), std::string::npos) << type;
        const FontReadResult read = read_first(written);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(drawn_glyphs(read.font), drawn_glyphs(font));
    }
}

// A file with a kerning table (left out when a font is written anew) keeps it through a save in
// place, and a SPARSE_FULL map (which the converter never writes) reads by its id list.
TEST(LvglFont, KerningStaysInPlaceAndSparseFullMapsRead)
{
    Font font = make_blank_font({8, 8, 0x41, 2}).font;
    font = with_pixel_turned(with_pixel_turned(font, U'A', 1, 1), U'B', 2, 2);
    std::string text = write_lvgl_font(font, "kerned.c");
    const std::string kerning = "static const uint8_t kern_pair_glyph_ids[] = {\n    1, 2\n};\n"
                                "static const int8_t kern_pair_values[] = {\n    -12\n};\n";
    text.insert(text.find("/*Collect the unicode lists"), kerning);
    text.replace(text.find(".kern_dsc = NULL"), 16, ".kern_dsc = &kern_pairs");
    const FontReadResult read = read_first(text);
    ASSERT_TRUE(read.ok) << read.message;
    const InPlaceText saved = lvgl_font_in_place(text, read_first_of_entry(FontFormat::Lvgl, text), with_pixel_turned(read.font, U'B', 3, 3));
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_NE(saved.text.find(kerning), std::string::npos);
    EXPECT_NE(saved.text.find(".kern_dsc = &kern_pairs"), std::string::npos);

    std::string sparse = text;
    sparse.replace(sparse.find("LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY"), 33, "LV_FONT_FMT_TXT_CMAP_SPARSE_FULL");
    sparse.replace(sparse.find(".unicode_list = NULL, .glyph_id_ofs_list = NULL"), 47, ".unicode_list = codes, .glyph_id_ofs_list = ids");
    sparse.insert(sparse.find("/*Collect the unicode lists"), "static const uint16_t codes[] = {0, 1};\nstatic const uint16_t ids[] = {1, 0};\n");
    const FontReadResult swapped = read_first(sparse);
    ASSERT_TRUE(swapped.ok) << swapped.message;
    EXPECT_TRUE(pixel(swapped.font, U'A', 2, 2 - 7)) << "A draws B's glyph";
    EXPECT_FALSE(pixel(swapped.font, U'A', 1, 1 - 7));
}

// Glyph bytes padded apart (the converter's --align) stay as they are through a save without
// edits; an edit writes the bitmap anew, glyph after glyph. A font without glyphs reads back.
TEST(LvglFont, AlignedBitmapsAndEmptyFontsSurviveASave)
{
    Font font = make_blank_font({8, 8, 0x41, 2}).font;
    font = with_pixel_turned(with_pixel_turned(font, U'A', 1, 1), U'B', 2, 2);
    std::string text = write_lvgl_font(font, "aligned.c");
    text.replace(text.find("/* U+0042"), 0, "0x00,\n    ");
    text.replace(text.find(".bitmap_index = 1,"), 18, ".bitmap_index = 2,");
    const FontReadResult read = read_first(text);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(drawn_glyphs(read.font), drawn_glyphs(font));
    const FontEntry entry = read_first_of_entry(FontFormat::Lvgl, text);
    EXPECT_EQ(lvgl_font_in_place(text, entry, read.font).text, text);
    const Font edited = with_pixel_turned(read.font, U'B', 3, 3);
    const InPlaceText saved = lvgl_font_in_place(text, entry, edited);
    ASSERT_TRUE(saved.ok) << saved.error;
    const FontReadResult again = read_first(saved.text);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(edited));

    const FontReadResult empty = read_first(write_lvgl_font(make_blank_font({8, 8, 0x41, 0}).font, "empty.c"));
    ASSERT_TRUE(empty.ok) << empty.message;
    EXPECT_TRUE(empty.warnings.empty()) << joined_lines(empty.warnings);
    EXPECT_EQ(glyph_count(empty.font), 0);
}

// A font of grey pixels is read with a threshold, else refused saying how to read it; compressed
// bitmaps are refused.
TEST(LvglFont, GreyFontsAreReadWithAThreshold)
{
    Font font = make_blank_font({8, 8, 0x41, 1}).font;
    font = with_pixel_turned(with_pixel_turned(font, U'A', 0, 7), U'A', 1, 7);
    const std::string text = write_lvgl_font(font, "grey.c");
    std::string grey = text;
    grey.replace(grey.find(".bpp = 1"), 8, ".bpp = 4");
    grey.replace(grey.find("0xc0"), 4, "0xf4");  // coverage 255, then 68
    const FontEntry entry = read_first_of_entry(FontFormat::Lvgl, grey);
    EXPECT_NE(read_lvgl_font_entry(grey, entry).message.find("has 4 bits a pixel; read it with --threshold T"), std::string::npos)
        << read_lvgl_font_entry(grey, entry).message;
    const struct {
        int threshold;
        bool second_set;
    } rows[] = {{128, false}, {69, false}, {68, true}, {1, true}};
    for (const auto& row : rows) {
        const FontReadResult read = read_lvgl_font_with(grey, entry, {row.threshold, std::nullopt});
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_TRUE(pixel(read.font, U'A', 0, 0)) << row.threshold;
        EXPECT_EQ(pixel(read.font, U'A', 1, 0), row.second_set) << row.threshold;
    }
    EXPECT_FALSE(lvgl_font_in_place(grey, entry, font).ok) << "grey levels are not saved in place";
    std::string packed = text;
    packed.replace(packed.find(".bitmap_format = 0"), 18, ".bitmap_format = 1");
    EXPECT_NE(scan_lvgl_fonts(packed).refusal.find("compressed"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright::testing

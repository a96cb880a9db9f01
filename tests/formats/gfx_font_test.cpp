// Adafruit GFX fonts: glyphs worked out by hand from the library's drawing rule, properties over
// every corpus font (written anew and read back, saved in place without and with an edit, through
// BDF), #if blocks inside the arrays, and the fonts the form cannot hold.

#include "formats/gfx_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/font_document.h"
#include "formats/new_font.h"
#include "model/glyph_transforms.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kGfxFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "gfx";

FontReadResult read_first(std::string_view text)
{
    const FontScan scan = scan_gfx_fonts(text);
    if (scan.entries.empty())
        return refused(scan.refusal);
    return read_gfx_font_entry(text, scan.entries.front());
}

constexpr char kGfxCorpusName[] = "gfx";
using GfxCorpus = CorpusFolderTest<kGfxCorpusName>;

// Worked out from the records and bytes by hand, as the library draws them.
TEST_F(GfxCorpus, GlyphsStandWhereTheLibraryDrawsThem)
{
    // FreeMono9pt7b '!': {0, 2, 11, 11, 4, -10} over 0xAA 0xA8 0x0C: rows 0 to 6 are "#.", rows 7
    // to 9 empty, row 10 (the base row) "##".
    const FontReadResult mono = read_first(read_file((kGfxFolder / "FreeMono9pt7b.h").string()));
    ASSERT_TRUE(mono.ok) << mono.message;
    EXPECT_EQ(mono.font.name, "FreeMono9pt7b");
    EXPECT_EQ(mono.font.line_height, 18);
    EXPECT_EQ(advance(mono.font, U'!'), 11);
    for (int row = -10; row <= -4; ++row) {
        EXPECT_TRUE(pixel(mono.font, U'!', 4, row)) << row;
        EXPECT_FALSE(pixel(mono.font, U'!', 5, row)) << row;
    }
    for (int row = -3; row <= -1; ++row)
        EXPECT_FALSE(pixel(mono.font, U'!', 4, row)) << row;
    EXPECT_TRUE(pixel(mono.font, U'!', 4, 0));
    EXPECT_TRUE(pixel(mono.font, U'!', 5, 0));
    // '~' is the last record, {841, 7, 3, 11, 2, -6}: bytes 0x61 0x24 0x30 give
    // ".##....", "#..#..#", "....##." (21 bits; the rest is padding).
    const char* tilde[] = {".##....", "#..#..#", "....##."};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(pixel(mono.font, U'~', 2 + c, -6 + r), tilde[r][c] == '#') << r << ", " << c;

    // Org_01 'A': {87, 5, 5, 6, 0, -4} over 0xFC 0x7F 0x18 0x80: "#####", "#...#", "#####",
    // "#...#", "#...#", its last row on the base row.
    const FontReadResult org = read_first(read_file((kGfxFolder / "Org_01.h").string()));
    ASSERT_TRUE(org.ok) << org.message;
    EXPECT_EQ(org.font.header.first_char, 0x20);
    EXPECT_EQ(org.font.header.char_count, 0x7E - 0x20 + 1);
    EXPECT_EQ(advance(org.font, U'A'), 6);
    const char* a[] = {"#####", "#...#", "#####", "#...#", "#...#"};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(pixel(org.font, U'A', c, -4 + r), a[r][c] == '#') << r << ", " << c;
    EXPECT_FALSE(pixel(org.font, U'A', 0, 1));
}

// Every corpus font: written anew and read back, saved in place without edits and with one
// pixel changed, and through BDF, it keeps its glyphs, advances, codes and line height.
TEST_F(GfxCorpus, EveryFontSurvivesEveryWayOut)
{
    const std::vector<fs::path> files = files_in(kGfxFolder);
    int fonts = 0;
    for (const fs::path& path : files) {
        if (path.extension() != ".h")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontScan scan = scan_gfx_fonts(text);
        ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
        const FontEntry& entry = scan.entries.front();
        const FontReadResult read = read_gfx_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_TRUE(read.warnings.empty()) << joined_lines(read.warnings);
        ++fonts;
        // A download cut short anywhere gives a font or a reason.
        for (std::size_t length = 0; length < text.size(); length += 7) {
            const FontScan cut = scan_gfx_fonts(std::string_view(text).substr(0, length));
            ASSERT_TRUE(!cut.entries.empty() || !cut.refusal.empty()) << length;
        }

        const std::string written = write_gfx_font(read.font, path.string());
        const FontReadResult again = read_first(written);
        ASSERT_TRUE(again.ok) << again.message;
        EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(read.font));
        EXPECT_EQ(again.font.line_height, read.font.line_height);
        EXPECT_EQ(write_gfx_font(again.font, path.string()), written) << "the program's own file comes back byte for byte";

        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        ASSERT_TRUE(bdf.ok) << bdf.message;
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));

        const InPlaceText same = gfx_font_in_place(text, entry, read.font);
        ASSERT_TRUE(same.ok) << same.error;
        EXPECT_EQ(first_difference(text, same.text), "");

        // One pixel more on 'A', left of its box: the box grows, the glyphs after it move on.
        Font edited = read.font;
        Glyph& a = edited.font_table[static_cast<std::size_t>(glyph_place(edited, U'A').row)];
        GlyphGrid grid(edited.header.glyph_width, edited.header.glyph_height);
        decode_glyph(a.glyph_data, grid);
        grid.toggle(0, 0);
        a.glyph_data = encode_glyph(grid);
        const InPlaceText changed = gfx_font_in_place(text, entry, edited);
        ASSERT_TRUE(changed.ok) << changed.error;
        const FontReadResult reread = read_first(changed.text);
        ASSERT_TRUE(reread.ok) << reread.message;
        EXPECT_EQ(drawn_glyphs(reread.font), drawn_glyphs(edited));
        // A's record and its bytes' lines, and the offset of every record after it.
        EXPECT_LE(lines_that_differ(text, changed.text), 3 + (0x7E - 'A')) << first_difference(text, changed.text);
    }
    EXPECT_EQ(fonts, 3);
}

const char kConditional[] = R"(#define EXTENDED %s
const uint8_t TinyBitmaps[] = {
  0xF0,
#if (EXTENDED)
  0x80,
#endif
};
const GFXglyph TinyGlyphs[] = {
  {0, 2, 2, 3, 0, -1},  // 'A'
#if (EXTENDED)
  {1, 1, 1, 2, 0, 0},   // beyond last
#endif
};
const GFXfont Tiny = {(uint8_t *)TinyBitmaps, (GFXglyph *)TinyGlyphs, 0x41, 0x41, 3};
)";

std::string conditional(std::string_view value)
{
    const std::string_view text = kConditional;
    const std::size_t at = text.find("%s");
    return std::string(text.substr(0, at)) + std::string(value) + std::string(text.substr(at + 2));
}

// #if blocks inside the arrays read with the file's macros, and kept when the font is saved in place.
TEST(GfxFont, ConditionalBlocksReadWithTheFilesMacrosAndStayInPlace)
{
    for (const char* value : {"0", "1"}) {
        SCOPED_TRACE(value);
        const std::string text = conditional(value);
        const FontScan scan = scan_gfx_fonts(text);
        ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
        const FontReadResult read = read_gfx_font_entry(text, scan.entries.front());
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.font.header.char_count, 1);
        EXPECT_TRUE(pixel(read.font, U'A', 1, 0));
        EXPECT_EQ(read.warnings.size(), value[0] == '1' ? 2u : 1u) << joined_lines(read.warnings);

        Font edited = read.font;
        GlyphGrid grid(edited.header.glyph_width, edited.header.glyph_height);
        decode_glyph(edited.font_table[0].glyph_data, grid);
        grid.toggle(edited.origin_x + 1, edited.ascent - 1);
        edited.font_table[0].glyph_data = encode_glyph(grid);
        const InPlaceText saved = gfx_font_in_place(text, scan.entries.front(), edited);
        ASSERT_TRUE(saved.ok) << saved.error;
        EXPECT_NE(saved.text.find("#if (EXTENDED)\n  0x80,\n#endif"), std::string::npos) << saved.text;
        EXPECT_EQ(lines_that_differ(text, saved.text), 1) << saved.text;
        EXPECT_EQ(drawn_glyphs(read_first(saved.text).font), drawn_glyphs(edited));
    }
}

// Damaged sources read with warnings naming their lines, or are refused with the line and reason.
TEST(GfxFont, DamagedSourcesWarnOrAreRefusedWithTheLine)
{
    struct Case {
        const char* text;
        const char* found;  // in the warning or the refusal
        bool reads;
    };
    const Case cases[] = {
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 4, 4, 5, 0, -3}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 65, 5};\n", "line 2: the glyph's bitmap runs past the end of B", true},
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 2, 4, 5, 0}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 66, 5};\n", "line 2: a glyph record holds 5 numbers", true},
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 2, 4, 5, 0, -3}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 66, 5};\n", "the codes without one stay blank", true},
        {"const GFXglyph G[] = {{0, 2, 4, 5, 0, -3}};\nconst GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 65, 5};\n",
         "line 2: the GFXfont F names the array B, which the file does not define", false},
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 2, 4, 5, 0, -3}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 66, 65, 5};\n", "line 3: the GFXfont F has the codes 66 to 65", false},
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 2, 4, 5, 0, -300}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 65, 5};\n", "line 2: a glyph record holds a number outside", false},
        {"const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 65\n", "has no closing", false},
        // Two records of one name, the first broken: the second is the font, read as found.
        {"const uint8_t B[] = {0xFF};\nconst GFXglyph G[] = {{0, 2, 4, 5, 0, -3}};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, x, 5};\n"
         "const GFXfont F = {(uint8_t *)B, (GFXglyph *)G, 65, 65, 5};\n", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FontScan scan = scan_gfx_fonts(c.text);
        if (!c.reads) {
            EXPECT_TRUE(scan.entries.empty());
            EXPECT_NE(scan.refusal.find(c.found), std::string::npos) << scan.refusal;
            continue;
        }
        ASSERT_EQ(scan.entries.size(), 1u) << scan.refusal;
        const FontReadResult read = read_gfx_font_entry(c.text, scan.entries.front());
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_NE(joined_lines(read.warnings).find(c.found), std::string::npos) << joined_lines(read.warnings);
    }
}

// What a GFXfont cannot hold is refused naming the glyph; the refusal is what a save gives.
TEST(GfxFont, FontsTheFormCannotHoldAreRefusedNamingTheGlyph)
{
    Font high = make_blank_font({8, 8, 0x41, 1}).font;
    high.font_table[0].code_point = 0x10000;
    EXPECT_EQ(gfx_refusal(high), "the glyph of U+10000 has a code past 0xFFFF, the last a GFXfont holds; BDF holds it");

    // 255 glyphs of 248 x 127 set pixels (3,937 bytes each): the bitmap passes 64 KiB at the 17th.
    Font large = make_blank_font({248, 127, 1, 255}).font;
    GlyphGrid full(248, 127);
    apply_operation(GlyphOperation::Invert, full);
    for (int row = 0; row < 255; ++row)
        large.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(full);
    EXPECT_EQ(gfx_refusal(large), "the bitmap passes 65,535 bytes at the glyph of U+0011, past what a GFXfont's 16-bit "
                                  "offsets reach; BDF holds it");
    EXPECT_EQ(save_refusal(large, FontFormat::Gfx), gfx_refusal(large));
    EXPECT_EQ(gfx_refusal(make_blank_font({8, 8, 32, 95}).font), "");
    // A glyph far above its baseline: yOffset past -128.
    EXPECT_EQ(gfx_refusal(make_blank_font({248, 255, 1, 1}).font), "");
    Font tall = make_blank_font({8, 255, 1, 1}).font;
    GlyphGrid top(8, 255);
    top.set(0, 0, true);
    tall.font_table[0].glyph_data = encode_glyph(top);
    EXPECT_EQ(gfx_refusal(tall), "the glyph of U+0001 lies more than 128 pixels from its origin, which a GFXfont cannot "
                                 "hold; BDF holds it");
}

}  // namespace
}  // namespace glyphwright::testing

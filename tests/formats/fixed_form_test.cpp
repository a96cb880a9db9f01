// Saving a font that is more than one cell (its own advance for each glyph, gaps, codes past 255)
// in the C and DefineFont forms.

#include "formats/fixed_form.h"

#include <gtest/gtest.h>

#include "formats/c_font.h"
#include "formats/font_document.h"
#include "model/glyph_codec.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

// A proportional font of 4 x 3 cells, its origin one column in: codes 65, 67 and 68, advances 3, 2, 4.
Font proportional_font()
{
    Font font;
    font.header = {4, 3, 65, 3};
    font.origin_x = 1;
    font.ascent = 2;
    font.descent = 1;
    // One bit stream of 4-pixel rows: A has a pixel left of its origin (column 0 of row 0) and one
    // at column 3 of row 2.
    const char* glyphs[] = {"0x80,0x10,", "0x40,0x00,", "0x20,0x00,"};
    const char32_t codes[] = {65, 67, 68};
    const int advances[] = {3, 2, 4};
    for (int row = 0; row < 3; ++row)
        font.font_table[static_cast<std::size_t>(row)] = {glyphs[row], "", codes[row], advances[row]};
    return font;
}

TEST(FixedForm, FontsOfOneRunAndOneWidthAreWrittenAsTheyAre)
{
    FontReadResult read = read_c_font("// x\r\nfontdatatype X[6] PROGMEM={\r\n0x08,0x01,0x41,0x02,\r\n0x80, // A\r\n0x01, // B\r\n};\r\n");
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(fits_fixed_form(read.font));
    EXPECT_EQ(fixed_form_refusal(read.font, "C File"), "");
    EXPECT_TRUE(fixed_form_notes(read.font).empty());
}

TEST(FixedForm, GlyphsStandAtTheirOriginInTheCellOfTheWidestAdvanceAndGapsAreBlank)
{
    Font font = proportional_font();
    EXPECT_FALSE(fits_fixed_form(font));
    EXPECT_EQ(fixed_form_refusal(font, "C File"), "");
    Font fitted = fixed_form_of(font);
    // The widest advance, 4, by 3 rows is 12 pixels: widened to 8 x 3, whole bytes.
    EXPECT_EQ(fitted.header, (FontHeader{8, 3, 65, 4}));
    EXPECT_TRUE(fits_fixed_form(fitted));
    const std::vector<int> expected = {
        0x00, 0x00, 0x20,  // A: its column 0 lies left of the origin and is cut; column 3 is column 2
        0x00, 0x00, 0x00,  // B: not in the font, blank
        0x80, 0x00, 0x00,  // C
        0x40, 0x00, 0x00,  // D
    };
    EXPECT_EQ(font_bytes(fitted), expected);
    EXPECT_EQ(fixed_form_notes(font),
              (std::vector<std::string>{"every glyph now stands at its origin in a cell as wide as the widest advance, 4"
                                        " pixels: this form keeps no advance of its own for each glyph",
                                        "1 glyph loses pixels outside that cell",
                                        "the cell was widened from 4 to 8 pixels so that every glyph is whole bytes"}));
    // What the C form writes of it reads back as the fitted font.
    FontReadResult again = read_c_font(font_file_text(font, FontFormat::C, "p.c"));
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(again.font.header, fitted.header);
    EXPECT_EQ(font_bytes(again.font), expected);
}

TEST(FixedForm, CodesTheFormCannotHoldRefuseTheSave)
{
    const std::string bdf_holds = "; the BDF form holds any code";
    struct Row {
        char32_t codes[3];
        std::string refusal;
    };
    const Row rows[] = {
        {{65, 67, 0x416}, "the font holds U+0416 (1046), and the C File form holds codes 0 to 255 only" + bdf_holds},
        {{0, 67, 255}, "the font's codes run from 0 to 255, and the C File form holds at most 255 characters in one run"
                       + bdf_holds},
        {{1, 67, 255}, ""},  // 255 codes: gaps and all, one run
    };
    for (const Row& row : rows) {
        Font font = proportional_font();
        for (int at = 0; at < 3; ++at)
            font.font_table[static_cast<std::size_t>(at)].code_point = row.codes[at];
        EXPECT_EQ(fixed_form_refusal(font, "C File"), row.refusal);
        EXPECT_EQ(save_refusal(font, FontFormat::C).empty(), row.refusal.empty());
        EXPECT_EQ(save_refusal(font, FontFormat::Bdf), "");
    }
    // A fixed font of all 256 codes (a glcdfont) is refused too: its count byte would say none.
    const Font every_code = make_blank_font({8, 8, 0, 255}).font;
    EXPECT_EQ(fixed_form_refusal(every_code, "C File"), "");
    Font one_more = every_code;
    insert_glyph(one_more, 255, Glyph{every_code.font_table[0].glyph_data, {}, 255, 8});
    EXPECT_EQ(fixed_form_refusal(one_more, "C File"),
              "the font's codes run from 0 to 255, and the C File form holds at most 255 characters in one run" + bdf_holds);
}

}  // namespace
}  // namespace glyphwright::testing

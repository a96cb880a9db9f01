// ThingPulse OLED fonts: glyphs worked out by hand from the library's drawing rule, properties
// over the corpus fonts, and what the form cannot hold.

#include "formats/thingpulse_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kThingPulseFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "thingpulse";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::ThingPulse, text); }

std::vector<std::string> hex_numbers(std::string_view text)
{
    std::vector<std::string> numbers;
    for (std::size_t at = text.find("0x"); at != std::string_view::npos; at = text.find("0x", at + 2))
        numbers.emplace_back(text.substr(at, 4));
    return numbers;
}

constexpr char kThingPulseCorpusName[] = "thingpulse";
using ThingPulseCorpus = CorpusFolderTest<kThingPulseCorpusName>;

// Dialog_plain_6: height 8 (one page a column); '!' is «00 00 02 02» (offset 0, 2 bytes, advance
// 2) over «00 2C»: column 1 holds rows 2, 3 and 5, and row 5, the lowest of 'H', is the base row.
TEST_F(ThingPulseCorpus, GlyphsStandWhereTheLibraryDrawsThem)
{
    const FontReadResult read = read_first(read_file((kThingPulseFolder / "Dialog_plain_6.h").string()));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.font.header, (FontHeader{6, 8, 32, 224}));
    EXPECT_EQ(read.font.ascent, 6);
    EXPECT_EQ(advance(read.font, U'!'), 2);
    EXPECT_EQ(advance(read.font, U' '), 2);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(pixel(read.font, U'!', 1, row - 5), row == 2 || row == 3 || row == 5) << row;
        EXPECT_FALSE(pixel(read.font, U'!', 0, row - 5)) << row;
    }
}

// Every corpus font: written anew it gives the same bytes; saved in place without edits the file
// stays; a pixel more changes its glyph's line and the offsets after it; through BDF the glyphs stay.
TEST_F(ThingPulseCorpus, EveryFontSurvivesEveryWayOut)
{
    int fonts = 0;
    for (const fs::path& path : files_in(kThingPulseFolder)) {
        if (path.extension() != ".h")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontEntry entry = read_first_of_entry(FontFormat::ThingPulse, text);
        const FontReadResult read = read_thingpulse_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        ++fonts;
        const std::string written = write_thingpulse_font(read.font, path.string());
        EXPECT_EQ(hex_numbers(written), hex_numbers(text));
        EXPECT_EQ(write_thingpulse_font(read_first(written).font, path.string()), written);
        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        ASSERT_TRUE(bdf.ok) << bdf.message;
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));
        EXPECT_EQ(thingpulse_font_in_place(text, entry, read.font).text, text);
        const Font edited = with_pixel_turned(read.font, U'A', read.font.origin_x + 5, 0);
        const InPlaceText changed = thingpulse_font_in_place(text, entry, edited);
        ASSERT_TRUE(changed.ok) << changed.error;
        EXPECT_EQ(drawn_glyphs(read_first(changed.text).font), drawn_glyphs(edited));
        // A's jump entry and bytes, and the offsets of the codes after it.
        EXPECT_LE(lines_that_differ(text, changed.text), 2 + (255 - 'A')) << first_difference(text, changed.text);
    }
    EXPECT_EQ(fonts, 2);
}

// Another program's layout (glyph data out of code order, zero bytes left at a glyph's end) stays
// as it is through a save without edits.
TEST(ThingPulseFont, AnUneditedFontOfAnotherLayoutStaysAsItIs)
{
    const std::string text = "const uint8_t Odd[] = {\n  0x03, 0x08, 0x41, 0x02,\n  0x00, 0x02, 0x02, 0x03,\n  0x00, 0x00, 0x02, 0x03,\n"
                             "  0x7E, 0x00,  // B\n  0x7F, 0x09,  // A\n};\n";
    const FontEntry entry = read_first_of_entry(FontFormat::ThingPulse, text);
    const FontReadResult read = read_thingpulse_font_entry(text, entry);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(pixel(read.font, U'A', 1, 3 - read.font.ascent + 1));
    EXPECT_EQ(thingpulse_font_in_place(text, entry, read.font).text, text);
}

TEST(ThingPulseFont, WhatTheFormCannotHoldIsRefusedByName)
{
    Font font = make_blank_font({8, 8, 0x41, 2}).font;
    font.origin_x = 2;
    EXPECT_EQ(thingpulse_refusal(font), "");
    // A pixel two columns left of B's origin: B moves right by two and advances two further.
    const Font overhang = with_pixel_turned(font, U'B', 0, 3);
    EXPECT_EQ(thingpulse_refusal(overhang), "");
    const FontReadResult moved = read_first(write_thingpulse_font(overhang, "overhang.h"));
    ASSERT_TRUE(moved.ok) << moved.message;
    EXPECT_EQ(advance(moved.font, U'B'), advance(font, U'B') + 2);
    EXPECT_TRUE(pixel(moved.font, U'B', 0, 3 - font.ascent + 1));
    font.font_table[1].code_point = 0x100;
    EXPECT_NE(thingpulse_refusal(font).find("has a code past 255"), std::string::npos);
}

// The count is one byte: a font from code 0 runs to its last glyph, and one that reaches 255 as
// well is refused. A font from 0 saved in place with fewer glyphs than its table keeps the table.
TEST(ThingPulseFont, AFontFromCodeZeroIsWrittenToItsLastGlyph)
{
    const Font font = with_pixel_turned(make_blank_font({8, 8, 0, 66}).font, U'A', 1, 1);
    const std::string text = write_thingpulse_font(font, "from_zero.h");
    EXPECT_NE(text.find("0x42, // Numbers of Chars: 66"), std::string::npos);
    const FontEntry entry = read_first_of_entry(FontFormat::ThingPulse, text);
    const FontReadResult read = read_thingpulse_font_entry(text, entry);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(glyph_count(read.font), 66);
    EXPECT_TRUE(pixel(read.font, U'A', 1, 1 - font.ascent + 1));

    Font fewer = read.font;
    while (glyph_count(fewer) > 10)
        remove_glyph(fewer, glyph_count(fewer) - 1);
    const InPlaceText saved = thingpulse_font_in_place(text, entry, fewer);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_NE(saved.text.find("0x42, // Numbers of Chars: 66"), std::string::npos);

    Font to_255 = make_blank_font({8, 8, 0, 255}).font;
    insert_glyph(to_255, 255, Glyph{to_255.font_table[0].glyph_data, {}, 255, 8});
    EXPECT_NE(thingpulse_refusal(to_255).find("runs from code 0 to 255"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright::testing

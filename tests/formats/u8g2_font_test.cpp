// u8g2 fonts: a glyph worked out by hand, the corpus fonts against the BDFs they were made from,
// their records coded again as u8g2's converter codes them, every build mode, and what the form
// cannot hold.

#include "formats/u8g2_font.h"

#include <random>

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "formats/u8g2_encoding.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kU8g2Folder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "u8g2";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::U8g2, text); }

// The font's bytes as the literal holds them, and its terminating zero.
std::string font_bytes(std::string_view text)
{
    std::string bytes;
    for (std::size_t at = text.find("= \n"); at < text.size(); ++at) {
        if (text[at] == ';')
            break;
        if (text[at] != '"')
            continue;
        for (++at; text[at] != '"'; ++at) {
            if (text[at] != '\\') {
                bytes += text[at];
                continue;
            }
            int value = 0;
            for (++at; text[at] >= '0' && text[at] <= '7'; ++at)
                value = value * 8 + (text[at] - '0');
            --at;
            bytes += static_cast<char>(value);
        }
    }
    return bytes + '\0';
}

constexpr char kU8g2CorpusName[] = "u8g2";
using U8g2Corpus = CorpusFolderTest<kU8g2CorpusName>;

// u8g2_font_5x7_tr's 'A': «41 09 34 B1 53 51 8E 29 03», a 4 x 6 box at (0, 0) advancing 5.
TEST_F(U8g2Corpus, AGlyphStandsWhereItsRecordPutsIt)
{
    const Font font = read_first(read_file((kU8g2Folder / "u8g2_font_5x7_tr.c").string())).font;
    EXPECT_EQ(advance(font, U'A'), 5);
    const char* rows[] = {".##..", "#..#.", "#..#.", "####.", "#..#.", "#..#."};
    for (int row = 0; row < 6; ++row) {
        std::string drawn;
        for (int x = 0; x < 5; ++x)
            drawn += pixel(font, U'A', x, row - 5) ? '#' : '.';
        EXPECT_EQ(drawn, rows[row]) << row;
    }
}

// Every corpus font: its glyphs are those of the BDF it was made from; written anew it is no
// larger than u8g2's converter made it, reads back the same and writes the same bytes again;
// saved in place without edits it stays, and one pixel changes the lines of one record.
TEST_F(U8g2Corpus, EveryFontIsItsBdfsAndSurvivesEveryWayOut)
{
    const std::pair<const char*, const char*> fonts[] = {
        {"u8g2_font_5x7_tr.c", "5x7.bdf"}, {"u8g2_font_6x10_tf.c", "6x10.bdf"}, {"u8g2_font_tom_thumb_4x6_tn.c", "tom-thumb.bdf"}};
    for (const auto& [file, bdf_file] : fonts) {
        SCOPED_TRACE(file);
        const std::string text = read_file((kU8g2Folder / file).string());
        const FontEntry entry = read_first_of_entry(FontFormat::U8g2, text);
        const FontReadResult read = read_u8g2_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_TRUE(read.warnings.empty());
        const FontReadResult source = read_first_bdf(read_file((kU8g2Folder / "source_bdf" / bdf_file).string()));
        ASSERT_TRUE(source.ok) << source.message;
        std::vector<DrawnGlyph> of_source;
        for (const DrawnGlyph& glyph : drawn_glyphs(source.font))
            if (glyph_place(read.font, glyph.code).found)
                of_source.push_back(glyph);
        EXPECT_EQ(drawn_glyphs(read.font), of_source);

        const std::string written = write_u8g2_font(read.font, file, {});
        EXPECT_LE(font_bytes(written).size(), font_bytes(text).size());
        EXPECT_EQ(drawn_glyphs(read_first(written).font), drawn_glyphs(read.font));
        EXPECT_EQ(write_u8g2_font(read_first(written).font, file, {}), written);

        EXPECT_EQ(u8g2_font_in_place(text, entry, read.font).text, text);
        // A pixel of the fifth glyph: the lines before its record's stay.
        const char32_t code = read.font.font_table[5].code_point;
        const Font edited = with_pixel_turned(read.font, code, read.font.origin_x, 0);
        const InPlaceText saved = u8g2_font_in_place(text, entry, edited);
        ASSERT_TRUE(saved.ok) << saved.error;
        EXPECT_EQ(drawn_glyphs(read_first(saved.text).font), drawn_glyphs(edited));
        const std::size_t record = u8g2::decode(font_bytes(text)).records[5].begin;
        const std::vector<std::string_view> before = lines_of(text), after = lines_of(saved.text);
        const std::size_t first_literal = text.substr(0, text.find("= \n")).size() == 0 ? 0 : lines_of(text.substr(0, text.find("= \n"))).size();
        for (std::size_t line = first_literal + 1; line < first_literal + record / 32; ++line)
            EXPECT_EQ(before[line], after[line]) << line;
    }
}

// With the field widths u8g2's converter chose, every glyph with ink is coded to its very bytes:
// the runs, their split at the widths' limits and the repeat bits are the converter's.
TEST_F(U8g2Corpus, InkedRecordsAreCodedAsTheConverterCodesThem)
{
    for (const char* file : {"u8g2_font_5x7_tr.c", "u8g2_font_6x10_tf.c", "u8g2_font_tom_thumb_4x6_tn.c"}) {
        SCOPED_TRACE(file);
        const std::string bytes = font_bytes(read_file((kU8g2Folder / file).string()));
        const u8g2::Decoded decoded = u8g2::decode(bytes);
        ASSERT_EQ(decoded.problem, "");
        int inked = 0;
        for (const u8g2::Record& record : decoded.records) {
            if (record.glyph.w == 0)
                continue;
            ++inked;
            EXPECT_EQ(u8g2::encode_record(u8g2::reduced(record.glyph), decoded.header), bytes.substr(record.begin, record.size))
                << code_point_text(record.glyph.code);
        }
        EXPECT_GT(inked, 10);
    }
}

// A font of random glyphs from `first`, each of `count` codes `step` apart.
Font random_font(char32_t first, int count, int step, int size)
{
    Font font = make_blank_font({8, 8, 32, 1}).font;
    font.header = {size, size, static_cast<std::int32_t>(first), count};
    font.ascent = size - 2;
    font.descent = 2;
    font.font_table.assign(static_cast<std::size_t>(count), Glyph{});
    std::mt19937 random(5);
    GlyphGrid grid(size, size);
    for (int k = 0; k < count; ++k) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                grid.set(x, y, random() % 3 == 0);
        font.font_table[static_cast<std::size_t>(k)] = {encode_glyph(grid), {}, first + static_cast<char32_t>(k * step), size + 1};
    }
    return font;
}

// Each build mode: the ink stays where it was, the font reads back as written and writes the same
// again; modes 2 and 3 give every glyph one cell (3: sides a multiple of 8).
TEST(U8g2Font, EveryBuildModeKeepsTheInk)
{
    const Font font = random_font(U'A', 20, 1, 6);
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        const std::string written = write_u8g2_font(font, "font.c", {false, false, mode});
        const FontReadResult back = read_first(written);
        ASSERT_TRUE(back.ok) << back.message;
        EXPECT_NE(written.find(std::string("u8g2_font_font_") + "thm8"[mode] + "u["), std::string::npos);
        std::vector<DrawnGlyph> ink = drawn_glyphs(back.font), expected = drawn_glyphs(font);
        for (std::size_t k = 0; k < ink.size(); ++k) {
            EXPECT_EQ(ink[k].pixels, expected[k].pixels);
            if (mode >= 2) {
                EXPECT_EQ(ink[k].advance, mode == 3 ? 8 : 7);
            }
        }
        EXPECT_EQ(write_u8g2_font(back.font, "font.c", {false, false, mode}), written);
    }
}

// A declaration without its «[» is no font, and its string is not taken for an earlier array's.
TEST(U8g2Font, EachStringBelongsToItsOwnDeclaration)
{
    const std::string font = write_u8g2_font(random_font(U'A', 3, 1, 6), "a.c", {});
    std::string broken = write_u8g2_font(random_font(U'0', 2, 1, 4), "b.c", {});
    broken.erase(broken.find('['), 1);
    const std::string text = font + broken;
    const FontScan scan = scan_u8g2_fonts(text);
    ASSERT_EQ(scan.entries.size(), 1u);
    EXPECT_EQ(glyph_count(read_u8g2_font_entry(text, scan.entries.front()).font), 3);
}

TEST(U8g2Font, NamesFollowTheLibrarysConvention)
{
    const struct {
        char32_t first;
        int count;
        int step;
        const char* name;
    } sets[] = {
        {U'0', 10, 1, "u8g2_font_f_tn"},       {U' ', 60, 1, "u8g2_font_f_tu"},     {U' ', 90, 1, "u8g2_font_f_tr"},
        {U' ', 200, 1, "u8g2_font_f_tf"},      {0x400, 50, 1, "u8g2_font_f_t_cyrillic"}, {0x3000, 5, 1, "u8g2_font_f_t_all"},
    };
    for (const auto& set : sets) {
        const Font font = random_font(set.first, set.count, set.step, 4);
        EXPECT_EQ(u8g2_font_name(font, "f.c", 0), set.name);
    }
    Font named = random_font(U'A', 2, 1, 4);
    named.name = "u8g2_font_mine_tr";
    EXPECT_EQ(u8g2_font_name(named, "f.c", 2), "u8g2_font_mine_tr");
}

TEST(U8g2Font, WhatTheFormCannotHoldIsRefusedByName)
{
    Font font = random_font(U'A', 3, 1, 8);
    EXPECT_EQ(u8g2_refusal(font), "");
    font.font_table[2].code_point = 0xFFFF;
    EXPECT_NE(u8g2_refusal(font).find("U+FFFF has a code past U+FFFE"), std::string::npos) << u8g2_refusal(font);
    // 120 x 120 random pixels take far more than the 254 bytes of a record.
    EXPECT_NE(u8g2_refusal(random_font(U'A', 2, 1, 120)).find("past the 254 a record holds"), std::string::npos);
    EXPECT_NE(u8g2_refusal(random_font(U'A', 1, 1, 130)).find("holds up to 127 x 127"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright::testing

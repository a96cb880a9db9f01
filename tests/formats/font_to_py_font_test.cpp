// MicroPython font modules: glyphs worked out by hand from each index version's bytes, every
// version read and saved in place, properties over the corpus modules, and what the form cannot hold.

#include "formats/font_to_py_font.h"

#include <gtest/gtest.h>

#include "formats/bdf_font.h"
#include "formats/new_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kModuleFolder = fs::path(GLYPHWRIGHT_CORPUS_DIR) / "font-to-py";

FontReadResult read_first(std::string_view text) { return read_first_of(FontFormat::FontToPy, text); }

// Row `row` of the glyph's cell from its top, from its origin for `width` columns, as «#» and «.».
std::string cell_row(const Font& font, char32_t code, int row, int width)
{
    std::string text;
    for (int x = 0; x < width; ++x)
        text += pixel(font, code, x, row - font.ascent + 1) ? '#' : '.';
    return text;
}

constexpr char kModuleCorpusName[] = "font-to-py";
using ModuleCorpus = CorpusFolderTest<kModuleCorpusName>;

// A glyph of each version and map, from the bytes of its record:
// - font6 (0.2, slots of starts): '?' «08 00 | 00 78 8c ..»: row 1 is 0x78, row 2 0x8c.
// - arial10 (0.25, start and end a slot): 'A' «08 00 | 10 28 28 28 44 7c 82 82».
// - icons (0.33): 'A' is 15 wide, two bytes a row: row 1 «3f e0».
// - dejavu_sans_mono_12_vmap (0.42, columns): '?' «07 00 | 00 00 00 00 02 00 72 01 ..»: column 2
//   holds row 1, column 3 rows 1, 4, 5, 6 and 8.
// - dejavu_serif_16_greek (sparse, 8-byte offsets): 'Α' (U+0391, entry «91 03 7f 01»: offset
//   0x17f x 8) is 12 wide: row 1 «06 00», row 3 «0b 00».
TEST_F(ModuleCorpus, GlyphsStandWhereTheirRecordsPutThem)
{
    struct Case {
        const char* file;
        char32_t code;
        int width;
        int row;
        const char* pixels;
    };
    const Case cases[] = {
        {"font6.py", U'?', 8, 1, ".####..."},           {"font6.py", U'?', 8, 2, "#...##.."},
        {"arial10.py", U'A', 8, 0, "...#...."},         {"arial10.py", U'A', 8, 5, ".#####.."},
        {"arial10.py", U'A', 8, 7, "#.....#."},         {"icons.py", U'A', 15, 1, "..#########...."},
        {"dejavu_sans_mono_12_vmap.py", U'?', 7, 1, "..###.."}, {"dejavu_sans_mono_12_vmap.py", U'?', 7, 8, "...#..."},
        {"dejavu_sans_mono_12_vmap.py", U'?', 7, 7, "......."}, {"dejavu_serif_16_greek.py", 0x391, 12, 1, ".....##....."},
        {"dejavu_serif_16_greek.py", 0x391, 12, 3, "....#.##...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + code_point_text(c.code));
        const FontReadResult read = read_first(read_file((kModuleFolder / c.file).string()));
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_TRUE(read.warnings.empty()) << read.warnings.front();
        EXPECT_EQ(advance(read.font, c.code), c.width);
        EXPECT_EQ(cell_row(read.font, c.code, c.row, c.width), c.pixels);
    }
    // baseline() is the rows above the baseline: DejaVu Serif's 16 rows stand 13 above it.
    const Font greek = read_first(read_file((kModuleFolder / "dejavu_serif_16_greek.py").string())).font;
    EXPECT_EQ(greek.ascent, 13);
    EXPECT_EQ(greek.descent, 3);
    EXPECT_EQ(glyph_count(greek), 102);
}

// Every corpus module: read without warnings; written anew and again, the same bytes; the
// generator's latest modules come back as it wrote them but for their comments; saved in place
// without edits, unchanged; through BDF, the same glyphs.
TEST_F(ModuleCorpus, EveryModuleSurvivesEveryWayOut)
{
    int modules = 0;
    for (const fs::path& path : files_in(kModuleFolder)) {
        if (path.extension() != ".py")
            continue;
        SCOPED_TRACE(path.filename().string());
        const std::string text = read_file(path.string());
        const FontEntry entry = read_first_of_entry(FontFormat::FontToPy, text);
        const FontReadResult read = read_font_to_py_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        ++modules;
        const bool columns = text.find("def hmap():\n    return False") != std::string::npos;
        const std::string written = write_font_to_py_font(read.font, path.string(), {false, columns});
        const FontReadResult again = read_first(written);
        EXPECT_EQ(drawn_glyphs(again.font), drawn_glyphs(read.font));
        EXPECT_EQ(write_font_to_py_font(again.font, path.string(), {false, columns}), written);
        if (text.find("version = '0.42'") != std::string::npos && !columns) {
            EXPECT_EQ(written.substr(written.find("version")), text.substr(text.find("version")));
        }
        EXPECT_EQ(font_to_py_font_in_place(text, entry, read.font).text, text);
        const FontReadResult bdf = read_first_bdf(write_bdf_font(read.font, "font.bdf"));
        EXPECT_EQ(drawn_glyphs(bdf.font), drawn_glyphs(read.font));
    }
    EXPECT_EQ(modules, 6);
}

// One glyph, 'A' of 3 x 2 («#.#» over «.#.»), in a module of each index the generator has
// written, each told apart by its get_ch(); a default glyph of one column before it.
struct Version {
    const char* name;
    const char* index;  // the index's name and bytes
    const char* font;
    const char* lookup;
    const char* maps;   // hmap() and reverse()
};

std::string module_text(const Version& v)
{
    return std::string("version = '0.3'\n\ndef height():\n    return 2\n\n") + v.maps + "def min_ch():\n    return 65\n\n"
         + "def max_ch():\n    return 65\n\n_font =\\\nb'" + v.font + "'\n\n" + v.index + "\n\n" + v.lookup + "\n";
}

const Version kVersions[] = {
    {"first: a start a code", "_index =\\\nb'\\x00\\x00\\x04\\x00'", "\\x03\\x00\\xa0\\x40",
     "def _chr_addr(ordch):\n    offset = 2 * (ordch - 65)\n\ndef get_ch(ch):\n    ordch = ord(ch) if ord(ch) >= 65 else ord('?')\n", ""},
    {"0.2: starts after the default", "_index =\\\nb'\\x00\\x00\\x04\\x00\\x08\\x00'", "\\x01\\x00\\x80\\x80\\x03\\x00\\xa0\\x40",
     "def get_ch(ch):\n    ioff = 2 * (oc - 65 + 1)\n", "def hmap():\n    return True\n\n"},
    {"0.25: start and end", "_index =\\\nb'\\x00\\x00\\x04\\x00\\x04\\x00\\x08\\x00'", "\\x01\\x00\\x80\\x80\\x03\\x00\\xa0\\x40",
     "def get_ch(ch):\n    idx_offs = 4 * (ordch - 32)\n", ""},
    {"sparse, byte offsets", "_sparse =\\\nb'\\x41\\x00\\x04\\x00'", "\\x01\\x00\\x80\\x80\\x03\\x00\\xa0\\x40",
     "def get_ch(ch):\n    doff = bs(_mvsp, ord(ch))\n", ""},
    {"sparse, 8-byte offsets", "_sparse =\\\nb'\\x41\\x00\\x01\\x00'", "\\x01\\x00\\x80\\x80\\x00\\x00\\x00\\x00\\x03\\x00\\xa0\\x40",
     "def get_ch(ch):\n    doff = bs(_mvsp, ord(ch)) << 3\n", ""},
    {"sparse, 8-byte offsets, a byte set between records", "_sparse =\\\nb'\\x41\\x00\\x01\\x00'",
     "\\x01\\x00\\x80\\x80\\x00\\x00\\x01\\x00\\x03\\x00\\xa0\\x40", "def get_ch(ch):\n    doff = bs(_mvsp, ord(ch)) << 3\n", ""},
    {"rows, reversed bits", "_index =\\\nb'\\x00\\x00\\x04\\x00\\x08\\x00'", "\\x01\\x00\\x01\\x01\\x03\\x00\\x05\\x02",
     "def get_ch(ch):\n    ioff = 2 * (oc - 65 + 1)\n", "def hmap():\n    return True\n\ndef reverse():\n    return True\n\n"},
    {"columns", "_index =\\\nb'\\x00\\x00\\x03\\x00\\x08\\x00'", "\\x01\\x00\\x01\\x03\\x00\\x01\\x02\\x01",
     "def get_ch(ch):\n    ioff = 2 * (oc - 65 + 1)\n", "def hmap():\n    return False\n\n"},
};

TEST(FontToPyFont, EveryIndexVersionReadsAndSavesInPlace)
{
    for (const Version& version : kVersions) {
        SCOPED_TRACE(version.name);
        const std::string text = module_text(version);
        const FontEntry entry = read_first_of_entry(FontFormat::FontToPy, text);
        const FontReadResult read = read_font_to_py_font_entry(text, entry);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_TRUE(read.warnings.empty()) << read.warnings.front();
        ASSERT_EQ(glyph_count(read.font), 1);
        EXPECT_EQ(advance(read.font, U'A'), 3);
        EXPECT_EQ(cell_row(read.font, U'A', 0, 3) + cell_row(read.font, U'A', 1, 3), "#.#.#.");
        EXPECT_EQ(font_to_py_font_in_place(text, entry, read.font).text, text);
        // A pixel more, and 'A' widened past a byte a row: the record grows and the index follows.
        Font edited = with_pixel_turned(read.font, U'A', 0, 1);
        edited.font_table[0].advance = 9;
        const InPlaceText saved = font_to_py_font_in_place(text, entry, edited);
        ASSERT_TRUE(saved.ok) << saved.error;
        const FontReadResult back = read_first(saved.text);
        EXPECT_TRUE(back.warnings.empty()) << back.warnings.front();
        EXPECT_EQ(drawn_glyphs(back.font), drawn_glyphs(edited));
    }
}

// A save in place keeps the module's codes and height, which its get_ch() holds; a record past
// the end of _font is a warning naming the index's line.
TEST(FontToPyFont, InPlaceKeepsWhatGetChHoldsAndBadOffsetsAreWarnings)
{
    const std::string text = module_text(kVersions[1]);
    const FontEntry entry = read_first_of_entry(FontFormat::FontToPy, text);
    const Font font = read_font_to_py_font_entry(text, entry).font;
    Font more = font;
    insert_glyph(more, 1, Glyph{font.font_table[0].glyph_data, {}, U'B', 3});
    EXPECT_NE(font_to_py_font_in_place(text, entry, more).error.find("characters added or taken out"), std::string::npos);
    EXPECT_NE(font_to_py_font_in_place(text, entry, make_blank_font({3, 4, 65, 1}).font).error.find("height"), std::string::npos);

    // Records that overlap (B's empty record inside A's) stay as they are through a save without edits.
    std::string overlapping = module_text({"", "_index =\\\nb'\\x00\\x00\\x04\\x00\\x05\\x00\\x08\\x00'",
                                           "\\x01\\x00\\x80\\x80\\x01\\x00\\x00\\x80", "def get_ch(ch):\n    ioff = 2 * (oc - 65 + 1)\n", ""});
    overlapping.replace(overlapping.find("return 65\n\n_font"), 9, "return 66");
    const FontReadResult both = read_first(overlapping);
    ASSERT_EQ(glyph_count(both.font), 2);
    EXPECT_TRUE(both.warnings.empty());
    EXPECT_EQ(font_to_py_font_in_place(overlapping, read_first_of_entry(FontFormat::FontToPy, overlapping), both.font).text, overlapping);

    // A baseline() past the height is read as the height, and stays as written through a save.
    std::string deep = text;
    deep.replace(deep.find("def min_ch"), 0, "def baseline():\n    return 12\n\n");
    EXPECT_EQ(font_to_py_font_in_place(deep, entry, read_first(deep).font).text, deep);

    // A literal cut by the end of its line holds nothing, and the scan goes on past it.
    EXPECT_FALSE(read_first("def height():\n    return 2\n\n_font =\\\nb'\\x07\\x00\n_index =\\\nb''\n").ok);

    std::string broken = text;
    broken.replace(broken.find("\\x04\\x00\\x08"), 4, "\\x40");
    const FontReadResult read = read_first(broken);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(glyph_count(read.font), 0);
    ASSERT_EQ(read.warnings.size(), 1u);
    EXPECT_EQ(read.warnings.front().rfind("line 19: the record of U+0041", 0), 0u) << read.warnings.front();
}

TEST(FontToPyFont, WhatTheFormCannotHoldIsRefusedByName)
{
    Font font = make_blank_font({8, 8, 0x41, 2}).font;
    EXPECT_EQ(font_to_py_refusal(font), "");
    font.font_table[1].code_point = 0x10000;
    EXPECT_NE(font_to_py_refusal(font).find("U+10000"), std::string::npos);
    // A 248 x 255 record takes 7,907 bytes, 7,912 aligned to 8: the 67th glyph after the default
    // starts past the 524,280 bytes a sparse index reaches, the 9th past a slot index's 65,535.
    const Font large = make_blank_font({248, 255, 0, 255}).font;
    EXPECT_NE(font_to_py_refusal(large).find("524,280 bytes a sparse index reaches at the glyph of U+0042"), std::string::npos)
        << font_to_py_refusal(large);
    const Font slots = make_blank_font({248, 255, 32, 20}).font;
    EXPECT_NE(font_to_py_refusal(slots).find("65,535 bytes a slot index reaches at the glyph of U+0028"), std::string::npos)
        << font_to_py_refusal(slots);
}

}  // namespace
}  // namespace glyphwright::testing

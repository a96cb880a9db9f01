#include "import/font_import.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "formats/bdf_font.h"
#include "formats/font_text.h"
#include "model/glyph_codec.h"
#include "tests/support/system_fonts.h"
#include "tests/support/temp_folder.h"
#include "text/text_primitives.h"
#include "model/font_model.h"

namespace glyphwright {
namespace {

using testing::TempFolder;
using testing::read_file;
using testing::write_file;

using testing::kFixed6x13;
using testing::kFixed9x15;
const std::string& kMono = testing::kDejaVuSansMono;
const std::string& kSans = testing::kDejaVuSans;

ImportOptions sized(int pixel_size)
{
    ImportOptions options;
    options.pixel_size = pixel_size;
    return options;
}

// The glyph of `code` as rows of "#" and ".".
std::vector<std::string> picture_of(const FontReadResult& font, int code)
{
    const FontHeader& header = font.font.header;
    GlyphGrid grid(header.glyph_width, header.glyph_height);
    decode_glyph(font.font.font_table[static_cast<std::size_t>(code - header.first_char)].glyph_data, grid);
    std::vector<std::string> rows;
    for (int y = 0; y < header.glyph_height; ++y) {
        std::string row;
        for (int x = 0; x < header.glyph_width; ++x)
            row += grid.at(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> rows_of_pixels(const std::vector<std::string>& rows, std::size_t from, std::size_t count)
{
    return {rows.begin() + static_cast<std::ptrdiff_t>(from), rows.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST(FontImport, GlyphsMatchTheirGoldenPictures)
{
    SKIP_WITHOUT_FONT(kMono);
    SKIP_WITHOUT_FONT(kFixed6x13);
    struct Case {
        std::string path;
        int pixel_size;
        int code;
        std::size_t first_row;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        // An outline font, hinted and rendered in black and white: "A" stands on the baseline
        // (row 14, the ascent of 15 rows down).
        {kMono, 16, 'A', 3, {"....##....", "....##....", "...####...", "...#..#...",
                             "...#..#...", "...#..#...", "..#....#..", "..#....#..",
                             "..######..", "..#....#..", ".#......#.", ".#......#."}},
        // Its "g" reaches down into the descent.
        {kMono, 16, 'g', 15, {"........#.", "..#....#..", "...####...", ".........."}},
        // A bitmap font gives its pixels as drawn: "g" of 6x13, ascent 11.
        {kFixed6x13, 0, 'g', 5, {".###..", "#...#.", "#...#.", "#...#.", ".####.", "....#.",
                                 "#...#.", ".###.."}},
    };
    for (const Case& test : cases) {
        FontReadResult font = import_font(test.path, sized(test.pixel_size));
        ASSERT_TRUE(font.ok) << font.message;
        EXPECT_EQ(rows_of_pixels(picture_of(font, test.code), test.first_row, test.rows.size()), test.rows)
            << test.path << " " << char(test.code);
    }
}

TEST(FontImport, DefaultCellHoldsTheLineAndEveryGlyphAtItsBearingWithoutPadding)
{
    SKIP_WITHOUT_FONT(kSans);
    SKIP_WITHOUT_FONT(kFixed9x15);
    struct Case {
        std::string path;
        int pixel_size;
        FontHeader header;
        int origin_x;
        std::string ascent_note;
    };
    const Case cases[] = {
        // Monospaced: advance 10, 15 + 4 rows.
        {kMono, 16, {10, 19, 32, 95}, 0, "// Ascent       : 15 pixels"},
        // Proportional: the widest advance ("W", "m" and the like) decides, and "j" reaches one
        // column left of its origin.
        {kSans, 16, {18, 19, 32, 95}, 1, "// Ascent       : 15 pixels"},
        // Bitmap fonts: their cell, FONT_ASCENT + FONT_DESCENT rows.
        {kFixed6x13, 0, {6, 13, 32, 95}, 0, "// Ascent       : 11 pixels"},
        {kFixed9x15, 15, {9, 15, 32, 95}, 0, "// Ascent       : 12 pixels"},
        // Advance 6, 10 + 3 rows, and glyphs a column wider than their advance.
        {kMono, 10, {7, 13, 32, 95}, 0, "// Ascent       : 10 pixels"},
        // Advance 4 at 6 pixels, 6 + 2 rows, and wide letters two columns wider.
        {kMono, 6, {6, 8, 32, 95}, 0, "// Ascent       : 6 pixels"},
    };
    for (const Case& test : cases) {
        FontReadResult font = import_font(test.path, sized(test.pixel_size));
        ASSERT_TRUE(font.ok) << font.message;
        EXPECT_EQ(font.font.header, test.header) << test.path << " " << test.pixel_size;
        EXPECT_EQ(font.font.origin_x, test.origin_x) << test.path << " " << test.pixel_size;
        EXPECT_NE(font.font.header_text.find(test.ascent_note + "\r\n"), std::string::npos) << font.font.header_text;
        EXPECT_EQ(character_labels(font.font).size(), 95u);
        EXPECT_TRUE(font.warnings.empty()) << test.path << ": nothing is cut off";
    }
}

TEST(FontImport, HeaderTextSaysWhereTheFontCameFrom)
{
    SKIP_WITHOUT_FONT(kMono);
    FontReadResult font = import_font(kMono, sized(16));
    ASSERT_TRUE(font.ok);
    EXPECT_EQ(font.font.header_text, "// Imported from: DejaVuSansMono.ttf\r\n"
                                     "// Typeface     : DejaVu Sans Mono Book, 16 pixels\r\n"
                                     "// Characters   : 32 to 126 from U+0020\r\n"
                                     "// Ascent       : 15 pixels\r\n");
    EXPECT_EQ(font.font.header_bytes_text, "0x0A,0x13,0x20,0x5F,");
}

// Every row of `font` moved right by `shift` columns (what fell off the edge is gone).
std::vector<std::string> shifted(std::vector<std::string> rows, int shift)
{
    for (std::string& row : rows)
        row = std::string(static_cast<std::size_t>(shift), '.') + row.substr(0, row.size() - static_cast<std::size_t>(shift));
    return rows;
}

TEST(FontImport, CentringMovesEveryGlyphByHalfTheSpareWidth)
{
    SKIP_WITHOUT_FONT(kMono);
    ImportOptions options = sized(16);
    options.cell = CellSize{16, 19};
    FontReadResult bearing = import_font(kMono, options);
    options.placement = Placement::Centred;
    FontReadResult centred = import_font(kMono, options);
    ASSERT_TRUE(bearing.ok && centred.ok);
    // Advance 10 in a cell of 16: (16 - 10) / 2 = 3 columns.
    for (int code = 32; code < 127; ++code)
        EXPECT_EQ(picture_of(centred, code), shifted(picture_of(bearing, code), 3)) << char(code);
}

TEST(FontImport, CharactersComeFromTheirCodePointsAndMissingOnesStayBlankWithAWarning)
{
    SKIP_WITHOUT_FONT(kMono);
    ImportOptions cyrillic = sized(16);
    cyrillic.first_code = 192;
    cyrillic.char_count = 32;
    cyrillic.first_code_point = U'\u0410';
    FontReadResult from_range = import_font(kMono, cyrillic);

    // A map names the same characters one by one; codes it leaves out keep the range's code point.
    ImportOptions mapped = sized(16);
    mapped.first_code = 192;
    mapped.char_count = 32;
    for (int code = 192; code < 224; code += 2)
        mapped.mapped_code_points[code] = static_cast<char32_t>(0x410 + code - 192);
    mapped.first_code_point = U'\u0410';
    FontReadResult from_map = import_font(kMono, mapped);
    ASSERT_TRUE(from_range.ok && from_map.ok);
    EXPECT_EQ(from_map.font.font_table, from_range.font.font_table);

    ImportOptions latin = sized(16);
    latin.first_code = 192;
    latin.char_count = 32;
    EXPECT_NE(import_font(kMono, latin).font.font_table, from_range.font.font_table);

    // U+0378 and U+0379 are unassigned, U+037A is there.
    ImportOptions gaps = sized(16);
    gaps.first_code = 65;
    gaps.char_count = 4;
    gaps.first_code_point = U'\u0377';
    gaps.mapped_code_points[68] = U'\uE000';
    FontReadResult missing = import_font(kMono, gaps);
    ASSERT_TRUE(missing.ok) << missing.message;
    ASSERT_EQ(missing.warnings.size(), 1u);
    EXPECT_EQ(missing.warnings[0], "3 characters are not in the font and stay blank: 66 to 67 (U+0378 to U+0379), 68 (U+E000)");
    EXPECT_EQ(missing.font.font_table[1].glyph_data, encode_glyph(GlyphGrid(10, 19)));
}

TEST(FontImport, PixelsOutsideAGivenCellAreCutOffWithAWarning)
{
    SKIP_WITHOUT_FONT(kMono);
    ImportOptions options = sized(16);
    options.cell = CellSize{8, 16};
    FontReadResult font = import_font(kMono, options);
    ASSERT_TRUE(font.ok) << font.message;
    EXPECT_EQ(font.font.header, (FontHeader{8, 16, 32, 95}));
    ASSERT_EQ(font.warnings.size(), 1u);
    // Descenders fall below row 15, wide letters past column 7; the space loses nothing.
    EXPECT_NE(font.warnings[0].find("pixels outside the 8 x 16 cell: "), std::string::npos) << font.warnings[0];
    EXPECT_NE(font.warnings[0].find("103 to 104 (U+0067 to U+0068)"), std::string::npos) << font.warnings[0];
    EXPECT_EQ(font.warnings[0].find(" 32 (U+0020)"), std::string::npos) << font.warnings[0];
}

TEST(FontImport, GreyRenderingSetsFewerPixelsAsTheThresholdRises)
{
    SKIP_WITHOUT_FONT(kSans);
    auto ink = [](int threshold) {
        ImportOptions options = sized(100);
        options.rendering = Rendering::Grey;
        options.threshold = threshold;
        options.first_code = 'O';
        options.char_count = 1;
        FontReadResult font = import_font(kSans, options);
        EXPECT_TRUE(font.ok) << font.message;
        std::vector<std::string> rows = picture_of(font, 'O');
        std::string all;
        for (const std::string& row : rows)
            all += row;
        return all;
    };
    std::string faint = ink(0), middle = ink(127), strong = ink(254);
    auto count = [](const std::string& pixels) { return std::count(pixels.begin(), pixels.end(), '#'); };
    EXPECT_GT(count(faint), count(middle));
    EXPECT_GT(count(middle), count(strong));
    EXPECT_GT(count(strong), 0);
    for (std::size_t at = 0; at < faint.size(); ++at)
        ASSERT_TRUE(strong[at] == '.' || middle[at] == '#') << "a pixel set at a high threshold is set at a lower one";
}

TEST(FontImport, RefusesWhatItCannotImportWithAMessage)
{
    SKIP_WITHOUT_FONT(kMono);
    SKIP_WITHOUT_FONT(kFixed6x13);
    TempFolder folder;
    const std::string font_bytes = read_file(kMono);
    write_file(folder.file("text.ttf"), "this is not a font\n");
    write_file(folder.file("empty.ttf"), "");
    write_file(folder.file("cut.ttf"), font_bytes.substr(0, 2000));
    mkfifo(folder.file("fifo.ttf").c_str(), 0600);
    write_file(folder.file("huge.ttf"), "");
    std::filesystem::resize_file(folder.file("huge.ttf"), 33 * 1024 * 1024);

    struct Case {
        std::string path;
        ImportOptions options;
        std::string message_part;
    };
    ImportOptions face_three = sized(16);
    face_three.face_index = 3;
    ImportOptions wide_cell = sized(16);
    wide_cell.cell = CellSize{256, 9};
    ImportOptions huge_size = sized(256);
    ImportOptions past_unicode = sized(16);
    past_unicode.first_code_point = 0x10FFF0;
    const Case cases[] = {
        {folder.file("text.ttf"), sized(16), "is not a font of a known kind"},
        {folder.file("empty.ttf"), sized(16), "the file is empty"},
        {folder.file("cut.ttf"), sized(16), "cannot be imported"},
        {folder.file("fifo.ttf"), sized(16), "is not a regular file"},
        {"/dev/zero", sized(16), "is not a regular file"},
        {folder.file("huge.ttf"), sized(16), "larger than 32 MiB"},
        {folder.file("missing.ttf"), sized(16), "Cannot open"},
        {kMono, face_three, "it has only one face, face 0"},
        {kMono, ImportOptions{}, "it is an outline font, so it needs a pixel size (1 to 255)"},
        {kMono, huge_size, "the pixel size must be 1 to 255, not 256"},
        {kMono, wide_cell, "a cell of 256 x 9 pixels cannot be held: width and height must be 1 to 255"},
        {kMono, past_unicode, "past the last code point"},
        {kFixed6x13, sized(12), "it has no size of 12 pixels; its only size is 13 pixels"},
    };
    for (const Case& test : cases) {
        FontReadResult font = import_font(test.path, test.options);
        EXPECT_FALSE(font.ok) << test.path;
        EXPECT_NE(font.message.find(test.message_part), std::string::npos) << test.path << ": " << font.message;
    }
}

// A BDF font of one 8 x 8 character 'A', a full square, with the ascent, descent and vertical
// offset given: the numbers a file may set to anything.
std::string one_square_bdf(long long ascent, long long descent, int y_offset)
{
    const std::string offset = std::to_string(y_offset);
    return "STARTFONT 2.1\nFONT square\nSIZE 8 72 72\nFONTBOUNDINGBOX 8 8 0 " + offset
         + "\nSTARTPROPERTIES 2\nFONT_ASCENT " + std::to_string(ascent) + "\nFONT_DESCENT " + std::to_string(descent)
         + "\nENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 " + offset
         + "\nBITMAP\nFF\nFF\nFF\nFF\nFF\nFF\nFF\nFF\nENDCHAR\nENDFONT\n";
}

// Metrics at the ends of int neither overflow nor wrap around into the cell: a cell that cannot
// be held is refused with its size, and a glyph placed far outside is cut off with a warning.
TEST(FontImport, MetricsAtTheLimitsOfIntAreRefusedOrCutOff)
{
    TempFolder folder;
    ImportOptions one_character;
    one_character.first_code = 'A';
    one_character.char_count = 1;

    write_file(folder.file("tall.bdf"), one_square_bdf(2147483647, 2147483647, 0));
    FontReadResult tall = import_font(folder.file("tall.bdf"), one_character);
    EXPECT_FALSE(tall.ok);
    EXPECT_NE(tall.message.find("would be 8 x 2147483647 pixels, and that cannot be held"), std::string::npos) << tall.message;

    write_file(folder.file("far.bdf"), one_square_bdf(2147483647, -2147483639, -100));
    FontReadResult far = import_font(folder.file("far.bdf"), one_character);
    ASSERT_TRUE(far.ok) << far.message;
    EXPECT_EQ(far.font.header, (FontHeader{8, 8, 'A', 1}));
    EXPECT_EQ(far.font.font_table[0].glyph_data, "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,");
    ASSERT_EQ(far.warnings.size(), 1u);
    EXPECT_NE(far.warnings[0].find("pixels outside the 8 x 8 cell: 65"), std::string::npos) << far.warnings[0];
}

// A font of random pixels; odd widths and heights are as likely as any.
FontModel random_font(std::mt19937& random)
{
    FontModel font;
    std::uniform_int_distribution<int> side(1, 255);
    do {
        font.header.glyph_width = side(random);
        font.header.glyph_height = side(random);
    } while (!is_valid_geometry(font.header.glyph_width, font.header.glyph_height));
    font.header.first_char = std::uniform_int_distribution<int>(0, 200)(random);
    font.header.char_count = std::uniform_int_distribution<int>(1, 6)(random);
    GlyphGrid grid(font.header.glyph_width, font.header.glyph_height);
    for (int row = 0; row < font.header.char_count; ++row) {
        for (int x = 0; x < grid.glyph_width(); ++x) {
            for (int y = 0; y < grid.glyph_height(); ++y)
                grid.set(x, y, random() % 3 == 0);
        }
        font.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
    }
    if (random() % 2 == 0)
        font.header_text = "// Ascent       : " + to_decimal(random() % (font.header.glyph_height + 1)) + " pixels\r\n";
    set_fixed_font_metrics(font);
    return font;
}

TEST(FontImport, BdfWrittenAndImportedAgainGivesTheSamePixels)
{
    std::mt19937 random(12);
    for (int round = 0; round < 60; ++round) {
        FontModel font = random_font(random);
        const FontHeader& header = font.header;
        std::string bdf = write_bdf_font(font, "random.bdf");
        ImportOptions options;
        options.first_code = header.first_char;
        options.char_count = header.char_count;
        FontReadResult again = import_font_data(bdf, "random.bdf", options);
        ASSERT_TRUE(again.ok) << header.glyph_width << "x" << header.glyph_height << ": " << again.message;
        ASSERT_EQ(again.font.header, header);
        EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
        for (int row = 0; row < header.char_count; ++row)
            ASSERT_EQ(again.font.font_table[static_cast<std::size_t>(row)].glyph_data,
                      font.font_table[static_cast<std::size_t>(row)].glyph_data)
                << header.glyph_width << "x" << header.glyph_height << " row " << row;
    }
}

}  // namespace
}  // namespace glyphwright

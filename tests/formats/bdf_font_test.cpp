#include "formats/bdf_font.h"
#include "model/font_model.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

TEST(BdfFont, WritesEveryGlyphInItsOwnBoxAroundItsOriginOnTheBaseline)
{
    FontModel font;
    font.header = {6, 4, 65, 3};
    set_fixed_metrics(font);
    font.ascent = 3;
    font.descent = 1;
    // 6 x 4 pixels are three bytes of one bit stream: A's rows are 100001, 011110, 000000, 111111.
    font.font_table[0].glyph_data = "0x85,0xE0,0x3F,";
    font.font_table[1].glyph_data = "";
    // C's rows are 000000, 001100, 001000, 000000: a box of 2 x 2 from column 2, on the baseline.
    font.font_table[2].glyph_data = "0x00,0xC2,0x00,";
    font.font_table[2].advance = 5;
    font.font_table[2].code_point = 0x416;
    font.header_text = "// Imported from: x.ttf\r\n// Ascent       : 3 pixels\r\n";
    EXPECT_EQ(write_bdf_font(font, "/fonts/My-font.bdf"),
              "STARTFONT 2.1\n"
              "COMMENT Imported from: x.ttf\n"
              "COMMENT Ascent       : 3 pixels\n"
              "FONT -Glyphwright-My_font-Medium-R-Normal--4-40-72-72-P-57-ISO10646-1\n"
              "SIZE 4 72 72\n"
              "FONTBOUNDINGBOX 6 4 0 -1\n"
              "STARTPROPERTIES 15\n"
              "FOUNDRY \"Glyphwright\"\n"
              "FAMILY_NAME \"My_font\"\n"
              "WEIGHT_NAME \"Medium\"\n"
              "SLANT \"R\"\n"
              "SETWIDTH_NAME \"Normal\"\n"
              "PIXEL_SIZE 4\n"
              "POINT_SIZE 40\n"
              "RESOLUTION_X 72\n"
              "RESOLUTION_Y 72\n"
              "SPACING \"P\"\n"
              "AVERAGE_WIDTH 57\n"
              "CHARSET_REGISTRY \"ISO10646\"\n"
              "CHARSET_ENCODING \"1\"\n"
              "FONT_ASCENT 3\n"
              "FONT_DESCENT 1\n"
              "ENDPROPERTIES\n"
              "CHARS 3\n"
              "STARTCHAR char65\nENCODING 65\nSWIDTH 1500 0\nDWIDTH 6 0\nBBX 6 4 0 -1\nBITMAP\n"
              "84\n78\n00\nFC\nENDCHAR\n"
              "STARTCHAR char66\nENCODING 66\nSWIDTH 1500 0\nDWIDTH 6 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n"
              "STARTCHAR char1046\nENCODING 1046\nSWIDTH 1250 0\nDWIDTH 5 0\nBBX 2 2 2 0\nBITMAP\n"
              "C0\n80\nENDCHAR\n"
              "ENDFONT\n");
}

TEST(BdfFont, TheFixedFormsPutTheBaselineAtTheBottomOfTheCell)
{
    FontModel font;
    font.header = {8, 50, 32, 0};
    set_fixed_metrics(font);
    std::string bdf = write_bdf_font(font, "");
    EXPECT_NE(bdf.find("FONT_ASCENT 50\nFONT_DESCENT 0\n"), std::string::npos);
    EXPECT_NE(bdf.find("-Glyphwright-Glyphwright-"), std::string::npos);
    EXPECT_NE(bdf.find("CHARS 0\nENDFONT\n"), std::string::npos);
}

}  // namespace
}  // namespace glyphwright

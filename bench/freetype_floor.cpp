// The least work any converter built on FreeType does for an import, as a yardstick for the
// converter's own import: open the face, set the pixel size, render the characters from 32 to 126
// in black and white and print each glyph's rows as C bytes on standard output. It keeps nothing,
// checks nothing and writes no file.
//
// usage: freetype_floor FONT PIXELS

#include <cstdio>
#include <cstdlib>

#include <ft2build.h>
#include FT_FREETYPE_H

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: freetype_floor FONT PIXELS\n");
        return 2;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0) {
        std::fprintf(stderr, "freetype_floor: cannot open %s\n", argv[1]);
        return 1;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::atoi(argv[2])));
    std::printf("const unsigned char glyphs[] = {\n");
    for (FT_ULong code = 32; code <= 126; ++code) {
        if (FT_Load_Char(face, code, FT_LOAD_TARGET_MONO) != 0
            || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        std::printf("  // %lu: %u x %u, advance %ld\n ", code, bitmap.width, bitmap.rows,
                    static_cast<long>(face->glyph->advance.x >> 6));
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* bytes = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned column = 0; column < (bitmap.width + 7) / 8; ++column)
                std::printf(" 0x%02X,", bytes[column]);
        }
        std::printf("\n");
    }
    std::printf("};\n");
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}

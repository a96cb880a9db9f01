#pragma once

// One face of a font file opened with FreeType, seen through plain types: its names, sizes and
// vertical metrics, and its characters rendered as set and clear pixels. The only code that
// talks to FreeType itself.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace glyphwright {
class ReadableFile;
}

namespace glyphwright {

enum class Rendering { Monochrome, Grey };

// A rendered character: `width` x `rows` pixels, row after row, 1 for a set pixel. The bitmap's
// top-left pixel stands `left` pixels right of the pen and `top` pixels above the baseline.
struct RenderedGlyph {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    int advance = 0;  // whole pixels
    std::vector<std::uint8_t> pixels;

    bool at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] != 0; }
};

struct VerticalMetrics {
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
};

class FreeTypeFace {
public:
    // Opens face `face_index` of the font held in `data`, which must outlive the face. On failure
    // the face is not open and error() says why in words a user understands.
    FreeTypeFace(std::string_view data, int face_index);
    // The same for the font file `file`, which must outlive the face: FreeType reads only the
    // parts it needs.
    FreeTypeFace(const ReadableFile& file, int face_index);
    ~FreeTypeFace();
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    bool is_open() const { return m_face != nullptr; }
    const std::string& error() const { return m_error; }

    int face_count() const;
    std::string family_name() const;
    std::string style_name() const;
    bool is_scalable() const;
    // True when characters are looked up by Unicode code point; otherwise by the font's own codes.
    bool has_unicode_map() const { return m_unicode; }
    // The pixel sizes of the bitmap strikes, in the font's order.
    std::vector<int> strike_sizes() const;

    // Scales an outline font to `pixels` per em; the empty text on success, otherwise why not.
    std::string set_pixel_size(int pixels);
    // Chooses strike `index` of strike_sizes().
    std::string select_strike(int index);

    // The size's ascent and descent in whole pixels; for bitmap fonts their FONT_ASCENT and
    // FONT_DESCENT when they have them.
    VerticalMetrics vertical_metrics() const;
    // The size's largest advance in whole pixels.
    int max_advance() const;

    // Every code the font's character map maps to a glyph, in ascending order.
    std::vector<char32_t> character_codes() const;
    // Whether the font has a glyph for `code_point`.
    bool has_character(char32_t code_point) const;
    // The character's pixels, hinted and rendered as `rendering` asks (grey coverage counts as set
    // above `threshold`); false when the font has no such character or it cannot be rendered.
    bool render(char32_t code_point, Rendering rendering, int threshold, RenderedGlyph& glyph) const;

private:
    struct FileStream;
    // Opens the face through `open_face(index, face)`, an FT_Open_Face of the font; `start` is the
    // beginning of the font, for telling why it cannot be opened.
    template <typename OpenFace>
    void open(int face_index, std::string_view start, OpenFace open_face);

    std::unique_ptr<FileStream> m_stream;  // for a face of a file
    ::FT_LibraryRec_* m_library = nullptr;
    ::FT_FaceRec_* m_face = nullptr;
    bool m_unicode = false;
    std::string m_error;
};

}  // namespace glyphwright

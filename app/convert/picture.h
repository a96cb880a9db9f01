#pragma once

// A picture in memory, RGB, and its PNG file form, for the converter's previews: no GUI library
// is needed to draw one or to write it.

#include <cstdint>
#include <string>
#include <vector>

namespace glyphwright {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

class Picture {
public:
    // A picture of width x height pixels (negative sizes give 0), all `background`.
    Picture(int width, int height, Rgb background);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb at(int x, int y) const { return m_pixels[index_of(x, y)]; }

    // Fills the rectangle, clipped to the picture.
    void fill_rect(int x, int y, int width, int height, Rgb colour);

    // The decimal digits of `number` in a 3 x 5 pixel face, two pixels a face pixel, from (x, y);
    // clipped to the picture.
    void draw_number(int x, int y, int number, Rgb colour);

private:
    std::size_t index_of(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<Rgb> m_pixels;
};

// The PNG file bytes of the picture (8-bit RGB, no interlace); empty when the encoder fails.
std::string png_bytes(const Picture& picture);

}  // namespace glyphwright

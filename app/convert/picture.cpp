#include "app/convert/picture.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>

namespace glyphwright {

namespace {

// Digits 0 to 9, five rows of three pixels each, the leftmost pixel in bit 2.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigitFace = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
}};
constexpr int kFacePixel = 2;
constexpr int kDigitAdvance = 4 * kFacePixel;

void append_to_string(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void flush_nothing(png_structp) {}

}  // namespace

Picture::Picture(int width, int height, Rgb background)
    : m_width(std::max(width, 0))
    , m_height(std::max(height, 0))
    , m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), background)
{
}

void Picture::fill_rect(int x, int y, int width, int height, Rgb colour)
{
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, m_width);
    const int bottom = std::min(y + height, m_height);
    for (int row = top; row < bottom; ++row)
        std::fill_n(m_pixels.begin() + static_cast<std::ptrdiff_t>(index_of(left, row)), std::max(right - left, 0),
                    colour);
}

void Picture::draw_number(int x, int y, int number, Rgb colour)
{
    const std::string digits = std::to_string(number);
    for (char digit : digits) {
        if (digit >= '0' && digit <= '9') {
            const auto& face = kDigitFace[static_cast<std::size_t>(digit - '0')];
            for (int row = 0; row < 5; ++row)
                for (int column = 0; column < 3; ++column)
                    if (face[static_cast<std::size_t>(row)] & (4 >> column))
                        fill_rect(x + column * kFacePixel, y + row * kFacePixel, kFacePixel, kFacePixel, colour);
        }
        x += kDigitAdvance;
    }
}

std::string png_bytes(const Picture& picture)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    std::vector<png_byte> row(static_cast<std::size_t>(picture.width()) * 3);
    // libpng reports its errors by longjmp; nothing here owns resources the jump would skip.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, append_to_string, flush_nothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Rgb pixel = picture.at(x, y);
            std::size_t at = static_cast<std::size_t>(x) * 3;
            row[at] = pixel.red;
            row[at + 1] = pixel.green;
            row[at + 2] = pixel.blue;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace glyphwright

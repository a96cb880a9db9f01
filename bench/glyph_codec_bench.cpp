#include <benchmark/benchmark.h>

#include <random>

#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

// The largest glyph a font header can describe with a width that is a multiple of 8.
constexpr int kWidth = 248;
constexpr int kHeight = 255;

GlyphGrid random_grid()
{
    std::mt19937 random(7);
    GlyphGrid grid(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            grid.set(x, y, random() & 1);
    return grid;
}

void decode_largest_glyph(benchmark::State& state)
{
    std::string text = encode_glyph(random_grid());
    GlyphGrid grid(kWidth, kHeight);
    for (auto _ : state) {
        decode_glyph(text, grid);
        benchmark::DoNotOptimize(grid);
    }
}
BENCHMARK(decode_largest_glyph)->Unit(benchmark::kMicrosecond);

void encode_largest_glyph(benchmark::State& state)
{
    GlyphGrid grid = random_grid();
    for (auto _ : state)
        benchmark::DoNotOptimize(encode_glyph(grid));
}
BENCHMARK(encode_largest_glyph)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <random>

#include "formats/gfx_font.h"
#include "formats/new_font.h"
#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

// The largest GFX font: its bitmap as near 65,535 bytes as whole glyphs go, 127 glyphs of 64 x 64
// random pixels (512 bytes each), from code 32.
const Font& largest_gfx_font()
{
    static const Font font = [] {
        Font made = make_blank_font({64, 64, 32, 127}).font;
        std::mt19937 random(7);
        GlyphGrid grid(64, 64);
        for (int row = 0; row < 127; ++row) {
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    grid.set(x, y, random() % 2 == 1);
            // Corners set, so that every box is the whole cell.
            grid.set(0, 0, true);
            grid.set(63, 63, true);
            made.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
        }
        return made;
    }();
    return font;
}

const std::string& largest_gfx_text()
{
    static const std::string text = write_gfx_font(largest_gfx_font(), "largest.h");
    return text;
}

void write_largest_gfx(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(write_gfx_font(largest_gfx_font(), "largest.h"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(largest_gfx_text().size()));
}
BENCHMARK(write_largest_gfx)->Unit(benchmark::kMillisecond);

void read_largest_gfx(benchmark::State& state)
{
    for (auto _ : state) {
        const FontScan scan = scan_gfx_fonts(largest_gfx_text());
        benchmark::DoNotOptimize(read_gfx_font_entry(largest_gfx_text(), scan.entries.front()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(largest_gfx_text().size()));
}
BENCHMARK(read_largest_gfx)->Unit(benchmark::kMillisecond);

// One glyph edited and the font saved back into its text.
void save_largest_gfx_in_place(benchmark::State& state)
{
    const FontScan scan = scan_gfx_fonts(largest_gfx_text());
    Font edited = largest_gfx_font();
    GlyphGrid grid(64, 64);
    decode_glyph(edited.font_table[60].glyph_data, grid);
    grid.toggle(10, 10);
    edited.font_table[60].glyph_data = encode_glyph(grid);
    for (auto _ : state)
        benchmark::DoNotOptimize(gfx_font_in_place(largest_gfx_text(), scan.entries.front(), edited));
}
BENCHMARK(save_largest_gfx_in_place)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <random>

#include "formats/new_font.h"
#include "formats/tft_espi_font.h"
#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

// The largest TFT_eSPI font: 96 glyphs of 248 x 255 random pixels, 255 wide, from code 32.
const Font& largest_tft_font()
{
    static const Font font = [] {
        Font made = make_blank_font({248, 255, 32, 96}).font;
        std::mt19937 random(11);
        GlyphGrid grid(248, 255);
        for (int row = 0; row < 96; ++row) {
            for (int y = 0; y < 255; ++y)
                for (int x = 0; x < 248; ++x)
                    grid.set(x, y, random() % 2 == 1);
            made.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
            made.font_table[static_cast<std::size_t>(row)].advance = 255;
        }
        return made;
    }();
    return font;
}

// Argument 0: Font 2's rows; 1: runs.
const std::string& largest_tft_text(bool run_length)
{
    static const std::string rows = write_tft_espi_font(largest_tft_font(), "largest.c", {false});
    static const std::string runs = write_tft_espi_font(largest_tft_font(), "largest.c", {true});
    return run_length ? runs : rows;
}

void write_largest_tft(benchmark::State& state)
{
    const bool run_length = state.range(0) == 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(write_tft_espi_font(largest_tft_font(), "largest.c", {run_length}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(largest_tft_text(run_length).size()));
}
BENCHMARK(write_largest_tft)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void read_largest_tft(benchmark::State& state)
{
    const std::string& text = largest_tft_text(state.range(0) == 1);
    for (auto _ : state) {
        const FontScan scan = scan_tft_espi_fonts(text);
        benchmark::DoNotOptimize(read_tft_espi_font_entry(text, scan.entries.front()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(read_largest_tft)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One glyph edited and the font saved back into its text.
void save_largest_tft_in_place(benchmark::State& state)
{
    const std::string& text = largest_tft_text(state.range(0) == 1);
    const FontScan scan = scan_tft_espi_fonts(text);
    Font edited = largest_tft_font();
    GlyphGrid grid(248, 255);
    decode_glyph(edited.font_table[60].glyph_data, grid);
    grid.toggle(10, 10);
    edited.font_table[60].glyph_data = encode_glyph(grid);
    for (auto _ : state)
        benchmark::DoNotOptimize(tft_espi_font_in_place(text, scan.entries.front(), edited));
}
BENCHMARK(save_largest_tft_in_place)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "model/glyph_codec.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {
namespace {

// The largest font a header can describe with whole-byte rows: 255 glyphs of 248 x 255 pixels.
constexpr int kWidth = 248;
constexpr int kHeight = 255;
constexpr int kCount = 255;

FontModel largest_font()
{
    std::mt19937 random(11);
    FontModel font;
    font.header = {kWidth, kHeight, 0, kCount};
    font.header_bytes_text = "0xF8,0xFF,0x00,0xFF,";
    int bytes = glyph_byte_count(kWidth, kHeight);
    for (int row = 0; row < kCount; ++row) {
        std::string& text = font.font_table[static_cast<std::size_t>(row)].glyph_data;
        text.reserve(static_cast<std::size_t>(bytes) * 5);
        for (int byte = 0; byte < bytes; ++byte)
            text += "0x" + pad_left(to_hex(static_cast<int>(random() % 256)), 2, '0') + ",";
        font.font_table[static_cast<std::size_t>(row)].comment = " // " + character_label(row);
    }
    return font;
}

const FontModel& font() { static const FontModel model = largest_font(); return model; }
const std::string& c_text() { static const std::string text = write_c_font(font(), "largest.c"); return text; }
const std::string& bas_text() { static const std::string text = write_bas_font(font(), "largest.bas"); return text; }

// The file in the system's temporary folder, written once and removed at exit.
class BenchFile {
public:
    BenchFile(const std::string& name, const std::string& text)
        : m_path((std::filesystem::temp_directory_path() / name).string())
    {
        write_whole_text_file(m_path, text);
    }
    ~BenchFile() { std::remove(m_path.c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

const BenchFile& c_file() { static const BenchFile file("glyphwright-bench-largest.c", c_text()); return file; }
const BenchFile& bas_file() { static const BenchFile file("glyphwright-bench-largest.bas", bas_text()); return file; }

void report_size(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void read_c_largest(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(read_c_font_file(c_file().path()));
    report_size(state, c_text().size());
}
BENCHMARK(read_c_largest)->Unit(benchmark::kMillisecond);

void write_c_largest(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(write_whole_text_file(c_file().path(), write_c_font(font(), "largest.c")));
    report_size(state, c_text().size());
}
BENCHMARK(write_c_largest)->Unit(benchmark::kMillisecond);

void load_c_bytes_only(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(open_text_file(c_file().path()));
    report_size(state, c_text().size());
}
BENCHMARK(load_c_bytes_only)->Unit(benchmark::kMillisecond);

void read_bas_largest(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(read_bas_font_file(bas_file().path()));
    report_size(state, bas_text().size());
}
BENCHMARK(read_bas_largest)->Unit(benchmark::kMillisecond);

void write_bas_largest(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(write_whole_text_file(bas_file().path(), write_bas_font(font(), "largest.bas")));
    report_size(state, bas_text().size());
}
BENCHMARK(write_bas_largest)->Unit(benchmark::kMillisecond);

void load_bas_bytes_only(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(open_text_file(bas_file().path()));
    report_size(state, bas_text().size());
}
BENCHMARK(load_bas_bytes_only)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "bench/largest_font.h"
#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "model/glyph_codec.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {
namespace {

using bench::largest_font;

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

// A hostile file: 16 MiB on one line with no line end, refused by both readers.
void refuse_sixteen_mebibyte_line(benchmark::State& state)
{
    static const BenchFile file("glyphwright-bench-long-line", std::string(16u << 20, 'x'));
    for (auto _ : state) {
        benchmark::DoNotOptimize(read_c_font_file(file.path()));
        benchmark::DoNotOptimize(read_bas_font_file(file.path()));
    }
}
BENCHMARK(refuse_sixteen_mebibyte_line)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

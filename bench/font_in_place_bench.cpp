// Finding the fonts of a large source and saving one of them back in place: a C source of about
// 20 MB that holds two fonts of the largest size (255 glyphs of 248 x 255) between lines of code.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "bench/largest_font.h"
#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "formats/font_in_place.h"
#include "text/text_file.h"

namespace glyphwright {
namespace {

// Two arrays of the largest font with a little code before, between and after them.
const std::string& two_font_source()
{
    static const std::string text = [] {
        std::string first = write_c_font(bench::largest_font(), "two.c");
        std::string body = first.substr(first.find("fontdatatype"));
        std::string second = body;
        second.replace(second.find("SevenSegNumFont"), 15, "SecondLargest");
        return "// two.c\r\n#include <stdint.h>\r\n#define fontdatatype const uint8_t\r\n\r\n" + body
             + "\r\nint unrelated_code = 1;\r\n\r\n" + second + "\r\n// end\r\n";
    }();
    return text;
}

// The largest font as two DefineFont blocks of a program, with lines of code around them.
const std::string& two_block_program()
{
    static const std::string text = [] {
        std::string block = write_bas_font(bench::largest_font(), "two.bas");
        return "' two.bas\r\nPrint \"fonts\"\r\n" + block + "x = 1\r\n" + block + "End\r\n";
    }();
    return text;
}

class SourceFile {
public:
    SourceFile() : m_path((std::filesystem::temp_directory_path() / "glyphwright-bench-two-fonts.c").string()) {}
    ~SourceFile() { std::remove(m_path.c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

void scan_two_largest_fonts(benchmark::State& state)
{
    const std::string& text = two_font_source();
    for (auto _ : state) {
        FontScan scan = scan_c_fonts(text);
        benchmark::DoNotOptimize(scan);
        if (scan.entries.size() != 2)
            state.SkipWithError("the source does not hold two fonts");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(scan_two_largest_fonts)->Unit(benchmark::kMillisecond);

// The list Open shows for a program: each block's words are walked to find where it ends, but
// no glyph is built.
void scan_two_largest_blocks(benchmark::State& state)
{
    const std::string& text = two_block_program();
    for (auto _ : state) {
        FontScan scan = scan_bas_fonts(text);
        benchmark::DoNotOptimize(scan);
        if (scan.entries.size() != 2)
            state.SkipWithError("the program does not hold two fonts");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(scan_two_largest_blocks)->Unit(benchmark::kMillisecond);

// The whole save: the file read and scanned again, the stamp compared, the new text built and the
// file replaced atomically (temporary file, fsync, rename).
void save_second_largest_font_in_place(benchmark::State& state)
{
    SourceFile file;
    write_whole_text_file(file.path(), two_font_source());
    FontScan scan = scan_c_fonts(two_font_source());
    FontReadResult read = read_c_font_entry(two_font_source(), scan.entries.at(1));
    const Font& font = read.font;
    for (auto _ : state) {
        InPlaceResult saved = save_font_in_place(font, {file.path(), FontFormat::C, 1, "SecondLargest", file_stamp(file.path())});
        if (!saved.ok)
            state.SkipWithError(saved.error.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(two_font_source().size()));
}
BENCHMARK(save_second_largest_font_in_place)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

// The importer measured as whole glyphwright-convert processes: start, read the font, render,
// write the C file with fsync, exit.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace glyphwright {
namespace {

namespace fs = std::filesystem;

void import_font_file(benchmark::State& state, const std::string& font, const std::string& options)
{
    if (!fs::exists(font)) {
        state.SkipWithError("the font is not installed (scripts/setup.sh installs it)");
        return;
    }
    const fs::path folder = fs::temp_directory_path() / "glyphwright-import-bench";
    fs::create_directories(folder);
    const std::string command = std::string("'") + GLYPHWRIGHT_CONVERT_BINARY + "' --import '" + font + "' " + options
                              + " '" + (folder / "imported.c").string() + "' >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the import failed");
    }
    fs::remove_all(folder);
}

const std::string kMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// 95 characters at 16 pixels: the everyday case.
BENCHMARK_CAPTURE(import_font_file, mono_16px_95, kMono, "--size 16")->Unit(benchmark::kMillisecond)->UseRealTime();
// 255 characters at 200 pixels (a 200 x 236 cell), the largest import there is.
BENCHMARK_CAPTURE(import_font_file, mono_200px_255, kMono, "--size 200 --first 1 --count 255")
    ->Unit(benchmark::kMillisecond)->UseRealTime();
// The same, rendered in grey levels with a threshold.
BENCHMARK_CAPTURE(import_font_file, mono_200px_255_grey, kMono, "--size 200 --first 1 --count 255 --threshold 127")
    ->Unit(benchmark::kMillisecond)->UseRealTime();
// A gzip-compressed PCF bitmap font.
BENCHMARK_CAPTURE(import_font_file, pcf_9x15, std::string("/usr/share/fonts/X11/misc/9x15.pcf.gz"), "")
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright

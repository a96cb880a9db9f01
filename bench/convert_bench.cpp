#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "bench/largest_font.h"
#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "model/glyph_codec.h"
#include "text/text_file.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;

// A folder with the largest font (255 glyphs of 248 x 255) as C and as BAS.
struct Workspace {
    Workspace()
    {
        folder = fs::temp_directory_path() / "glyphwright-convert-bench";
        fs::create_directories(folder / "out");
        FontModel font = bench::largest_font();
        write_whole_text_file(path("largest.c"), write_c_font(font, "largest.c"));
        write_whole_text_file(path("largest.bas"), write_bas_font(font, "largest.bas"));
    }
    ~Workspace() { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

int run_converter(const std::string& arguments)
{
    std::string command = std::string("'") + GLYPHWRIGHT_CONVERT_BINARY + "' " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

void convert_largest_font(benchmark::State& state, const std::string& from, const std::string& to)
{
    Workspace workspace;
    std::string arguments = "'";
    arguments += workspace.path(from);
    arguments += "' '";
    arguments += workspace.path("out/" + to);
    arguments += "'";
    for (auto _ : state) {
        if (run_converter(arguments) != 0)
            state.SkipWithError("the conversion failed");
    }
}
BENCHMARK_CAPTURE(convert_largest_font, c_to_bas, std::string("largest.c"), std::string("largest.bas"))
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(convert_largest_font, bas_to_c, std::string("largest.bas"), std::string("largest.c"))
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// Every file of the shared corpus in one call; the files that hold no font are refused on the way.
void convert_whole_corpus(benchmark::State& state)
{
    if (!fs::exists(GLYPHWRIGHT_CORPUS_DIR)) {
        state.SkipWithError("the corpus folder is absent");
        return;
    }
    Workspace workspace;
    std::string arguments = "--to bas --out-dir '" + workspace.path("out") + "'";
    for (const auto& entry : fs::recursive_directory_iterator(GLYPHWRIGHT_CORPUS_DIR))
        if (entry.is_regular_file() && entry.path().filename() != "SOURCES.md")
            arguments += " '" + entry.path().string() + "'";
    for (auto _ : state)
        run_converter(arguments);
}
BENCHMARK(convert_whole_corpus)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright

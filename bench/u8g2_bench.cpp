// GNU Unifont as a u8g2 font, whole glyphwright-convert processes: its 57,086 characters below
// U+10000 written as u8g2 from a BDF, read back to BDF, and saved in place into the u8g2 file
// from a BDF with one glyph changed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>

namespace glyphwright {
namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::temp_directory_path() / "glyphwright-u8g2-bench";

// Text is built by appending: GCC 12 takes a literal before a temporary string for overlapping copies.
int run(const std::string& arguments)
{
    std::string command = "'";
    command.append(GLYPHWRIGHT_CONVERT_BINARY).append("' ").append(arguments).append(" >/dev/null 2>&1");
    return std::system(command.c_str());
}

std::string joined(std::initializer_list<std::string> pieces)
{
    std::string text;
    for (const std::string& piece : pieces)
        text.append(piece);
    return text;
}

std::string path(const char* name)
{
    std::string quoted = "'";
    quoted.append((kFolder / name).string()).append("'");
    return quoted;
}

// The BDF of Unifont, its u8g2 font, and a BDF of it with a pixel of 'A' changed; false when
// Unifont is not installed.
bool prepared()
{
    static const bool ready = [] {
        const std::string unifont = "/usr/share/fonts/X11/misc/unifont.pcf.gz";
        if (!fs::exists(unifont))
            return false;
        fs::create_directories(kFolder);
        if (run(joined({"--import ", unifont, " --range U+0000-U+FFFF --to bdf ", path("unifont.bdf")})) != 0
            || run(joined({path("unifont.bdf"), " --to u8g2 ", path("unifont.c")})) != 0)
            return false;
        std::ifstream in(kFolder / "unifont.bdf");
        std::stringstream text;
        text << in.rdbuf();
        std::string bdf = text.str();
        const std::size_t bitmap = bdf.find("BITMAP", bdf.find("ENCODING 65\n"));
        bdf[bdf.find('\n', bitmap) + 1] = bdf[bdf.find('\n', bitmap) + 1] == 'F' ? '0' : 'F';
        std::ofstream(kFolder / "edited.bdf") << bdf;
        return true;
    }();
    return ready;
}

void unifont_u8g2(benchmark::State& state, const std::string& arguments)
{
    if (!prepared()) {
        state.SkipWithError("GNU Unifont is not installed (scripts/setup.sh installs xfonts-unifont)");
        return;
    }
    for (auto _ : state) {
        if (run(arguments) != 0)
            state.SkipWithError("the conversion failed");
    }
}
BENCHMARK_CAPTURE(unifont_u8g2, write, joined({path("unifont.bdf"), " --to u8g2 ", path("written.c")}))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(unifont_u8g2, read, joined({path("unifont.c"), " ", path("read.bdf")}))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(unifont_u8g2, save_in_place, joined({"--in-place ", path("edited.bdf"), " --font 1 ", path("unifont.c")}))
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright

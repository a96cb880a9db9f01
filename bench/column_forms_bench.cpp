// The forms of monochrome OLEDs and MicroPython displays at their largest: a glcd array of 256
// glyphs of 8 columns, a ThingPulse font of 224 glyphs of the most bytes a glyph holds, a font
// module of the most glyph data its sparse index reaches; each read, written and saved in place
// with one glyph edited. And GNU Unifont through the converter as a font module, as a process.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "formats/file_forms.h"
#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;

// Glyphs of random pixels, one a code from the header's first, `ascent` rows above the baseline.
Font random_font(const FontHeader& header, int ascent, int advance, unsigned seed)
{
    Font font;
    font.header = header;
    font.ascent = ascent;
    font.descent = header.glyph_height - ascent;
    font.font_table.resize(static_cast<std::size_t>(header.char_count));
    std::mt19937 random(seed);
    GlyphGrid grid(header.glyph_width, header.glyph_height);
    for (int row = 0; row < header.char_count; ++row) {
        for (int y = 0; y < header.glyph_height; ++y)
            for (int x = 0; x < header.glyph_width; ++x)
                grid.set(x, y, random() % 2 == 1);
        font.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
        font.font_table[static_cast<std::size_t>(row)].advance = advance;
        font.font_table[static_cast<std::size_t>(row)].code_point = static_cast<char32_t>(header.first_char + row);
    }
    return font;
}

struct Largest {
    FontFormat format;
    Font font;
    std::string text;
};

// 0: glcd, 8 x 8 from code 0; 1: ThingPulse, 31 x 64 (248 bytes a glyph) from 32; 2: a font
// module of 13,000 glyphs of 16 x 16 from U+0100, 40 bytes a record with its alignment.
const Largest& largest(int which)
{
    static Largest all[] = {
        {FontFormat::Glcd, random_font({8, 8, 0, 256}, 7, 8, 3), {}},
        {FontFormat::ThingPulse, random_font({31, 64, 32, 224}, 50, 31, 5), {}},
        {FontFormat::FontToPy, random_font({16, 16, 0x100, 13000}, 14, 16, 7), {}},
    };
    static const bool written = [] {
        for (Largest& one : all) {
            one.text = form_of(one.format).write(one.font, "largest", {});
            if (one.text.empty())
                std::abort();  // the form refuses the font the benchmark means to measure
        }
        return true;
    }();
    (void)written;
    return all[which];
}

void write_largest(benchmark::State& state)
{
    const Largest& one = largest(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(form_of(one.format).write(one.font, "largest", {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(one.text.size()));
}
BENCHMARK(write_largest)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void read_largest(benchmark::State& state)
{
    const Largest& one = largest(static_cast<int>(state.range(0)));
    const FileForm& form = form_of(one.format);
    for (auto _ : state) {
        const FontScan scan = form.scan(one.text);
        benchmark::DoNotOptimize(form.read(one.text, scan.entries.front()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(one.text.size()));
}
BENCHMARK(read_largest)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void save_largest_in_place(benchmark::State& state)
{
    const Largest& one = largest(static_cast<int>(state.range(0)));
    const FileForm& form = form_of(one.format);
    const FontScan scan = form.scan(one.text);
    Font edited = form.read(one.text, scan.entries.front()).font;
    Glyph& glyph = edited.font_table[100];
    GlyphGrid grid(edited.header.glyph_width, edited.header.glyph_height);
    decode_glyph(glyph.glyph_data, grid);
    grid.toggle(edited.origin_x + 1, 1);
    glyph.glyph_data = encode_glyph(grid);
    for (auto _ : state)
        benchmark::DoNotOptimize(form.write_in_place(one.text, scan.entries.front(), edited));
}
BENCHMARK(save_largest_in_place)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// GNU Unifont's 57,086 glyphs as a module, a process from start to exit: refused, as its glyph
// data pass what a sparse index reaches; and the part that fits (U+0000 to U+3BFF), written and
// read back as BDF.
void unifont_module(benchmark::State& state, const std::string& range, bool back)
{
    const std::string unifont = "/usr/share/fonts/X11/misc/unifont.pcf.gz";
    if (!fs::exists(unifont)) {
        state.SkipWithError("GNU Unifont is not installed (scripts/setup.sh installs xfonts-unifont)");
        return;
    }
    const fs::path folder = fs::temp_directory_path() / "glyphwright-module-bench";
    fs::create_directories(folder);
    // Built by appending: GCC 12 takes a literal before a temporary string for overlapping copies.
    std::string binary = "'";
    binary.append(GLYPHWRIGHT_CONVERT_BINARY).append("' ");
    std::string module = "'";
    module.append((folder / "unifont.py").string()).append("'");
    std::string write = binary;
    write.append("--import ").append(unifont).append(" --range ").append(range).append(" ").append(module).append(" >/dev/null 2>&1");
    std::string read = binary;
    read.append(module).append(" '").append((folder / "unifont.bdf").string()).append("' >/dev/null 2>&1");
    for (auto _ : state) {
        const int written = std::system(write.c_str());
        if (back && (written != 0 || std::system(read.c_str()) != 0))
            state.SkipWithError("the module was not written and read");
    }
    fs::remove_all(folder);
}
BENCHMARK_CAPTURE(unifont_module, whole_refused, std::string("U+0000-U+FFFF"), false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(unifont_module, to_U3BFF_and_back, std::string("U+0000-U+3BFF"), true)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright

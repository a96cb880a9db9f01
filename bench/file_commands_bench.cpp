#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <random>

#include "app/shell.h"
#include "bench/largest_font.h"
#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "editor/file_commands.h"
#include "model/glyph_codec.h"
#include "platform/qt/qt_gui_services.h"
#include "text/text_file.h"

namespace glyphwright {
namespace {

using bench::largest_font;

// The editor window over Qt's offscreen platform, as the program builds it, and the largest font
// written once in both forms.
struct Editor {
    Editor()
    {
        folder = std::filesystem::temp_directory_path() / "glyphwright-bench";
        std::filesystem::create_directories(folder);
        FontModel font = largest_font();
        write_whole_text_file(path("largest.c"), write_c_font(font, "largest.c"));
        write_whole_text_file(path("largest.bas"), write_bas_font(font, "largest.bas"));
        set_start_values(shell.model);
        build_main_window(shell, gui);
    }
    ~Editor() { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
    qt::QtGuiServices gui;
    ShellState shell;
};

void open_largest_font(benchmark::State& state, const std::string& name)
{
    Editor editor;
    for (auto _ : state) {
        open_font_path(editor.shell.model, editor.gui, editor.path(name));
        QCoreApplication::processEvents();
    }
    if (editor.shell.model.header.char_count != 255)
        state.SkipWithError("the font did not open");
}
BENCHMARK_CAPTURE(open_largest_font, c, std::string("largest.c"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(open_largest_font, bas, std::string("largest.bas"))->Unit(benchmark::kMillisecond);

void save_largest_font(benchmark::State& state, FontFormat format)
{
    Editor editor;
    open_font_path(editor.shell.model, editor.gui, editor.path("largest.c"));
    std::string target = editor.path(format == FontFormat::C ? "saved.c" : "saved.bas");
    for (auto _ : state)
        save_font_path(editor.shell.model, editor.gui, target, format);
}
BENCHMARK_CAPTURE(save_largest_font, c, FontFormat::C)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save_largest_font, bas, FontFormat::Bas)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>

#include "app/shell.h"
#include "editor/controls.h"
#include "editor/editing_commands.h"
#include "editor/file_commands.h"
#include "editor/overview.h"
#include "formats/bdf_font.h"
#include "import/font_import.h"
#include "platform/qt/qt_gui_services.h"
#include "text/text_file.h"

namespace glyphwright {
namespace {

const char* const kUnifont = "/usr/share/fonts/X11/misc/unifont.pcf.gz";

// The editor window over Qt's offscreen platform and the whole of GNU Unifont's Basic Multilingual
// Plane (about 57,000 glyphs of 8 and 16 x 16), imported once and written as BDF.
struct UnifontEditor {
    UnifontEditor()
    {
        ImportOptions options;
        options.ranges = {{0, 0xFFFF}};
        FontReadResult unifont = import_font(kUnifont, options);
        ok = unifont.ok;
        if (ok)
            write_whole_text_file(path(), write_bdf_font(unifont.font, path()));
        set_start_values(shell.model);
        build_main_window(shell, gui);
    }
    ~UnifontEditor() { std::filesystem::remove(path()); }

    static std::string path() { return (std::filesystem::temp_directory_path() / "glyphwright-unifont.bdf").string(); }

    bool open()
    {
        bool opened = open_font_path(shell.model, gui, path());
        QCoreApplication::processEvents();
        return opened;
    }

    bool ok = false;
    qt::QtGuiServices gui;
    ShellState shell;
};

// Open: the BDF file read and every glyph made, the list of 57,000 characters filled, the window
// fitted and the first glyph drawn.
void open_unifont(benchmark::State& state)
{
    UnifontEditor editor;
    if (!editor.ok)
        return state.SkipWithError("GNU Unifont (xfonts-unifont) is not installed");
    for (auto _ : state) {
        if (!editor.open())
            return state.SkipWithError("the font did not open");
    }
    state.counters["glyphs"] = glyph_count(editor.shell.model);
}
BENCHMARK(open_unifont)->Unit(benchmark::kMillisecond)->Iterations(3);

// Choosing another character far down the list: the glyph stored, the other loaded and drawn.
void choose_unifont_character(benchmark::State& state)
{
    UnifontEditor editor;
    if (!editor.ok || !editor.open())
        return state.SkipWithError("GNU Unifont (xfonts-unifont) is not installed");
    const int last = glyph_count(editor.shell.model) - 1;
    int row = 0;
    for (auto _ : state) {
        row = row == last ? 1 : last;
        editor.gui.list_select(controls::kCharacterList, row);
        select_character(editor.shell.model, editor.gui);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(choose_unifont_character)->Unit(benchmark::kMillisecond);

// The overview opened on it: the window made and the glyphs in view of the map drawn.
void open_overview_of_unifont(benchmark::State& state)
{
    UnifontEditor editor;
    if (!editor.ok || !editor.open())
        return state.SkipWithError("GNU Unifont (xfonts-unifont) is not installed");
    Overview overview;
    for (auto _ : state) {
        open_overview(overview, editor.shell.model, editor.gui);
        QCoreApplication::processEvents();
        state.PauseTiming();
        close_overview(overview, editor.gui);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(open_overview_of_unifont)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

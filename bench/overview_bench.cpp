#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "app/dispatch.h"
#include "app/shell.h"
#include "bench/editor_over_qt.h"
#include "bench/largest_font.h"
#include "editor/overview.h"
#include "model/glyph_codec.h"

namespace glyphwright {
namespace {

struct EditorWithFont : bench::EditorOverQt {
    using EditorOverQt::EditorOverQt;
    Overview overview;
};

// 95 glyphs of 8 x 12, the size of a small display font.
FontModel small_font()
{
    FontModel font;
    font.header = {8, 12, 32, 95};
    set_fixed_metrics(font);
    for (int row = 0; row < 95; ++row)
        for (int byte = 0; byte < 12; ++byte)
            append_byte_field(font.font_table[static_cast<std::size_t>(row)].glyph_data, (row * 37 + byte * 11) & 0xFF);
    return font;
}

// The window made, its map and sample drawn and shown, for 255 glyphs of 248 x 255.
void open_overview_of_largest_font(benchmark::State& state)
{
    EditorWithFont editor(bench::largest_font());
    for (auto _ : state) {
        open_overview(editor.overview, editor.model, editor.gui);
        QCoreApplication::processEvents();
        state.PauseTiming();
        close_overview(editor.overview, editor.gui);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(open_overview_of_largest_font)->Unit(benchmark::kMillisecond);

// A real click on the canvas goes the whole way through the shell: the stroke of one cell, its
// step in the history, and the overview following, drawing that one glyph in the map and in the
// sample; then both windows repaint.
void click_followed_by_overview_of_largest_font(benchmark::State& state)
{
    EditorWithFont editor(bench::largest_font());
    ShellState shell;
    shell.model = editor.model;
    shell.overview.sample_text = std::string(1, '\0') + "ABC" + std::string(1, '\0');
    open_overview(shell.overview, shell.model, editor.gui);
    QCoreApplication::processEvents();
    QWidget* canvas = editor.gui.control_widget(controls::kGridCanvas);
    for (auto _ : state) {
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(603, 915));
        dispatch_event(editor.gui.wait_event(), shell, editor.gui);  // the press
        dispatch_event(editor.gui.wait_event(), shell, editor.gui);  // the release
        QCoreApplication::processEvents();
    }
}
BENCHMARK(click_followed_by_overview_of_largest_font)->Unit(benchmark::kMicrosecond);

// An edit of the sample field to 80 characters: the whole sample laid out and drawn again.
void sample_text_of_80_characters(benchmark::State& state, FontModel font)
{
    EditorWithFont editor(std::move(font));
    open_overview(editor.overview, editor.model, editor.gui);
    auto* field = qobject_cast<QLineEdit*>(editor.gui.control_widget(controls::kSampleField));
    const QString texts[] = {QString(80, QLatin1Char('x')).replace(0, 30, "The quick brown fox 0123456789"),
                             QString(80, QLatin1Char('y')).replace(0, 30, "THE QUICK BROWN FOX 9876543210")};
    const UiEvent edited{EventKind::ControlEvent, controls::kSampleField, EventSubtype::TextChange, 0};
    int next = 0;
    for (auto _ : state) {
        field->setText(texts[next]);
        overview_event(editor.overview, editor.model, editor.gui, edited);
        QCoreApplication::processEvents();
        next = 1 - next;
    }
}
BENCHMARK_CAPTURE(sample_text_of_80_characters, small_font, small_font())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sample_text_of_80_characters, largest_font, bench::largest_font())->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphwright

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "bench/editor_over_qt.h"
#include "bench/largest_font.h"
#include "editor/edit_session.h"
#include "editor/editing_commands.h"

namespace glyphwright {
namespace {

// The largest glyphs (248 x 255 at zoom 6) on the canvas, with an edit session of their own.
struct LargestGlyphEditor : bench::EditorOverQt {
    LargestGlyphEditor()
        : EditorOverQt(bench::largest_font())
    {
    }

    // A real mouse event on the canvas, taken from the queue and handled as the dispatch does.
    GlyphChange mouse(QEvent::Type type, int cell_x, int cell_y)
    {
        QWidget* canvas = gui.control_widget(controls::kGridCanvas);
        QPoint position(cell_x * model.zoom + 3, cell_y * model.zoom + 3);
        Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, position, canvas->mapToGlobal(position), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
        UiEvent taken = gui.wait_event();
        GlyphChange change;
        if (taken.subtype == EventSubtype::LeftPress)
            change = begin_stroke(model, gui, session, taken.mouse);
        else if (taken.subtype == EventSubtype::PointerMove)
            change = continue_stroke(model, gui, session, taken.mouse);
        else if (taken.subtype == EventSubtype::LeftClick)
            change = end_stroke(model, gui, session, taken.mouse);
        QCoreApplication::processEvents();
        return change;
    }

    EditSession session;
};

// One pointer move of a stroke, taken through the event queue and shown. The stroke sets pixels of
// a clear glyph, and successive moves walk it row by row, turning back at each end, so that every
// move crosses one new cell: fewer moves than the glyph has cells.
void stroke_move_on_largest_glyph(benchmark::State& state)
{
    LargestGlyphEditor editor;
    int width = editor.model.header.glyph_width;
    int height = editor.model.header.glyph_height;
    editor.model.glyph_grid = GlyphGrid(width, height);
    draw_glyph(editor.model, editor.gui);
    editor.mouse(QEvent::MouseButtonPress, 0, 0);
    long cells_changed = 0;
    long moves = 0;
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % (width * height);
        int y = step / width;
        int x = y % 2 == 0 ? step % width : width - 1 - step % width;
        // The cells behind already hold the stroke's value: only the new one can change.
        int before = editor.model.glyph_grid.at(x, y);
        editor.mouse(QEvent::MouseMove, x, y);
        cells_changed += before != editor.model.glyph_grid.at(x, y);
        ++moves;
    }
    editor.mouse(QEvent::MouseButtonRelease, 0, 0);
    state.counters["cells_changed_per_move"] = static_cast<double>(cells_changed) / static_cast<double>(moves);
}
BENCHMARK(stroke_move_on_largest_glyph)->Iterations(60000)->Unit(benchmark::kMillisecond);

// Undo and Redo in turn, each with its redraw. Argument 0: a stroke along one row; 1: Invert, which
// changes every cell; 2: two steps on two characters, so that every other Undo and Redo first
// selects the other character.
void undo_redo_on_largest_glyph(benchmark::State& state)
{
    LargestGlyphEditor editor;
    FontModel& model = editor.model;
    if (state.range(0) == 1) {
        run_operation(model, editor.gui, editor.session, GlyphOperation::Invert);
    } else {
        editor.mouse(QEvent::MouseButtonPress, 0, 10);
        editor.mouse(QEvent::MouseMove, 247, 10);
        editor.mouse(QEvent::MouseButtonRelease, 247, 10);
    }
    int steps = 1;
    if (state.range(0) == 2) {
        editor.gui.list_select(controls::kCharacterList, 1);
        select_character(model, editor.gui);
        run_operation(model, editor.gui, editor.session, GlyphOperation::Invert);
        steps = 2;
    }
    int done = steps;
    bool undoing = true;
    for (auto _ : state) {
        if (undoing)
            undo_edit(model, editor.gui, editor.session);
        else
            redo_edit(model, editor.gui, editor.session);
        QCoreApplication::processEvents();
        done += undoing ? -1 : 1;
        if (done == 0 || done == steps)
            undoing = !undoing;
    }
}
BENCHMARK(undo_redo_on_largest_glyph)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Each glyph operation as one step, drawn and shown, always on the same random glyph.
void operation_on_largest_glyph(benchmark::State& state)
{
    LargestGlyphEditor editor;
    auto operation = static_cast<GlyphOperation>(state.range(0));
    const std::string glyph = editor.model.font_table[0].glyph_data;
    for (auto _ : state) {
        run_operation(editor.model, editor.gui, editor.session, operation);
        QCoreApplication::processEvents();
        state.PauseTiming();
        editor.model.font_table[0].glyph_data = glyph;
        choose_glyph(editor.model, 0);
        draw_glyph(editor.model, editor.gui);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(operation_on_largest_glyph)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// The history's memory after 1000 strokes on the largest glyph, against its 64 MiB bound.
void history_after_1000_strokes(benchmark::State& state)
{
    LargestGlyphEditor editor;
    for (auto _ : state) {
        for (int stroke = 0; stroke < 1000; ++stroke) {
            int y = stroke % 255;
            editor.mouse(QEvent::MouseButtonPress, 0, y);
            editor.mouse(QEvent::MouseMove, 30, y);
            editor.mouse(QEvent::MouseButtonRelease, 30, y);
        }
    }
    const EditHistory& history = editor.session.history;
    state.counters["steps"] = static_cast<double>(history.step_count());
    state.counters["history_MiB"] = static_cast<double>(history.memory_usage()) / (1 << 20);
    state.counters["bound_MiB"] = static_cast<double>(EditHistory::kDefaultMemoryLimit) / (1 << 20);
}
BENCHMARK(history_after_1000_strokes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright

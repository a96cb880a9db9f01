#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <random>

#include "bench/editor_over_qt.h"
#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/edit_session.h"
#include "editor/editing_commands.h"
#include "model/glyph_codec.h"
#include "platform/qt/qt_gui_services.h"

namespace glyphwright {
namespace {

// The largest glyph a font header can describe with a width that is a multiple of 8.
constexpr int kWidth = 248;
constexpr int kHeight = 255;

std::string random_glyph_text(unsigned seed)
{
    std::mt19937 random(seed);
    GlyphGrid grid(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            grid.set(x, y, random() & 1);
    return encode_glyph(grid);
}

// The editor over the Qt services with a two-character font of the largest glyphs on screen.
FontModel two_largest_glyphs()
{
    FontModel font;
    font.header = {kWidth, kHeight, 32, 2};
    set_fixed_metrics(font);
    font.font_table[0].glyph_data = random_glyph_text(1);
    font.font_table[1].glyph_data = random_glyph_text(2);
    return font;
}

struct LargestFontEditor : bench::EditorOverQt {
    LargestFontEditor()
        : EditorOverQt(two_largest_glyphs())
    {
    }
};

// Store the glyph being edited, load the other one, draw every cell, and show the canvas.
void select_character_of_largest_font(benchmark::State& state)
{
    LargestFontEditor editor;
    int next = 1;
    for (auto _ : state) {
        editor.gui.list_select(controls::kCharacterList, next);
        select_character(editor.model, editor.gui);
        QCoreApplication::processEvents();
        next = 1 - next;
    }
}
BENCHMARK(select_character_of_largest_font)->Unit(benchmark::kMillisecond);

// A real left click on the canvas: its press and its release taken from the event queue, the
// cell toggled, the step recorded and the cell shown.
void click_on_largest_font(benchmark::State& state)
{
    LargestFontEditor editor;
    EditSession session;
    QWidget* canvas = editor.gui.control_widget(controls::kGridCanvas);
    for (auto _ : state) {
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(603, 915));
        begin_stroke(editor.model, editor.gui, session, editor.gui.wait_event().mouse);
        end_stroke(editor.model, editor.gui, session, editor.gui.wait_event().mouse);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(click_on_largest_font)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphwright

#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <memory>

#include "editor/controls.h"
#include "editor/overview.h"
#include "model/glyph_codec.h"
#include "platform/qt/qt_gui_services.h"

namespace glyphwright {

using qt::QtGuiServices;

// The Overview window over the Qt services: what it shows is the font's bits, and its scrolling
// canvases and text field report what the user does.
class OverviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        gui = std::make_unique<QtGuiServices>();
        QVERIFY(gui->open_main_window(340, 570, "Glyphwright"));
        gui->create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui->create_list(controls::kCharacterList, 210, 10, 100, 25);
    }

    void cleanup()
    {
        overview = Overview{};
        gui.reset();
    }

    void map_pixels_of_a_glyph_are_the_font_bits()
    {
        // 16 x 8 glyphs: byte pairs per row, so a mistake in the bit order or the rows shows.
        open_font(16, 8, 40);
        QImage shown = gui->control_widget(controls::kGlyphMap)->grab().toImage();
        const int index = 37;
        GlyphGrid grid(16, 8);
        decode_glyph(model.font_table[index].glyph_data, grid);
        Box box = map_glyph_box(overview.map, index);
        int scale = overview.map.scale;
        QCOMPARE(scale, 4);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) {
                QRgb expected = grid.at(x, y) == 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                for (int corner : {0, scale - 1})
                    QCOMPARE(shown.pixel(box.x + x * scale + corner, box.y + y * scale + corner), expected);
            }
    }

    void long_map_scrolls_and_reports_it()
    {
        open_font(96, 96, 100);
        QWidget* view = gui->control_widget(controls::kGlyphMap);
        QCOMPARE(view->size(), QSize(overview.window.map_view.width, overview.window.map_view.height));
        auto bars = view->parentWidget()->findChildren<QScrollBar*>();
        QScrollBar* down = nullptr;
        for (QScrollBar* bar : bars)
            if (bar->orientation() == Qt::Vertical)
                down = bar;
        QVERIFY(down && down->isVisible());
        QCOMPARE(down->maximum(), overview.map.content_height - overview.window.map_view.height);
        down->setValue(300);
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, controls::kGlyphMap, EventSubtype::Scrolled, 0}));
        QCOMPARE(gui->scroll_position(controls::kGlyphMap), (ScreenPoint{0, 300}));
    }

    void typing_into_the_sample_field_reports_each_edit_once_queued()
    {
        open_font(8, 8, 95);
        auto* field = qobject_cast<QLineEdit*>(gui->control_widget(controls::kSampleField));
        QVERIFY(field);
        QCOMPARE(field->text(), QStringLiteral("The quick brown fox 0123456789"));
        field->setFocus();
        QTest::keyClicks(field, "Hi");
        const UiEvent edit{EventKind::ControlEvent, controls::kSampleField, EventSubtype::TextChange, 0};
        QCOMPARE(gui->wait_event(), edit);
        QCOMPARE(gui->text_field_text(controls::kSampleField), std::string("The quick brown fox 0123456789Hi"));
        // Characters past code 255 reach the sample of a font that has them.
        field->setText(QString::fromUtf8("\xD0\x96\xC3\xA9"));
        QCOMPARE(gui->text_field_text(controls::kSampleField), std::string("\xD0\x96\xC3\xA9"));
    }

    void close_box_reports_the_window_and_it_reopens_in_its_place()
    {
        open_font(8, 8, 95);
        QWidget* window = gui->window_widget(controls::kOverviewWindow);
        QVERIFY(window && window->isVisible());
        window->move(200, 150);
        QPoint place = window->pos();
        window->close();
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::WindowClose, controls::kOverviewWindow, EventSubtype::None, 0}));
        overview_event(overview, model, *gui, {EventKind::WindowClose, controls::kOverviewWindow, EventSubtype::None, 0});
        QVERIFY(!gui->window_widget(controls::kOverviewWindow));
        QVERIFY(!gui->control_widget(controls::kGlyphMap));
        open_overview(overview, model, *gui);
        QCOMPARE(gui->window_widget(controls::kOverviewWindow)->pos(), place);
    }

    void first_opens_on_the_screen_where_it_hides_nothing_of_the_main_window()
    {
        QWidget* main = gui->window_widget();
        QRect screen = main->screen()->availableGeometry();
        const int main_width = main->frameGeometry().width();
        const int overview_width = 424;  // the window of 8 x 8 x 10 with its frame
        // At the left edge it goes right, at the right edge left, and in the middle of a screen too
        // narrow for either, below.
        int middle = screen.left() + (screen.width() - main_width) / 2;
        QVERIFY(middle - overview_width < screen.left() && middle + main_width + overview_width > screen.right());
        for (int main_x : {screen.left(), screen.right() - main_width, middle}) {
            cleanup();
            init();
            main = gui->window_widget();
            main->move(main_x, screen.top());
            open_font(8, 8, 10);
            QRect shown = gui->window_widget(controls::kOverviewWindow)->frameGeometry();
            QVERIFY2(screen.contains(shown), qPrintable(QString("main at x %1").arg(main_x)));
            QVERIFY2(!shown.intersects(main->frameGeometry()), qPrintable(QString("main at x %1").arg(main_x)));
        }
    }

private:
    void open_font(int width, int height, int count)
    {
        model.header = {width, height, 32, count};
        reset_glyph_grid(model);
        for (int row = 0; row < count; ++row) {
            GlyphGrid grid(width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    grid.set(x, y, ((x * 7 + y * 3 + row) % 5) < 2);
            model.font_table[static_cast<std::size_t>(row)].glyph_data = encode_glyph(grid);
        }
        choose_glyph(model, 0);
        open_overview(overview, model, *gui);
        QVERIFY(overview.is_open);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QtGuiServices> gui;
    FontModel model;
    Overview overview;
};

}  // namespace glyphwright

QTEST_MAIN(glyphwright::OverviewWindowTest)
#include "overview_window_test.moc"

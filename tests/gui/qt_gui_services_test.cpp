#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

#include "platform/qt/qt_gui_services.h"
#include "tests/gui/gui_test_support.h"

namespace glyphwright {

using qt::QtGuiServices;
using testing::active_modal;
using testing::when_shown;

namespace {

constexpr int kCanvas = 1;
constexpr int kButton = 7;
constexpr int kList = 10;

const UiEvent kButtonPress{EventKind::ControlEvent, kButton, EventSubtype::ButtonPress, 0};

}  // namespace

// The Qt services on their own: a window with a canvas, a button and a list.
class QtGuiServicesTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        gui = std::make_unique<QtGuiServices>();
        QVERIFY(gui->open_main_window(340, 570, "Services"));
        gui->create_canvas(kCanvas, 10, 60, 320, 500);
        gui->create_button(kButton, 60, 10, 50, 25, "Copy");
        gui->create_list(kList, 210, 10, 100, 25);
    }

    void cleanup() { gui.reset(); }

    void second_window_is_refused() { QVERIFY(!gui->open_main_window(100, 100, "Again")); }

    void left_click_inside_the_canvas_gives_a_press_and_a_click_with_their_positions()
    {
        QTest::mouseClick(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(35, 499));
        press_button();
        expect_canvas_event(EventSubtype::LeftPress, 35, 499);
        expect_canvas_event(EventSubtype::LeftClick, 35, 499);
        QCOMPARE(gui->wait_event(), kButtonPress);
    }

    void drag_reports_every_move_and_a_release_outside()
    {
        QTest::mousePress(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        send_move(QPoint(40, 7), Qt::LeftButton);
        send_move(QPoint(-3, 600), Qt::LeftButton);  // the canvas keeps its moves outside it
        QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(320, 5));
        QTest::mousePress(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, -1));
        press_button();
        expect_canvas_event(EventSubtype::LeftPress, 5, 5);
        expect_canvas_event(EventSubtype::PointerMove, 40, 7);
        expect_canvas_event(EventSubtype::PointerMove, -3, 600);
        expect_canvas_event(EventSubtype::ReleaseOutside, 320, 5);
        expect_canvas_event(EventSubtype::LeftPress, 5, 5);
        expect_canvas_event(EventSubtype::ReleaseOutside, 5, -1);
        QCOMPARE(gui->wait_event(), kButtonPress);
    }

    void other_buttons_and_moves_without_a_press_give_nothing()
    {
        QTest::mouseClick(canvas(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseClick(canvas(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
        send_move(QPoint(40, 7), Qt::RightButton);
        press_button();
        QCOMPARE(gui->wait_event(), kButtonPress);
    }

    void keys_reach_the_window_whichever_control_has_the_focus()
    {
        gui->add_key_command(32, "Ctrl+Z");
        gui->add_key_command(91, "PgDown");
        gui->add_key_command(34, "Left");
        QWidget* list = gui->control_widget(kList);
        gui->window_widget()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(gui->window_widget()));
        for (QWidget* focus : {list, gui->control_widget(kButton), canvas()}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_PageDown);
            QTest::keyClick(focus, Qt::Key_Left);
            for (int command : {32, 91, 34}) {
                UiEvent event = gui->wait_event();
                QCOMPARE(event.kind, EventKind::KeyCommand);
                QCOMPARE(event.command_id, command);
            }
        }
        QCOMPARE(qobject_cast<QComboBox*>(list)->currentIndex(), -1);
    }

    // While the list has the focus, Down and Up move in it and a character typed is reported as
    // typed; elsewhere Down and H are the window's keys.
    void arrows_move_in_the_list_while_it_has_the_focus()
    {
        gui->add_key_command(37, "Down");
        gui->add_key_command(38, "H");
        for (const char* entry : {"Chr$(65)  A", "Chr$(72)  H", "Chr$(104)  h"})
            gui->list_append(kList, entry);
        gui->list_select(kList, 0);
        auto* list = static_cast<QComboBox*>(gui->control_widget(kList));
        gui->window_widget()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(gui->window_widget()));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, kList, EventSubtype::SelectionChange, 0}));
        QCOMPARE(gui->list_selected(kList), 1);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, kList, EventSubtype::SelectionChange, 0}));
        QCOMPARE(gui->list_selected(kList), 0);
        QTest::keyClick(list, Qt::Key_H);  // through the window's keys, where H is bound
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("é"));
        QApplication::sendEvent(list, &accented);
        for (const char* typed : {"h", "é"}) {
            UiEvent character = gui->wait_event();
            QCOMPARE(character.subtype, EventSubtype::CharacterTyped);
            QCOMPARE(character.typed, std::string(typed));
        }
        QCOMPARE(gui->list_selected(kList), 0);  // the list's own search did not move it
        // A click on the canvas takes the focus, and the keys are the window's again.
        QTest::mouseClick(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(gui->wait_event().subtype, EventSubtype::LeftPress);
        QCOMPARE(gui->wait_event().subtype, EventSubtype::LeftClick);
        QVERIFY(canvas()->hasFocus());
        gui->control_widget(kButton)->setFocus();
        QTest::keyClick(gui->control_widget(kButton), Qt::Key_Down);
        QTest::keyClick(gui->control_widget(kButton), Qt::Key_H);
        for (int command : {37, 38}) {
            UiEvent key = gui->wait_event();
            QCOMPARE(key.kind, EventKind::KeyCommand);
            QCOMPARE(key.command_id, command);
        }
    }

    void greyed_menu_item_is_disabled_and_enabled_again()
    {
        QVERIFY(gui->create_popup_menu(31));
        QVERIFY(gui->add_menu_item(31, 32, "Undo\tCtrl+Z"));
        gui->set_menu_item_enabled(31, 32, false);
        QVERIFY(!gui->menu_item_enabled(31, 32));
        gui->set_menu_item_enabled(31, 32, true);
        QVERIFY(gui->menu_item_enabled(31, 32));
    }

    void label_too_narrow_for_its_text_shows_it_whole_as_tooltip()
    {
        gui->create_label(20, 10, 40, 240, 25, "");
        auto* label = qobject_cast<QLabel*>(gui->control_widget(20));
        QVERIFY(label != nullptr);
        const std::string whole = "Saved u8g2_font_6x10_tf to u8g2_font_6x10_tf_with_a_long_name.c";
        gui->set_label_text(20, whole);
        label->grab();
        QCOMPARE(label->text(), QString::fromStdString(whole));
        QCOMPARE(label->toolTip(), QString::fromStdString(whole));
        gui->set_label_text(20, "8x12");
        label->grab();
        QVERIFY(label->toolTip().isEmpty());
    }

    void double_click_gives_two_clicks()
    {
        // Through the window, as the windowing system delivers it: press, release, press, release.
        QWindow* window = gui->window_widget()->windowHandle();
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, canvas()->mapTo(gui->window_widget(), QPoint(15, 15)));
        press_button();
        for (int click = 0; click < 2; ++click) {
            QCOMPARE(gui->wait_event().subtype, EventSubtype::LeftPress);
            QCOMPARE(gui->wait_event().subtype, EventSubtype::LeftClick);
        }
        QCOMPARE(gui->wait_event(), kButtonPress);
    }

    void drawing_pass_paints_the_kept_picture()
    {
        QVERIFY(gui->begin_drawing(kCanvas));
        QVERIFY(!gui->begin_drawing(kCanvas));
        gui->fill_rect(0, 0, 320, 500, rgb(0, 0, 0));
        gui->fill_rect(21, 31, 9, 9, rgb(255, 255, 255));
        gui->draw_line(20, 0, 20, 500, rgb(127, 127, 127));
        gui->fill_rect(315, 495, 50, 50, rgb(255, 255, 255));  // clipped at the edge
        gui->end_drawing(kCanvas);
        QImage picture = canvas()->grab().toImage();
        QCOMPARE(picture.pixel(21, 31), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(29, 39), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(30, 40), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(20, 0), qRgb(127, 127, 127));
        QCOMPARE(picture.pixel(20, 499), qRgb(127, 127, 127));
        QCOMPARE(picture.pixel(319, 499), qRgb(255, 255, 255));
        QVERIFY(!gui->begin_drawing(99));
    }

    void moved_canvas_takes_its_new_size()
    {
        gui->move_control(kCanvas, 10, 60, 160, 160);
        QCOMPARE(canvas()->geometry(), QRect(10, 60, 160, 160));
        QVERIFY(gui->begin_drawing(kCanvas));
        gui->fill_rect(150, 150, 10, 10, rgb(255, 255, 255));
        gui->end_drawing(kCanvas);
        QCOMPARE(canvas()->grab().toImage().pixel(159, 159), qRgb(255, 255, 255));

        gui->move_control(kCanvas, 10, 60, 0, 0);
        QVERIFY(!gui->begin_drawing(kCanvas));
    }

    void resized_window_keeps_its_place()
    {
        ScreenPoint origin = gui->window_position();
        gui->resize_window(origin.x, origin.y, 500, 310);
        QCOMPARE(gui->window_widget()->size(), QSize(500, 310));
        QCOMPARE(gui->window_position(), origin);
        // No larger than the screen, and on it: the canvas scrolls instead.
        gui->resize_window(origin.x, origin.y, 5000, 5000);
        QRect screen = gui->window_widget()->screen()->availableGeometry();
        QSize frame = gui->window_widget()->frameGeometry().size() - gui->window_widget()->size();
        QCOMPARE(gui->window_widget()->size(), screen.size() - frame);
        QCOMPARE(gui->window_position(), (ScreenPoint{screen.x(), screen.y()}));
    }

    // A window smaller than its canvas shows part of it with scroll bars; drawing and the pointer
    // stay in the canvas's own pixels wherever it is scrolled to.
    void canvas_larger_than_the_window_scrolls_in_its_own_pixels()
    {
        QWidget* window = gui->window_widget();
        window->resize(360, 300);
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, kCanvas, EventSubtype::Scrolled, 0}));
        QCOMPARE(gui->canvas_room(kCanvas), (ScreenSize{340, 230}));
        QCOMPARE(canvas()->geometry(), QRect(10, 60, 320, 230));
        auto bars = window->findChildren<QScrollBar*>();
        QCOMPARE(bars.size(), 2);
        QScrollBar* vertical = bars[0]->orientation() == Qt::Vertical ? bars[0] : bars[1];
        QVERIFY(vertical->isVisible());
        QCOMPARE(vertical->maximum(), 500 - 230);

        vertical->setValue(100);
        QCOMPARE(gui->wait_event().subtype, EventSubtype::Scrolled);
        QVERIFY(gui->begin_drawing(kCanvas));
        gui->fill_rect(0, 0, 320, 500, rgb(0, 0, 0));
        gui->fill_rect(20, 110, 10, 10, rgb(255, 255, 255));
        gui->end_drawing(kCanvas);
        QImage picture = canvas()->grab().toImage();
        QCOMPARE(picture.pixel(20, 10), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(20, 20), qRgb(0, 0, 0));

        QTest::mouseClick(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(25, 15));
        expect_canvas_event(EventSubtype::LeftPress, 25, 115);
        expect_canvas_event(EventSubtype::LeftClick, 25, 115);
        QWheelEvent wheel(QPointF(5, 5), canvas()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas(), &wheel);
        expect_canvas_event(EventSubtype::ZoomIn, 5, 105);

        // Grown again, the window shows the whole canvas and no bars.
        window->resize(340, 570);
        QCOMPARE(gui->wait_event().subtype, EventSubtype::Scrolled);
        QCOMPARE(canvas()->geometry(), QRect(10, 60, 320, 500));
        QVERIFY(!vertical->isVisible());
    }

    void list_choice_by_the_user_gives_one_selection_change()
    {
        for (const char* entry : {"Chr$(65)  A", "Chr$(66)  B", "Chr$(67)  C"})
            gui->list_append(kList, entry);
        QCOMPARE(gui->list_selected(kList), 0);
        gui->list_select(kList, 1);
        QCOMPARE(gui->list_selected(kList), 1);
        gui->list_select(kList, 3);
        QCOMPARE(gui->list_selected(kList), -1);
        gui->list_select(kList, 1);

        auto* list = static_cast<QComboBox*>(gui->control_widget(kList));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        press_button();
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, kList, EventSubtype::SelectionChange, 0}));
        QCOMPARE(gui->list_selected(kList), 2);
        QCOMPARE(gui->wait_event(), kButtonPress);

        gui->list_clear(kList);
        QCOMPARE(gui->list_selected(kList), -1);
        press_button();
        QCOMPARE(gui->wait_event(), kButtonPress);
    }

    void message_box_shows_text_as_written()
    {
        QString text;
        bool timed_out = false;
        when_shown(active_modal<QMessageBox>, [&](QWidget* widget) {
            auto* box = static_cast<QMessageBox*>(widget);
            text = box->text();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::Ok)->click();
        }, &timed_out);
        gui->message_box("File Info", "// <b>Font</b> & \xC2\xA9 2024\r\n// caf\xE9\r\n");
        QVERIFY(!timed_out);
        // Not valid UTF-8 as a whole (the lone \xE9), so every byte is one character.
        QCOMPARE(text, QString::fromLatin1("// <b>Font</b> & \xC2\xA9 2024\n// caf\xE9\n"));
    }

    void open_dialog_is_qt_own_titled_and_filtered()
    {
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("missing.c"));
        bool timed_out = false;
        QFileDialog* seen = nullptr;
        QStringList filters;
        QString selected_filter;
        when_shown(active_modal<QFileDialog>, [&](QWidget* widget) {
            seen = static_cast<QFileDialog*>(widget);
            filters = seen->nameFilters();
            selected_filter = seen->selectedNameFilter();
            QVERIFY(seen->testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(seen->windowTitle(), QStringLiteral("font.c or font.BAS file to modify."));
            type_file_name(seen, path);
        }, &timed_out);
        std::string chosen = gui->open_file_dialog("font.c or font.BAS file to modify.", "",
                                                   "C File|*.c|BAS File|*.BAS|All files (*.*)|*.*", 0);
        QVERIFY(!timed_out);
        QVERIFY(seen);
        QCOMPARE(filters, (QStringList{"C File (*.c)", "BAS File (*.BAS)", "All files (*.*)"}));
        QCOMPARE(selected_filter, QStringLiteral("C File (*.c)"));
        QCOMPARE(QString::fromStdString(chosen), path);
    }

    void save_dialog_asks_before_replacing_and_cancel_gives_nothing()
    {
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("existing.bas"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        bool timed_out = false;
        bool question_timed_out = false;
        QString question;
        when_shown(active_modal<QFileDialog>, [&](QWidget* widget) {
            when_shown(active_modal<QMessageBox>, [&](QWidget* box) {
                question = static_cast<QMessageBox*>(box)->text();
                static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
            }, &question_timed_out);
            type_file_name(static_cast<QFileDialog*>(widget), path);
        }, &timed_out);
        std::string chosen = gui->save_file_dialog("font.BAS file to save", "", "BAS File|*.bas|All files (*.*)|*.*", 0);
        QVERIFY(!timed_out);
        QVERIFY(!question_timed_out);
        QVERIFY2(question.contains(QStringLiteral("existing.bas")), qPrintable(question));
        QCOMPARE(QString::fromStdString(chosen), path);

        when_shown(active_modal<QFileDialog>, [](QWidget* widget) { static_cast<QFileDialog*>(widget)->reject(); },
                   &timed_out);
        QVERIFY(gui->save_file_dialog("font.c file to save", "", "C File|*.c|All files (*.*)|*.*", 0).empty());
        QVERIFY(!timed_out);
    }

    void closing_the_window_gives_window_close()
    {
        QVERIFY(gui->window_widget()->close() == false);
        QCOMPARE(gui->wait_event().kind, EventKind::WindowClose);
        QVERIFY(gui->window_widget()->isVisible());
    }

private:
    QWidget* canvas() const { return gui->control_widget(kCanvas); }

    void press_button() { QTest::mouseClick(gui->control_widget(kButton), Qt::LeftButton); }

    // A pointer move over the canvas with `buttons` held, as the windowing system sends it.
    void send_move(QPoint position, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, position, canvas()->mapToGlobal(position), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas(), &move);
    }

    void expect_canvas_event(EventSubtype subtype, int x, int y)
    {
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::ControlEvent, kCanvas, subtype, 0, 0, {x, y}}));
    }

    static void type_file_name(QFileDialog* dialog, const QString& path)
    {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    }

    std::unique_ptr<QtGuiServices> gui;
};

}  // namespace glyphwright

QTEST_MAIN(glyphwright::QtGuiServicesTest)
#include "qt_gui_services_test.moc"

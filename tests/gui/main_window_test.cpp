#include <QAbstractButton>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

#include "app/dispatch.h"
#include "app/shell.h"
#include "editor/controls.h"
#include "platform/qt/qt_gui_services.h"
#include "tests/gui/gui_test_support.h"

namespace glyphwright {

using qt::QtGuiServices;
using testing::active_modal;
using testing::active_popup;
using testing::when_shown;

// The main window as the shell builds it over the Qt services, and the commands that reach
// Qt through the shell: clicks on the canvas, the File menu, New's message box.
class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        gui = std::make_unique<QtGuiServices>();
        shell = std::make_unique<ShellState>();
        set_start_values(shell->model);
        QVERIFY(build_main_window(*shell, *gui));
    }

    void cleanup()
    {
        shell.reset();
        gui.reset();
    }

    void window_is_resizable_centred_and_titled()
    {
        QWidget* window = gui->window_widget();
        QCOMPARE(window->windowTitle(), QStringLiteral("Glyphwright"));
        QCOMPARE(window->size(), QSize(340, 570));
        QCOMPARE(window->minimumSize(), QSize(320, 120));
        QCOMPARE(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));

        QRect screen = window->screen()->geometry();
        QSize frame = window->frameGeometry().size();
        QCOMPARE(window->pos().x(), screen.x() + (screen.width() - std::min(screen.width(), frame.width())) / 2);
        QCOMPARE(window->pos().y(), screen.y() + (screen.height() - std::min(screen.height(), frame.height())) / 2);
    }

    void controls_have_their_places_and_captions()
    {
        struct Row {
            int id;
            QRect geometry;
            const char* caption;
        };
        const Row rows[] = {
            {controls::kGridCanvas, {10, 60, 320, 500}, nullptr},
            {controls::kFileButton, {10, 10, 50, 25}, "File..."},
            {controls::kCopyButton, {60, 10, 50, 25}, "Copy"},
            {controls::kPasteButton, {110, 10, 50, 25}, "Paste"},
            {controls::kRestoreButton, {160, 10, 50, 25}, "Restore"},
            {controls::kCharacterList, {210, 10, 100, 25}, nullptr},
            {controls::kInfoLabel, {10, 40, 240, 25}, ""},
        };
        for (const Row& row : rows) {
            QWidget* control = gui->control_widget(row.id);
            QVERIFY2(control, qPrintable(QString::number(row.id)));
            QCOMPARE(control->geometry(), row.geometry);
            QVERIFY(control->isVisible());
            if (auto* button = qobject_cast<QPushButton*>(control))
                QCOMPARE(button->text(), QString::fromLatin1(row.caption));
        }
        auto* list = qobject_cast<QComboBox*>(gui->control_widget(controls::kCharacterList));
        QVERIFY(list && !list->isEditable());
        QCOMPARE(list->count(), 0);
        auto* label = qobject_cast<QLabel*>(gui->control_widget(controls::kInfoLabel));
        QVERIFY(label && label->text().isEmpty());
    }

    void canvas_shows_the_grid_and_keeps_a_clicked_cell()
    {
        QWidget* canvas = gui->control_widget(controls::kGridCanvas);
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(35, 15));
        dispatch_event(gui->wait_event(), *shell, *gui);
        QCOMPARE(shell->model.glyph_grid.at(3, 1), 1);

        QImage picture = canvas->grab().toImage();
        QCOMPARE(picture.size(), QSize(320, 500));
        QCOMPARE(picture.pixel(31, 11), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(39, 19), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(30, 15), qRgb(127, 127, 127));
        QCOMPARE(picture.pixel(35, 10), qRgb(127, 127, 127));
        QCOMPARE(picture.pixel(41, 11), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(319, 499), qRgb(0, 0, 0));
    }

    void file_menu_choice_comes_back_as_a_menu_event()
    {
        QTest::mouseClick(gui->control_widget(controls::kFileButton), Qt::LeftButton);
        UiEvent press = gui->wait_event();
        QCOMPARE(press.control_id, controls::kFileButton);

        QStringList captions;
        bool timed_out = false;
        when_shown(active_popup<QMenu>, [&](QWidget* widget) {
            auto* menu = static_cast<QMenu*>(widget);
            for (QAction* action : menu->actions())
                captions << action->text();
            menu->setActiveAction(menu->actions().at(2));
            QTest::keyClick(menu, Qt::Key_Return);
        }, &timed_out);
        dispatch_event(press, *shell, *gui);
        QVERIFY(!timed_out);
        QCOMPARE(captions, (QStringList{"Open", "New", "Save as C", "Save as BAS", "Quit", "File Info",
                                        "Import font...", "Save as BDF", "Save in place", "Save\tCtrl+S",
                                        "Save as...\tCtrl+Shift+S", "Open recent..."}));
        QCOMPARE(gui->wait_event(), (UiEvent{EventKind::MenuEvent, 0, EventSubtype::None, controls::kSaveAsCItem}));
    }

    void dismissed_menu_gives_no_event()
    {
        QCursor::setPos(gui->window_widget()->mapToGlobal(QPoint(30, 20)));
        QPoint menu_corner;
        bool timed_out = false;
        when_shown(active_popup<QMenu>, [&](QWidget* menu) {
            menu_corner = menu->pos();
            QTest::keyClick(menu, Qt::Key_Escape);
        }, &timed_out);
        gui->show_popup_menu(controls::kFileMenu);
        QVERIFY(!timed_out);
        QCOMPARE(menu_corner, QCursor::pos() - QPoint(1, 1));
        QTest::mouseClick(gui->control_widget(controls::kCopyButton), Qt::LeftButton);
        QCOMPARE(gui->wait_event().control_id, controls::kCopyButton);
    }

    void quit_from_the_menu_ends_the_loop()
    {
        bool timed_out = false;
        when_shown(active_popup<QMenu>, [](QWidget* widget) {
            auto* menu = static_cast<QMenu*>(widget);
            menu->setActiveAction(menu->actions().at(4));
            QTest::keyClick(menu, Qt::Key_Return);
        }, &timed_out);
        dispatch_event({EventKind::ControlEvent, controls::kFileButton, EventSubtype::ButtonPress, 0}, *shell, *gui);
        run_event_loop(*shell, *gui);
        QVERIFY(!timed_out);
        QVERIFY(shell->quit_requested);
    }

    // An edit not saved: Quit asks, Escape keeps the program, Discard ends it.
    void quit_with_unsaved_changes_asks_first()
    {
        dispatch_event({EventKind::KeyCommand, 0, EventSubtype::None, 0, controls::kInvertItem}, *shell, *gui);
        QVERIFY(has_unsaved_changes(*shell));
        QCOMPARE(gui->window_widget()->windowTitle(), QStringLiteral("Glyphwright"));
        for (bool discard : {false, true}) {
            QString text;
            QStringList buttons;
            bool timed_out = false;
            when_shown(active_modal<QMessageBox>, [&](QWidget* widget) {
                auto* box = static_cast<QMessageBox*>(widget);
                text = box->text();
                QAbstractButton* discard_button = nullptr;
                for (QAbstractButton* button : box->buttons()) {
                    buttons << button->text().remove(QLatin1Char('&'));
                    if (button->text() == QStringLiteral("&Discard"))
                        discard_button = button;
                }
                if (discard && discard_button != nullptr)
                    discard_button->click();
                else
                    QTest::keyClick(box, Qt::Key_Escape);
            }, &timed_out);
            dispatch_event({EventKind::MenuEvent, 0, EventSubtype::None, controls::kQuitItem}, *shell, *gui);
            QVERIFY(!timed_out);
            QCOMPARE(text, QStringLiteral("Save the changes to Untitled?"));
            buttons.sort();
            QCOMPARE(buttons, (QStringList{"Cancel", "Discard", "Save"}));
            QCOMPARE(shell->quit_requested, discard);
        }
    }

    void closing_the_window_ends_the_loop()
    {
        gui->window_widget()->close();
        run_event_loop(*shell, *gui);
        QVERIFY(shell->quit_requested);
    }

private:
    std::unique_ptr<QtGuiServices> gui;
    std::unique_ptr<ShellState> shell;
};

}  // namespace glyphwright

QTEST_MAIN(glyphwright::MainWindowTest)
#include "main_window_test.moc"

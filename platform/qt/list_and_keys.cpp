// The character list and the keys: the drop-down list that chooses the character, and the keys
// bound to the main window, a further window or one of its controls.

#include <QComboBox>
#include <QKeyEvent>
#include <QShortcut>
#include <QSignalBlocker>

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_gui_services.h"
#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

namespace {

// While the drop-down list has the focus, Up and Down move in it, as in any list, instead of
// shifting the glyph, and a character typed is reported to choose that character (instead of the
// list's own search by the start of its entries, which all begin alike).
class ListKeys final : public QObject {
public:
    ListKeys(QObject* parent, int id, EventSink sink)
        : QObject(parent)
        , m_id(id)
        , m_sink(std::move(sink))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        const bool moves = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
        const QString text = key->text();
        const bool typed = plain && text.size() >= 1 && text.at(0).isPrint();
        if (event->type() == QEvent::ShortcutOverride) {
            // Taken from the window's keys, so that the list gets them.
            if (plain && (moves || typed))
                event->accept();
            return false;
        }
        if (!typed)
            return false;
        UiEvent character{EventKind::ControlEvent, m_id, EventSubtype::CharacterTyped, 0};
        character.typed = text.toStdString();
        m_sink(character, {});
        return true;
    }

private:
    int m_id;
    EventSink m_sink;
};

}  // namespace

void QtGuiServices::create_list(int id, int x, int y, int width, int height)
{
    if (!m_window)
        return;
    auto* list = new QComboBox(m_window.get());
    list->setEditable(false);
    list->installEventFilter(new ListKeys(list, id, event_sink()));
    // `activated` comes only from the user, never from list_select.
    QObject::connect(list, &QComboBox::activated, list, [this, id](int) {
        queue_event({EventKind::ControlEvent, id, EventSubtype::SelectionChange, 0}, {});
    });
    add_control(id, list, x, y, width, height);
}

void QtGuiServices::list_clear(int id)
{
    if (auto* list = qobject_cast<QComboBox*>(control_widget(id))) {
        QSignalBlocker blocker(list);
        list->clear();
    }
}

void QtGuiServices::list_append(int id, const std::string& text)
{
    if (auto* list = qobject_cast<QComboBox*>(control_widget(id))) {
        QSignalBlocker blocker(list);
        list->addItem(to_screen_text(text));
    }
}

void QtGuiServices::list_select(int id, int position)
{
    auto* list = qobject_cast<QComboBox*>(control_widget(id));
    if (!list)
        return;
    QSignalBlocker blocker(list);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

int QtGuiServices::list_selected(int id)
{
    auto* list = qobject_cast<QComboBox*>(control_widget(id));
    return list ? list->currentIndex() : -1;
}

void QtGuiServices::add_key_command(int command_id, const std::string& key)
{
    bind_key(m_window.get(), command_id, key, Qt::WindowShortcut);
}

void QtGuiServices::add_window_key_command(int window_id, int command_id, const std::string& key)
{
    bind_key(window_widget(window_id), command_id, key, Qt::WindowShortcut);
}

void QtGuiServices::add_control_key_command(int control_id, int command_id, const std::string& key)
{
    QWidget* control = control_widget(control_id);
    if (control && control->window() != m_window.get()) {
        control->setFocusPolicy(Qt::ClickFocus);
        bind_key(control, command_id, key, Qt::WidgetShortcut);
    }
}

void QtGuiServices::bind_key(QWidget* target, int command_id, const std::string& key, Qt::ShortcutContext context)
{
    QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(key), QKeySequence::PortableText);
    if (!target || sequence.isEmpty())
        return;
    // A window shortcut fires whichever child has the focus, and never while another window, such
    // as a dialog, is active; a widget shortcut only while its widget has the focus.
    auto* shortcut = new QShortcut(sequence, target);
    shortcut->setContext(context);
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [this, command_id] {
        UiEvent event{EventKind::KeyCommand, 0, EventSubtype::None, 0};
        event.command_id = command_id;
        queue_event(event, {});
    });
}

}  // namespace glyphwright::qt

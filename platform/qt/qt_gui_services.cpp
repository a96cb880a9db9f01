#include "platform/qt/qt_gui_services.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "platform/qt/canvas_viewport.h"
#include "platform/qt/canvas_widget.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/scroll_canvas_widget.h"

namespace glyphwright::qt {

namespace {

QColor to_qcolor(Colour colour) { return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | colour)); }

// A client size as large as `wanted` or as the screen holds with the window's frame around it.
QSize fitted_to_screen(const QWidget& window, QSize wanted)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return wanted;
    const QSize frame = window.frameGeometry().size() - window.size();
    return wanted.boundedTo(screen->availableGeometry().size() - frame).expandedTo(window.minimumSize());
}

// A one-line label that ends a text too long for it with "…" and shows the whole text as its
// tooltip; text() stays the whole text.
class ElidingLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QString whole = text();
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(whole, Qt::ElideRight, room.width());
        if (shown == whole) {
            if (!toolTip().isEmpty())
                setToolTip({});
            QLabel::paintEvent(event);
            return;
        }
        if (toolTip() != whole)
            setToolTip(whole);
        QPainter painter(this);
        style()->drawItemText(&painter, room, static_cast<int>(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                              shown, foregroundRole());
    }
};

}  // namespace

QtGuiServices::QtGuiServices() = default;

QtGuiServices::~QtGuiServices()
{
    if (m_painter.isActive())
        m_painter.end();
}

QWidget* QtGuiServices::window_widget() const { return m_window.get(); }

QWidget* QtGuiServices::control_widget(int id) const
{
    auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

bool QtGuiServices::open_main_window(int client_width, int client_height, const std::string& title)
{
    if (m_window || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    if (client_width <= 0 || client_height <= 0)
        return false;
    m_window = std::make_unique<MainWindowWidget>(client_width, client_height, event_sink());
    m_window->resize(fitted_to_screen(*m_window, m_window->size()));
    m_window->setWindowTitle(to_screen_text(title));
    m_window->centre_on_screen();
    m_window->show();
    // Once shown, the frame around the client area may be known: centre the whole frame.
    m_window->centre_on_screen();
    return true;
}

ScreenPoint QtGuiServices::window_position()
{
    if (!m_window)
        return {};
    return {m_window->x(), m_window->y()};
}

void QtGuiServices::resize_window(int x, int y, int client_width, int client_height)
{
    if (!m_window)
        return;
    if (m_window->isMaximized())
        m_window->showNormal();
    m_window->resize(fitted_to_screen(*m_window, QSize(client_width, client_height)));
    // Moved only as far as keeps the whole frame on the screen.
    QPoint place(x, y);
    if (const QScreen* screen = m_window->screen()) {
        const QRect area = screen->availableGeometry();
        const QSize frame = m_window->frameGeometry().size();
        place.setX(std::max(area.left(), std::min(x, area.left() + area.width() - frame.width())));
        place.setY(std::max(area.top(), std::min(y, area.top() + area.height() - frame.height())));
    }
    m_window->move(place);
}

UiEvent QtGuiServices::wait_event()
{
    while (m_events.empty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    UiEvent event = m_events.front();
    m_events.pop_front();
    return event;
}

void QtGuiServices::queue_event(const UiEvent& event, ScreenPoint mouse)
{
    // A dragged scroll bar or a fast typist would queue one event per step; whoever handles them
    // reads the latest state, so one waiting event of the kind is enough.
    bool repeatable = event.subtype == EventSubtype::Scrolled || event.subtype == EventSubtype::TextChange
                   || event.kind == EventKind::WindowResize;
    if (repeatable && !m_events.empty() && m_events.back() == event)
        return;
    m_events.push_back(event);
    m_events.back().mouse = mouse;
}

EventSink QtGuiServices::event_sink()
{
    return [this](const UiEvent& event, ScreenPoint mouse) { queue_event(event, mouse); };
}

void QtGuiServices::add_control(int id, QWidget* widget, int x, int y, int width, int height)
{
    widget->setGeometry(x, y, width, height);
    widget->show();
    m_controls[id] = widget;
}

CanvasWidget* QtGuiServices::canvas(int id) const { return dynamic_cast<CanvasWidget*>(control_widget(id)); }

void QtGuiServices::create_canvas(int id, int x, int y, int width, int height)
{
    if (!m_window)
        return;
    auto* viewport = new CanvasViewport(id, event_sink(), m_window.get());
    viewport->place(x, y, width, height);
    viewport->view()->show();
    m_controls[id] = viewport->view();
    m_viewports[id] = viewport;
}

ScreenSize QtGuiServices::canvas_room(int id)
{
    auto found = m_viewports.find(id);
    if (found == m_viewports.end())
        return {};
    const QSize room = found->second->room();
    return {room.width(), room.height()};
}

void QtGuiServices::create_button(int id, int x, int y, int width, int height, const std::string& text)
{
    if (!m_window)
        return;
    auto* button = new QPushButton(to_screen_text(text), m_window.get());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this, id] {
        queue_event({EventKind::ControlEvent, id, EventSubtype::ButtonPress, 0}, {});
    });
    add_control(id, button, x, y, width, height);
}

void QtGuiServices::create_label(int id, int x, int y, int width, int height, const std::string& text)
{
    if (!m_window)
        return;
    auto* label = new ElidingLabel(to_screen_text(text), m_window.get());
    label->setTextFormat(Qt::PlainText);
    add_control(id, label, x, y, width, height);
}

void QtGuiServices::move_control(int id, int x, int y, int width, int height)
{
    if (auto viewport = m_viewports.find(id); viewport != m_viewports.end()) {
        viewport->second->place(x, y, width, height);
        return;
    }
    if (auto scrolling = m_scroll_canvases.find(id); scrolling != m_scroll_canvases.end()) {
        scrolling->second->set_view(QRect(x, y, std::max(width, 0), std::max(height, 0)));
        return;
    }
    QWidget* widget = control_widget(id);
    if (!widget)
        return;
    widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    if (CanvasWidget* moved = canvas(id))
        moved->reset_picture();
}

void QtGuiServices::set_label_text(int id, const std::string& text)
{
    auto* label = qobject_cast<QLabel*>(control_widget(id));
    if (label == nullptr)
        return;
    // A label showing a passing text keeps its own for when that ends.
    label->setProperty("own_text", to_screen_text(text));
    if (!label->property("passing").toBool())
        label->setText(to_screen_text(text));
}

void QtGuiServices::show_label_text_for(int id, const std::string& text, int milliseconds)
{
    auto* label = qobject_cast<QLabel*>(control_widget(id));
    if (label == nullptr)
        return;
    if (!label->property("passing").toBool())
        label->setProperty("own_text", label->text());
    label->setProperty("passing", true);
    label->setText(to_screen_text(text));
    const int shown = label->property("passings").toInt() + 1;
    label->setProperty("passings", shown);
    QTimer::singleShot(milliseconds, label, [label, shown] {
        if (label->property("passings").toInt() != shown)
            return;  // a later passing text is still to run its time
        label->setProperty("passing", false);
        label->setText(label->property("own_text").toString());
    });
}

void QtGuiServices::set_window_title(const std::string& title)
{
    if (m_window)
        m_window->setWindowTitle(to_screen_text(title));
}


bool QtGuiServices::create_popup_menu(int menu_id)
{
    if (m_menus.contains(menu_id))
        return false;
    m_menus[menu_id] = std::make_unique<QMenu>();
    return true;
}

bool QtGuiServices::add_menu_item(int menu_id, int item_id, const std::string& caption)
{
    auto found = m_menus.find(menu_id);
    if (found == m_menus.end())
        return false;
    QAction* action = found->second->addAction(to_screen_text(caption));
    action->setData(item_id);
    return true;
}

QAction* QtGuiServices::menu_action(int menu_id, int item_id) const
{
    auto found = m_menus.find(menu_id);
    if (found == m_menus.end())
        return nullptr;
    for (QAction* action : found->second->actions())
        if (action->data().toInt() == item_id)
            return action;
    return nullptr;
}

bool QtGuiServices::menu_item_enabled(int menu_id, int item_id) const
{
    QAction* action = menu_action(menu_id, item_id);
    return action && action->isEnabled();
}

void QtGuiServices::set_menu_item_enabled(int menu_id, int item_id, bool enabled)
{
    if (QAction* action = menu_action(menu_id, item_id))
        action->setEnabled(enabled);
}

void QtGuiServices::show_popup_menu(int menu_id)
{
    auto found = m_menus.find(menu_id);
    if (found == m_menus.end())
        return;
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
    QAction* chosen = found->second->exec(QCursor::pos() - QPoint(1, 1));
    if (chosen)
        queue_event({EventKind::MenuEvent, 0, EventSubtype::None, chosen->data().toInt()}, {});
}

void QtGuiServices::message_box(const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, to_screen_text(title), to_screen_text(text), QMessageBox::Ok, m_window.get());
    // Comment lines from a file may hold "<" and "&": they are shown as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtGuiServices::begin_drawing(int canvas_id)
{
    CanvasWidget* target = canvas(canvas_id);
    if (!target || m_painter.isActive() || target->picture().isNull())
        return false;
    if (!m_painter.begin(&target->picture()))
        return false;
    m_drawing_canvas = target;
    auto viewport = m_viewports.find(canvas_id);
    m_drawing_offset = viewport == m_viewports.end() ? QPoint() : viewport->second->offset();
    m_changed_area = QRect();
    return true;
}

void QtGuiServices::end_drawing(int canvas_id)
{
    if (!m_painter.isActive() || m_drawing_canvas != canvas(canvas_id))
        return;
    m_painter.end();
    // Only what the pass touched is repainted: a click changes one cell.
    m_drawing_canvas->update(m_changed_area);
    m_drawing_canvas = nullptr;
}

void QtGuiServices::fill_rect(int x, int y, int width, int height, Colour colour)
{
    if (!m_painter.isActive() || width <= 0 || height <= 0)
        return;
    const QRect area = QRect(x, y, width, height).translated(-m_drawing_offset);
    // A large canvas scrolled far draws mostly outside its view: that costs nothing.
    if (!area.intersects(m_drawing_canvas->rect()))
        return;
    m_painter.fillRect(area, to_qcolor(colour));
    m_changed_area |= area;
}

void QtGuiServices::draw_line(int x1, int y1, int x2, int y2, Colour colour)
{
    if (!m_painter.isActive())
        return;
    const QPoint from = QPoint(x1, y1) - m_drawing_offset;
    const QPoint to = QPoint(x2, y2) - m_drawing_offset;
    m_painter.setPen(to_qcolor(colour));
    m_painter.drawLine(from, to);
    m_changed_area |= QRect(from, to).normalized();
}

}  // namespace glyphwright::qt

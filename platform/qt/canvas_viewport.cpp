#include "platform/qt/canvas_viewport.h"

#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace glyphwright::qt {

namespace {

// The space kept between the view and the window's right and bottom edges.
constexpr int kEdgeMargin = 10;
constexpr int kWheelNotch = 120;

}  // namespace

CanvasViewport::CanvasViewport(int id, EventSink sink, QWidget* window)
    : QObject(window)
    , m_id(id)
    , m_sink(std::move(sink))
    , m_window(window)
    , m_horizontal(new QScrollBar(Qt::Horizontal, window))
    , m_vertical(new QScrollBar(Qt::Vertical, window))
{
    // The view reports in its own pixels; the content's are those plus the scroll position.
    m_view = new CanvasWidget(id, [this](const UiEvent& event, ScreenPoint mouse) {
        const QPoint corner = offset();
        m_sink(event, {mouse.x + corner.x(), mouse.y + corner.y()});
    }, window);
    m_view->installEventFilter(this);
    // A click on the grid takes the focus from the character list, so that the keys that follow
    // are the editor's again, not characters typed into the list.
    m_view->setFocusPolicy(Qt::ClickFocus);
    window->installEventFilter(this);
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        bar->hide();
        bar->setSingleStep(16);
        // Only what the user does is reported: lay_out moves the bars with their signals blocked.
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this](int) { report(EventSubtype::Scrolled, {}); });
    }
}

void CanvasViewport::place(int x, int y, int content_width, int content_height)
{
    m_place = QPoint(x, y);
    m_content = QSize(std::max(content_width, 0), std::max(content_height, 0));
    lay_out();
    m_view->reset_picture();
}

QPoint CanvasViewport::offset() const { return {m_horizontal->value(), m_vertical->value()}; }

QSize CanvasViewport::room() const
{
    return {std::max(m_window->width() - m_place.x() - kEdgeMargin, 0),
            std::max(m_window->height() - m_place.y() - kEdgeMargin, 0)};
}

bool CanvasViewport::lay_out()
{
    const QSize space = room();
    int across = space.width();
    int down = space.height();
    // A bar takes room from the other direction, which may then need its own bar too.
    bool horizontal = false;
    bool vertical = false;
    for (int pass = 0; pass < 2; ++pass) {
        horizontal = m_content.width() > across;
        vertical = m_content.height() > down;
        across = space.width() - (vertical ? kScrollBarSize : 0);
        down = space.height() - (horizontal ? kScrollBarSize : 0);
    }
    const QRect view(m_place, QSize(std::clamp(m_content.width(), 0, std::max(across, 0)),
                                    std::clamp(m_content.height(), 0, std::max(down, 0))));
    const QPoint before = offset();
    for (auto [bar, shown, length, extent] : {std::tuple{m_horizontal, horizontal, view.width(), m_content.width()},
                                              std::tuple{m_vertical, vertical, view.height(), m_content.height()}}) {
        bar->blockSignals(true);
        bar->setRange(0, std::max(extent - length, 0));
        bar->setPageStep(std::max(length, 1));
        bar->blockSignals(false);
        bar->setVisible(shown);
    }
    m_horizontal->setGeometry(view.left(), view.bottom() + 1, view.width(), kScrollBarSize);
    m_vertical->setGeometry(view.right() + 1, view.top(), kScrollBarSize, view.height());
    const bool changed = view != m_view->geometry() || offset() != before;
    m_view->setGeometry(view);
    return changed;
}

void CanvasViewport::report(EventSubtype subtype, QPoint mouse)
{
    m_sink({EventKind::ControlEvent, m_id, subtype, 0}, {mouse.x(), mouse.y()});
}

bool CanvasViewport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize) {
        if (lay_out())
            report(EventSubtype::Scrolled, {});
        return false;
    }
    if (watched != m_view || event->type() != QEvent::Wheel)
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int steps = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
    if (steps == 0)
        return true;
    if (wheel->modifiers() & Qt::ControlModifier) {
        report(steps > 0 ? EventSubtype::ZoomIn : EventSubtype::ZoomOut, wheel->position().toPoint() + offset());
        return true;
    }
    QScrollBar* bar = m_vertical->isVisible() ? m_vertical : m_horizontal;
    // One notch of the wheel moves three single steps, as lists do.
    if (bar->isVisible())
        bar->setValue(bar->value() - steps * 3 * bar->singleStep() / kWheelNotch);
    return true;
}

}  // namespace glyphwright::qt

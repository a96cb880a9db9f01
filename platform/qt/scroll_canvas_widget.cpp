#include "platform/qt/scroll_canvas_widget.h"

#include <QWheelEvent>

#include <algorithm>

namespace glyphwright::qt {

ScrollCanvasWidget::ScrollCanvasWidget(int id, EventSink sink, QWidget* parent, QRect view)
    : QWidget(parent)
    , m_canvas(new CanvasWidget(id, sink, this))
    , m_horizontal(new QScrollBar(Qt::Horizontal, this))
    , m_vertical(new QScrollBar(Qt::Vertical, this))
    , m_view(view)
{
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        bar->hide();
        // Only what the user does is reported: set_extent moves the bars with their signals blocked.
        QObject::connect(bar, &QScrollBar::valueChanged, this, [id, sink](int) {
            sink({EventKind::ControlEvent, id, EventSubtype::Scrolled, 0}, {});
        });
    }
    set_view(view);
}

void ScrollCanvasWidget::set_view(QRect view)
{
    m_view = view;
    m_canvas->setGeometry(0, 0, view.width(), view.height());
    m_canvas->reset_picture();
    m_horizontal->setGeometry(0, view.height(), view.width(), kScrollBarSize);
    m_vertical->setGeometry(view.width(), 0, kScrollBarSize, view.height());
    const QSize content = m_content.isValid() ? m_content : view.size();
    set_extent(content.width(), content.height());
}

void ScrollCanvasWidget::set_extent(int content_width, int content_height)
{
    m_content = QSize(content_width, content_height);
    int across = std::max(content_width - m_view.width(), 0);
    int down = std::max(content_height - m_view.height(), 0);
    m_horizontal->blockSignals(true);
    m_vertical->blockSignals(true);
    m_horizontal->setRange(0, across);
    m_horizontal->setPageStep(m_view.width());
    m_horizontal->setSingleStep(16);
    m_vertical->setRange(0, down);
    m_vertical->setPageStep(m_view.height());
    m_vertical->setSingleStep(16);
    m_horizontal->blockSignals(false);
    m_vertical->blockSignals(false);
    m_horizontal->setVisible(across > 0);
    m_vertical->setVisible(down > 0);
    setGeometry(m_view.x(), m_view.y(), m_view.width() + (down > 0 ? kScrollBarSize : 0),
                m_view.height() + (across > 0 ? kScrollBarSize : 0));
}

void ScrollCanvasWidget::wheelEvent(QWheelEvent* event)
{
    QScrollBar* bar = m_vertical->isVisible() ? m_vertical : m_horizontal;
    if (!bar->isVisible()) {
        event->ignore();
        return;
    }
    int steps = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    // One notch of the wheel moves three single steps, as lists do.
    bar->setValue(bar->value() - steps * 3 * bar->singleStep() / 120);
    event->accept();
}

}  // namespace glyphwright::qt

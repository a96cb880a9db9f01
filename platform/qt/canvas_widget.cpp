#include "platform/qt/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace glyphwright::qt {

CanvasWidget::CanvasWidget(int id, EventSink sink, QWidget* parent)
    : QWidget(parent)
    , m_id(id)
    , m_sink(std::move(sink))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::reset_picture()
{
    if (width() <= 0 || height() <= 0) {
        m_picture = QImage();
        return;
    }
    m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(Qt::black);
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_picture, event->rect());
}

void CanvasWidget::report(EventSubtype subtype, QMouseEvent* event)
{
    QPoint position = event->position().toPoint();
    m_sink({EventKind::ControlEvent, m_id, subtype, 0}, {position.x(), position.y()});
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_left_pressed = true;
    report(EventSubtype::LeftPress, event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    // Without mouse tracking Qt sends moves only while a button is held; the canvas keeps them
    // while the pointer is outside it, until the release.
    if (m_left_pressed && (event->buttons() & Qt::LeftButton))
        report(EventSubtype::PointerMove, event);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_left_pressed)
        return;
    m_left_pressed = false;
    bool inside = rect().contains(event->position().toPoint());
    report(inside ? EventSubtype::LeftClick : EventSubtype::ReleaseOutside, event);
}

void CanvasWidget::resizeEvent(QResizeEvent*)
{
    // Callers redraw after a move or resize, so the old picture is not kept.
    if (m_picture.size() != size())
        reset_picture();
}

}  // namespace glyphwright::qt

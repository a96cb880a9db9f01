#pragma once

// The GridCanvas: a borderless widget that keeps its picture in an image and repaints from it. For
// the left button it reports the press, every move while the button is held, and the release: a
// LeftClick inside the canvas, a ReleaseOutside beside it.

#include <QImage>
#include <QWidget>

#include "platform/qt/event_sink.h"

namespace glyphwright::qt {

class CanvasWidget final : public QWidget {
public:
    CanvasWidget(int id, EventSink sink, QWidget* parent);

    // The picture drawn on; it is as large as the widget.
    QImage& picture() { return m_picture; }
    // Replaces the picture by a black one of the widget's size.
    void reset_picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void report(EventSubtype subtype, QMouseEvent* event);

    int m_id;
    EventSink m_sink;
    QImage m_picture;
    bool m_left_pressed = false;
};

}  // namespace glyphwright::qt

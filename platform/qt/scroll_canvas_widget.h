#pragma once

// A canvas that views part of a larger content: the CanvasWidget is the view, with a scroll bar
// right of it and one below it that show only while the content is larger than the view. The
// widget grows by the bars it shows. Moving a bar, or the mouse wheel over the view, reports a
// Scrolled event of the canvas's id.

#include <QScrollBar>
#include <QWidget>

#include "platform/qt/canvas_widget.h"

namespace glyphwright::qt {

class ScrollCanvasWidget final : public QWidget {
public:
    ScrollCanvasWidget(int id, EventSink sink, QWidget* parent, QRect view);

    CanvasWidget* canvas() const { return m_canvas; }
    void set_extent(int content_width, int content_height);
    // Moves the view and gives it another size; the picture is new, for the caller to draw.
    void set_view(QRect view);
    ScreenPoint position() const { return {m_horizontal->value(), m_vertical->value()}; }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    CanvasWidget* m_canvas;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
    QRect m_view;
    QSize m_content;
};

}  // namespace glyphwright::qt

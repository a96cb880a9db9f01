#pragma once

// The main window's canvas, which may be larger than the window: its content has the size the
// caller gives it, and the CanvasWidget shows as much of it as fits between the canvas's place and
// the window's right and bottom edges (less a margin). Scroll bars show beside the view while the
// content is larger. Pointer events carry content coordinates, and drawing is in content
// coordinates too (the services subtract `offset`). Scrolling, and a resize of the window that
// changes the view, report a Scrolled event: the caller draws again. Ctrl with the wheel reports
// ZoomIn or ZoomOut at the pointer.

#include <QObject>
#include <QPoint>
#include <QSize>

#include "platform/qt/canvas_widget.h"

class QScrollBar;

namespace glyphwright::qt {

class CanvasViewport final : public QObject {
public:
    CanvasViewport(int id, EventSink sink, QWidget* window);

    CanvasWidget* view() const { return m_view; }
    // Puts the content's top-left corner at (x, y) of the window and gives the content its size;
    // the view's picture is new, for the caller to draw.
    void place(int x, int y, int content_width, int content_height);
    // The content point at the view's top-left corner.
    QPoint offset() const;
    // The largest view the window leaves the canvas without scroll bars.
    QSize room() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fits the view and its bars to the window; true when the view changed size or place.
    bool lay_out();
    void report(EventSubtype subtype, QPoint mouse);

    int m_id;
    EventSink m_sink;
    QWidget* m_window;
    CanvasWidget* m_view = nullptr;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
    QPoint m_place;
    QSize m_content;
};

}  // namespace glyphwright::qt

#pragma once

// A top-level window of the program: the main window, which the user may resize, minimise and
// maximise, or a further one with a title bar and a close box only, which the user may resize too
// (reported as a WindowResize with its id). Closing it reports a WindowClose with its id (0 for the main window) and
// leaves the window to whoever owns it.

#include <QWidget>

#include "platform/qt/event_sink.h"

namespace glyphwright::qt {

class MainWindowWidget final : public QWidget {
public:
    MainWindowWidget(int client_width, int client_height, EventSink sink, int window_id = 0);

    // Moves the frame so that it is centred on its screen; a frame larger than the screen starts
    // at the screen's edge.
    void centre_on_screen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The main window takes a dropped file: it reports a FileDrop with its path.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    EventSink m_sink;
    int m_window_id;
};

}  // namespace glyphwright::qt

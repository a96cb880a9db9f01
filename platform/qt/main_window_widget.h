#pragma once

// The main window: a fixed-size top-level widget with a title bar and a close box only. Closing it
// reports a WindowClose and leaves the window to whoever owns it.

#include <QWidget>

#include "platform/qt/event_sink.h"

namespace glyphwright::qt {

class MainWindowWidget final : public QWidget {
public:
    MainWindowWidget(int client_width, int client_height, EventSink sink);

    // Moves the frame so that it is centred on its screen; a frame larger than the screen starts
    // at the screen's edge.
    void centre_on_screen();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    EventSink m_sink;
};

}  // namespace glyphwright::qt

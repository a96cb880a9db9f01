#pragma once

// Helpers for driving modal Qt widgets from a test: a modal dialog or a popup menu blocks the
// call that shows it, so the test acts on it from a timer once it is up.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace glyphwright::testing {

inline constexpr int kDeadlineMs = 5000;

// Calls `act` with the widget `find` returns, as soon as it returns one, from within the event
// loop. After the deadline it closes whatever modal widget or popup is up, so the blocked call
// returns, and sets `*timed_out`.
inline void when_shown(std::function<QWidget*()> find, std::function<void(QWidget*)> act, bool* timed_out)
{
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    *timed_out = false;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (QWidget* widget = find()) {
            timer->stop();
            timer->deleteLater();
            act(widget);
            return;
        }
        if (clock->elapsed() < kDeadlineMs)
            return;
        timer->stop();
        timer->deleteLater();
        *timed_out = true;
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    timer->start(5);
}

// The widget of type T that is the active popup or modal widget, or null.
template <typename T>
T* active_popup() { return qobject_cast<T*>(QApplication::activePopupWidget()); }

template <typename T>
T* active_modal() { return qobject_cast<T*>(QApplication::activeModalWidget()); }

}  // namespace glyphwright::testing

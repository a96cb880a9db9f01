#include <QApplication>

#include <csignal>

#include "app/shell.h"
#include "platform/qt/qt_gui_services.h"

int main(int argc, char* argv[])
{
    // A file-size limit then makes a save fail instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("glyphwright"));
    glyphwright::qt::QtGuiServices gui;
    return glyphwright::run_editor(gui);
}

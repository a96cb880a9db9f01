#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_gui_services.h"
#include "platform/qt/qt_text.h"

// The questions that take an answer of a button, and what the program keeps between runs.

namespace glyphwright::qt {

namespace {

// The one setting the program keeps, in the user's configuration folder.
QSettings program_settings() { return QSettings(QStringLiteral("glyphwright"), QStringLiteral("glyphwright")); }

}  // namespace

std::vector<std::string> QtGuiServices::recent_files()
{
    std::vector<std::string> paths;
    for (const QString& path : program_settings().value(QStringLiteral("recent_files")).toStringList())
        paths.push_back(from_qt_path(path));
    return paths;
}

void QtGuiServices::set_recent_files(const std::vector<std::string>& paths)
{
    QStringList list;
    for (const std::string& path : paths)
        list.append(QFile::decodeName(QByteArray::fromStdString(path)));
    program_settings().setValue(QStringLiteral("recent_files"), list);
}

int QtGuiServices::question_box(const std::string& title, const std::string& text, const std::vector<std::string>& buttons)
{
    QMessageBox box(QMessageBox::Question, to_screen_text(title), to_screen_text(text), QMessageBox::NoButton,
                    m_window.get());
    box.setTextFormat(Qt::PlainText);
    std::vector<QAbstractButton*> added;
    for (std::size_t at = 0; at < buttons.size(); ++at) {
        const bool last = at + 1 == buttons.size();
        QMessageBox::ButtonRole role = at == 0 ? QMessageBox::AcceptRole : last ? QMessageBox::RejectRole : QMessageBox::DestructiveRole;
        // Alt and the first letter presses the button.
        added.push_back(box.addButton(QStringLiteral("&") + to_screen_text(buttons[at]), role));
    }
    if (added.empty())
        return -1;
    box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
    box.setEscapeButton(added.back());
    box.exec();
    for (std::size_t at = 0; at < added.size(); ++at)
        if (box.clickedButton() == added[at])
            return static_cast<int>(at);
    return static_cast<int>(added.size()) - 1;
}

}  // namespace glyphwright::qt

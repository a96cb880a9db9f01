#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_gui_services.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

int QtGuiServices::choice_dialog(const std::string& title, const std::string& text, const std::vector<std::string>& choices,
                                 int preselected)
{
    QDialog dialog(m_window.get());
    dialog.setWindowTitle(to_screen_text(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(to_screen_text(text), &dialog);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    auto* list = new QListWidget(&dialog);
    for (const std::string& choice : choices)
        list->addItem(to_screen_text(choice));
    list->setCurrentRow(preselected >= 0 && preselected < list->count() ? preselected : 0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

}  // namespace glyphwright::qt

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <vector>

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_gui_services.h"
#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

bool QtGuiServices::form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields)
{
    QDialog dialog(m_window.get());
    dialog.setWindowTitle(to_screen_text(title));
    auto* layout = new QVBoxLayout(&dialog);
    if (!note.empty()) {
        auto* label = new QLabel(to_screen_text(note), &dialog);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* form = new QFormLayout;
    layout->addLayout(form);
    std::vector<QLineEdit*> editors;
    for (const FormField& field : fields) {
        auto* editor = new QLineEdit(to_screen_text(field.value), &dialog);
        form->addRow(to_screen_text(field.label), editor);
        editors.push_back(editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (std::size_t at = 0; at < fields.size(); ++at)
        fields[at].value = editors[at]->text().toStdString();
    return true;
}

}  // namespace glyphwright::qt

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_gui_services.h"
#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

namespace {

// A pause after the last keystroke before the picture is made again, so that typing stays quick.
constexpr int kPreviewDelayMs = 120;
constexpr QRgb kPreviewSet = 0xFFFFFFFF;
constexpr QRgb kPreviewClear = 0xFF000000;

QPixmap preview_pixmap(const PreviewPicture& picture, int scale)
{
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.width <= 0 || picture.height <= 0 || picture.bits.size() < pixels)
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x)
            line[x] = picture.bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)
                                   + static_cast<std::size_t>(x)] ? kPreviewSet : kPreviewClear;
    }
    return QPixmap::fromImage(image.scaled(image.size() * scale));
}

}  // namespace

bool QtGuiServices::form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields)
{
    return preview_form_dialog(title, note, fields, {});
}

bool QtGuiServices::preview_form_dialog(const std::string& title, const std::string& note,
                                        std::vector<FormField>& fields, const FormPreview& preview)
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
    auto edited_fields = [&] {
        std::vector<FormField> edited = fields;
        for (std::size_t at = 0; at < edited.size(); ++at)
            edited[at].value = editors[at]->text().toStdString();
        return edited;
    };
    if (preview) {
        auto* message = new QLabel(&dialog);
        message->setTextFormat(Qt::PlainText);
        message->setWordWrap(true);
        auto* actual_size = new QLabel(&dialog);
        auto* double_size = new QLabel(&dialog);
        actual_size->setObjectName(QStringLiteral("preview_1_1"));
        double_size->setObjectName(QStringLiteral("preview_2_1"));
        for (QLabel* picture : {actual_size, double_size})
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(message);
        layout->addWidget(actual_size);
        layout->addWidget(double_size);
        auto show_preview = [&, message, actual_size, double_size] {
            const PreviewPicture picture = preview(edited_fields());
            message->setText(to_screen_text(picture.message));
            message->setVisible(!picture.message.empty());
            actual_size->setPixmap(preview_pixmap(picture, 1));
            double_size->setPixmap(preview_pixmap(picture, 2));
        };
        auto* delay = new QTimer(&dialog);
        delay->setSingleShot(true);
        delay->setInterval(kPreviewDelayMs);
        QObject::connect(delay, &QTimer::timeout, &dialog, show_preview);
        for (QLineEdit* editor : editors)
            QObject::connect(editor, &QLineEdit::textEdited, delay, [delay] { delay->start(); });
        show_preview();
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fields = edited_fields();
    return true;
}

}  // namespace glyphwright::qt

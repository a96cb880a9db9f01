#include <QFileDialog>

#include "platform/qt/qt_gui_services.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

std::string QtGuiServices::run_file_dialog(DialogKind kind, const std::string& title, const std::string& default_name,
                                           const std::string& filter, int first_filter)
{
    QFileDialog dialog(m_window.get(), to_screen_text(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The name need not exist, but its folder must.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(kind == DialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    QStringList filters = to_name_filters(filter);
    dialog.setNameFilters(filters);
    if (first_filter >= 0 && first_filter < filters.size())
        dialog.selectNameFilter(filters[first_filter]);
    dialog.selectFile(to_screen_text(default_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return from_qt_path(dialog.selectedFiles().constFirst());
}

std::string QtGuiServices::open_file_dialog(const std::string& title, const std::string& default_name,
                                            const std::string& filter, int first_filter)
{
    return run_file_dialog(DialogKind::Open, title, default_name, filter, first_filter);
}

std::string QtGuiServices::save_file_dialog(const std::string& title, const std::string& default_name,
                                            const std::string& filter, int first_filter)
{
    return run_file_dialog(DialogKind::Save, title, default_name, filter, first_filter);
}

}  // namespace glyphwright::qt

#include "platform/qt/main_window_widget.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>

#include "platform/qt/qt_text.h"

namespace glyphwright::qt {

namespace {

constexpr int kMinimumMainWidth = 320;
constexpr int kMinimumMainHeight = 120;
constexpr int kMinimumFurtherWidth = 240;
constexpr int kMinimumFurtherHeight = 200;

int centred_start(int screen_start, int screen_extent, int frame_extent)
{
    return screen_start + (screen_extent - std::min(screen_extent, frame_extent)) / 2;
}

// The icon the desktop shows for the program, from the pictures built into it.
QIcon program_icon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/glyphwright/glyphwright-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/glyphwright/glyphwright-256.png"), QSize(256, 256));
    return icon;
}

}  // namespace

MainWindowWidget::MainWindowWidget(int client_width, int client_height, EventSink sink, int window_id)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint
                           | (window_id == 0 ? Qt::WindowMinMaxButtonsHint : Qt::WindowFlags()))
    , m_sink(std::move(sink))
    , m_window_id(window_id)
{
    // The main window keeps room for the buttons and the list above the canvas, and a little of
    // the canvas; a further one for a little of each of its controls.
    if (window_id == 0)
        setMinimumSize(kMinimumMainWidth, kMinimumMainHeight);
    else
        setMinimumSize(std::min(client_width, kMinimumFurtherWidth), std::min(client_height, kMinimumFurtherHeight));
    resize(client_width, client_height);
    setWindowIcon(program_icon());
    setAcceptDrops(window_id == 0);
}

namespace {

// The local file a drop carries, or the empty text.
QString dropped_file(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}

}  // namespace

void MainWindowWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!dropped_file(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindowWidget::dropEvent(QDropEvent* event)
{
    const QString path = dropped_file(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    UiEvent dropped;
    dropped.kind = EventKind::FileDrop;
    dropped.file_path = from_qt_path(path);
    m_sink(dropped, {});
}

void MainWindowWidget::centre_on_screen()
{
    QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect area = screen->geometry();
    QSize frame = frameGeometry().size();
    move(centred_start(area.x(), area.width(), frame.width()), centred_start(area.y(), area.height(), frame.height()));
}

void MainWindowWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The main window lays out its canvas itself; a further window's owner lays out the rest.
    if (m_window_id != 0 && isVisible())
        m_sink({EventKind::WindowResize, m_window_id, EventSubtype::None, 0}, {});
}

void MainWindowWidget::closeEvent(QCloseEvent* event)
{
    // The shell decides when the program ends; the window stays until then.
    event->ignore();
    m_sink({EventKind::WindowClose, m_window_id, EventSubtype::None, 0}, {});
}

}  // namespace glyphwright::qt

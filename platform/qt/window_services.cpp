// The services of the further windows: opening and closing them, their scrolling canvases and text
// fields, and the drawing of pixel blocks and small text that their pictures are made of.

#include <QLineEdit>
#include <QScreen>

#include <algorithm>

#include "platform/qt/canvas_widget.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_gui_services.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/scroll_canvas_widget.h"

namespace glyphwright::qt {

namespace {

constexpr int kTextPixelSize = 10;
constexpr int kWindowGap = 8;

// The start of a window of `size` along one axis of the screen [lo, lo + length): `wanted` when it
// fits, else as far towards it as fits; a window larger than the screen starts at the screen's start.
int fitted_start(int wanted, int size, int lo, int length) { return std::max(lo, std::min(wanted, lo + length - size)); }

// Where a window of frame `size` opens first: always on the screen, and where it hides the least of
// the main window's frame, trying first right of it, then left of it, each level with its top, then
// below and above it.
QPoint place_beside(const QRect& main_frame, QSize size, const QRect& screen)
{
    const int xs[] = {main_frame.right() + 1 + kWindowGap, main_frame.left() - kWindowGap - size.width(),
                      main_frame.left()};
    const int ys[] = {main_frame.top(), main_frame.bottom() + 1 + kWindowGap, main_frame.top() - kWindowGap - size.height()};
    QPoint best;
    long long least_hidden = -1;
    for (int y : ys)
        for (int x : xs) {
            QRect place(QPoint(fitted_start(x, size.width(), screen.left(), screen.width()),
                               fitted_start(y, size.height(), screen.top(), screen.height())),
                        size);
            QRect hidden = place.intersected(main_frame);
            long long area = hidden.isEmpty() ? 0 : static_cast<long long>(hidden.width()) * hidden.height();
            if (least_hidden < 0 || area < least_hidden) {
                best = place.topLeft();
                least_hidden = area;
            }
        }
    return best;
}

}  // namespace

QWidget* QtGuiServices::window_widget(int window_id) const
{
    auto found = m_further_windows.find(window_id);
    return found == m_further_windows.end() ? nullptr : found->second.get();
}

bool QtGuiServices::open_window(int window_id, int client_width, int client_height, const std::string& title)
{
    if (!m_window || window_id == 0 || m_further_windows.contains(window_id))
        return false;
    if (client_width <= 0 || client_height <= 0)
        return false;
    auto window = std::make_unique<MainWindowWidget>(client_width, client_height, event_sink(), window_id);
    window->setWindowTitle(to_screen_text(title));
    auto place = m_window_places.find(window_id);
    bool first_time = place == m_window_places.end();
    // The first time it opens beside the main window, so that neither hides the other.
    QScreen* screen = m_window->screen();
    auto first_place = [&] {
        return screen ? place_beside(m_window->frameGeometry(), window->frameGeometry().size(), screen->availableGeometry())
                      : m_window->frameGeometry().topRight() + QPoint(kWindowGap, 0);
    };
    window->move(first_time ? first_place() : place->second);
    window->show();
    // Once shown, its frame may be known: placed again with it, so that the whole frame is on the screen.
    if (first_time)
        window->move(first_place());
    m_further_windows[window_id] = std::move(window);
    return true;
}

ScreenSize QtGuiServices::window_client_size(int window_id)
{
    const QWidget* window = window_widget(window_id);
    return window ? ScreenSize{window->width(), window->height()} : ScreenSize{};
}

void QtGuiServices::close_window(int window_id)
{
    auto found = m_further_windows.find(window_id);
    if (found == m_further_windows.end())
        return;
    if (m_painter.isActive() && m_drawing_canvas && found->second->isAncestorOf(m_drawing_canvas)) {
        m_painter.end();
        m_drawing_canvas = nullptr;
    }
    for (int id : m_window_controls[window_id]) {
        m_controls.erase(id);
        m_scroll_canvases.erase(id);
    }
    m_window_controls.erase(window_id);
    m_window_places[window_id] = found->second->pos();
    // Events the window queued before it closed name controls that are gone; they are harmless
    // because every lookup of a control by id checks for it.
    m_further_windows.erase(found);
}

void QtGuiServices::create_scroll_canvas(int window_id, int id, int x, int y, int width, int height)
{
    QWidget* window = window_widget(window_id);
    if (!window || m_controls.contains(id))
        return;
    auto* view = new ScrollCanvasWidget(id, event_sink(), window, QRect(x, y, std::max(width, 0), std::max(height, 0)));
    view->show();
    m_controls[id] = view->canvas();
    m_scroll_canvases[id] = view;
    m_window_controls[window_id].push_back(id);
}

void QtGuiServices::set_scroll_extent(int id, int content_width, int content_height)
{
    auto found = m_scroll_canvases.find(id);
    if (found != m_scroll_canvases.end())
        found->second->set_extent(content_width, content_height);
}

ScreenPoint QtGuiServices::scroll_position(int id)
{
    auto found = m_scroll_canvases.find(id);
    return found == m_scroll_canvases.end() ? ScreenPoint{} : found->second->position();
}

void QtGuiServices::create_text_field(int window_id, int id, int x, int y, int width, int height,
                                      const std::string& text)
{
    QWidget* window = window_widget(window_id);
    if (!window || m_controls.contains(id))
        return;
    auto* field = new QLineEdit(QString::fromLatin1(text), window);
    // `textEdited` comes only from the user, never from setText.
    QObject::connect(field, &QLineEdit::textEdited, field, [this, id](const QString&) {
        queue_event({EventKind::ControlEvent, id, EventSubtype::TextChange, 0}, {});
    });
    field->setGeometry(x, y, width, height);
    field->show();
    m_controls[id] = field;
    m_window_controls[window_id].push_back(id);
}

std::string QtGuiServices::text_field_text(int id)
{
    auto* field = qobject_cast<QLineEdit*>(control_widget(id));
    // UTF-8, so that a sample reaches the characters of a font past code 255 (Cyrillic, Greek).
    return field ? field->text().toUtf8().toStdString() : std::string();
}

void QtGuiServices::draw_bits(int x, int y, int width, int height, std::span<const std::uint8_t> bits, int scale,
                              Colour set, Colour clear)
{
    if (!m_painter.isActive() || width <= 0 || height <= 0 || scale <= 0)
        return;
    if (bits.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    QImage block(width * scale, height * scale, QImage::Format_RGB32);
    QRgb set_pixel = 0xFF000000u | set;
    QRgb clear_pixel = 0xFF000000u | clear;
    for (int row = 0; row < height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(block.scanLine(row * scale));
        const std::uint8_t* source = bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        for (int column = 0; column < width; ++column)
            std::fill_n(line + column * scale, scale, source[column] ? set_pixel : clear_pixel);
        for (int copy = 1; copy < scale; ++copy)
            std::copy_n(line, block.width(), reinterpret_cast<QRgb*>(block.scanLine(row * scale + copy)));
    }
    m_painter.drawImage(x, y, block);
    m_changed_area |= QRect(x, y, block.width(), block.height());
}

void QtGuiServices::draw_text(int x, int y, int width, int height, const std::string& text, Colour colour)
{
    if (!m_painter.isActive() || width <= 0 || height <= 0)
        return;
    QFont font = m_painter.font();
    font.setPixelSize(kTextPixelSize);
    m_painter.setFont(font);
    m_painter.setPen(QColor::fromRgb(0xFF000000u | colour));
    QRect box(x, y, width, height);
    m_painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, to_screen_text(text));
    m_changed_area |= box;
}

}  // namespace glyphwright::qt

#pragma once

// GuiServices over Qt Widgets. Widgets only turn what the user does into UiEvents, which queue up
// here until wait_event takes them; wait_event runs Qt's event loop while the queue is empty.
// Needs a QApplication; without one the main window cannot be opened.

#include <QPainter>
#include <QRect>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/gui_services.h"
#include "platform/qt/event_sink.h"

class QAction;
class QMenu;

namespace glyphwright::qt {

class CanvasViewport;
class CanvasWidget;
class MainWindowWidget;
class ScrollCanvasWidget;

class QtGuiServices final : public GuiServices {
public:
    QtGuiServices();
    ~QtGuiServices() override;

    // For tests and benchmarks: the main window, a further window and a control by id; null when
    // absent. The control of a scrolling canvas is its view.
    QWidget* window_widget() const;
    QWidget* window_widget(int window_id) const;
    QWidget* control_widget(int id) const;
    // For tests: whether a menu item can be chosen; false when there is no such item.
    bool menu_item_enabled(int menu_id, int item_id) const;

    bool open_main_window(int client_width, int client_height, const std::string& title) override;
    ScreenPoint window_position() override;
    void resize_window(int x, int y, int client_width, int client_height) override;
    UiEvent wait_event() override;
    void create_canvas(int id, int x, int y, int width, int height) override;
    void create_list(int id, int x, int y, int width, int height) override;
    void create_button(int id, int x, int y, int width, int height, const std::string& text) override;
    void create_label(int id, int x, int y, int width, int height, const std::string& text) override;
    void move_control(int id, int x, int y, int width, int height) override;
    void set_label_text(int id, const std::string& text) override;
    ScreenSize canvas_room(int id) override;
    void list_clear(int id) override;
    void list_append(int id, const std::string& text) override;
    void list_select(int id, int position) override;
    int list_selected(int id) override;
    bool create_popup_menu(int menu_id) override;
    bool add_menu_item(int menu_id, int item_id, const std::string& caption) override;
    void set_menu_item_enabled(int menu_id, int item_id, bool enabled) override;
    void show_popup_menu(int menu_id) override;
    void add_key_command(int command_id, const std::string& key) override;
    void add_window_key_command(int window_id, int command_id, const std::string& key) override;
    void add_control_key_command(int control_id, int command_id, const std::string& key) override;
    void message_box(const std::string& title, const std::string& text) override;
    std::string open_file_dialog(const std::string& title, const std::string& default_name,
                                 const std::string& filter, int first_filter) override;
    std::string save_file_dialog(const std::string& title, const std::string& default_name,
                                 const std::string& filter, int first_filter) override;
    int choice_dialog(const std::string& title, const std::string& text, const std::vector<std::string>& choices,
                      int preselected) override;
    int question_box(const std::string& title, const std::string& text, const std::vector<std::string>& buttons) override;
    void set_window_title(const std::string& title) override;
    std::vector<std::string> recent_files() override;
    void set_recent_files(const std::vector<std::string>& paths) override;
    void show_label_text_for(int id, const std::string& text, int milliseconds) override;
    bool begin_drawing(int canvas_id) override;
    void end_drawing(int canvas_id) override;
    void fill_rect(int x, int y, int width, int height, Colour colour) override;
    void draw_line(int x1, int y1, int x2, int y2, Colour colour) override;
    bool open_window(int window_id, int client_width, int client_height, const std::string& title) override;
    void close_window(int window_id) override;
    ScreenSize window_client_size(int window_id) override;
    void create_scroll_canvas(int window_id, int id, int x, int y, int width, int height) override;
    void set_scroll_extent(int id, int content_width, int content_height) override;
    ScreenPoint scroll_position(int id) override;
    void create_text_field(int window_id, int id, int x, int y, int width, int height,
                           const std::string& text) override;
    std::string text_field_text(int id) override;
    void draw_bits(int x, int y, int width, int height, std::span<const std::uint8_t> bits, int scale, Colour set,
                   Colour clear) override;
    void draw_text(int x, int y, int width, int height, const std::string& text, Colour colour) override;
    bool form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields) override;
    bool preview_form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields,
                             const FormPreview& preview) override;

private:
    enum class DialogKind { Open, Save };

    void queue_event(const UiEvent& event, ScreenPoint mouse);
    void add_control(int id, QWidget* widget, int x, int y, int width, int height);
    CanvasWidget* canvas(int id) const;
    QAction* menu_action(int menu_id, int item_id) const;
    std::string run_file_dialog(DialogKind kind, const std::string& title, const std::string& default_name,
                                const std::string& filter, int first_filter);

    EventSink event_sink();
    void bind_key(QWidget* target, int command_id, const std::string& key, Qt::ShortcutContext context);

    std::unique_ptr<MainWindowWidget> m_window;
    std::map<int, QWidget*> m_controls;  // owned by their windows
    std::map<int, std::unique_ptr<MainWindowWidget>> m_further_windows;
    std::map<int, std::vector<int>> m_window_controls;  // the controls of each further window
    std::map<int, QPoint> m_window_places;              // where each further window was closed
    std::map<int, ScrollCanvasWidget*> m_scroll_canvases;
    std::map<int, CanvasViewport*> m_viewports;  // the main window's canvases; owned by it
    std::map<int, std::unique_ptr<QMenu>> m_menus;
    std::deque<UiEvent> m_events;

    QPainter m_painter;
    CanvasWidget* m_drawing_canvas = nullptr;
    QPoint m_drawing_offset;  // the content point at the drawn canvas's top-left corner
    QRect m_changed_area;
};

}  // namespace glyphwright::qt

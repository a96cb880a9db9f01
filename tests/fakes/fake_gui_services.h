#pragma once

// A scripted GuiServices for command tests. Events, dialog answers and mouse positions are queued
// by the test; a call that finds its queue empty fails the test instead of inventing an answer.
// Controls, the list and the label keep their state, the canvas keeps a picture that fill_rect and
// draw_line paint, and every call is logged.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/gui_services.h"

namespace glyphwright::testing {

struct FakeControl {
    std::string kind;  // "canvas", "list", "button" or "label"
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string text;
};

class FakeGuiServices final : public GuiServices {
public:
    // Scripting.
    std::deque<UiEvent> events;
    std::deque<std::string> open_dialog_answers;
    std::deque<std::string> save_dialog_answers;
    std::deque<ScreenPoint> mouse_positions;  // one per canvas event, taken by canvas_mouse_x
    bool window_can_open = true;
    bool menu_can_be_created = true;
    int drawing_failures = 0;  // the next this many begin_drawing calls fail

    // Observations.
    std::vector<std::string> log;
    std::map<int, FakeControl> controls;
    std::vector<std::string> list_entries;
    int list_selection = -1;
    std::vector<std::pair<int, std::string>> menu_items;
    std::vector<std::pair<std::string, std::string>> messages;  // title, text
    std::vector<std::string> dialog_titles;
    std::vector<std::string> dialog_filters;
    ScreenPoint window_origin{100, 50};
    int client_width = 0;
    int client_height = 0;
    int drawing_passes = 0;
    int fill_count = 0;

    // The canvas picture, sized to the canvas control; colour at canvas pixel (x, y).
    Colour pixel(int x, int y) const;
    // The user picks entry `position` of the list: it is selected and a SelectionChange queued.
    void choose_list_entry(int position);
    // The user clicks the canvas at (x, y): a LeftClick is queued with that mouse position.
    void click_canvas(int x, int y);
    // Forgets the log and the drawing counters.
    void clear_log();
    // Number of log lines that begin with `prefix`.
    int count_calls(const std::string& prefix) const;

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
    void list_clear(int id) override;
    void list_append(int id, const std::string& text) override;
    void list_select(int id, int position) override;
    int list_selected(int id) override;
    bool create_popup_menu(int menu_id) override;
    bool add_menu_item(int menu_id, int item_id, const std::string& caption) override;
    void show_popup_menu(int menu_id) override;
    void message_box(const std::string& title, const std::string& text) override;
    std::string open_file_dialog(const std::string& title, const std::string& default_name,
                                 const std::string& filter, int first_filter) override;
    std::string save_file_dialog(const std::string& title, const std::string& default_name,
                                 const std::string& filter, int first_filter) override;
    bool begin_drawing(int canvas_id) override;
    void end_drawing(int canvas_id) override;
    void fill_rect(int x, int y, int width, int height, Colour colour) override;
    void draw_line(int x1, int y1, int x2, int y2, Colour colour) override;
    int canvas_mouse_x(int canvas_id) override;
    int canvas_mouse_y(int canvas_id) override;

    std::string title;

private:
    void add_control(int id, const std::string& kind, int x, int y, int width, int height, const std::string& text);
    void resize_picture(int width, int height);
    void paint(int x, int y, Colour colour);
    std::string take_dialog_answer(std::deque<std::string>& answers, const std::string& kind);

    bool m_drawing = false;
    int m_canvas_id = -1;
    int m_picture_width = 0;
    int m_picture_height = 0;
    std::vector<Colour> m_picture;
    ScreenPoint m_mouse;
};

}  // namespace glyphwright::testing

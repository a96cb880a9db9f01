#pragma once

// A scripted GuiServices for command tests. Events, dialog answers and mouse positions are queued
// by the test; a call that finds its queue empty fails the test instead of inventing an answer.
// Controls, the list and the label keep their state, the canvas keeps a picture that fill_rect and
// draw_line paint, and every call is logged.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui_services.h"

namespace glyphwright::testing {

struct FakeControl {
    std::string kind;  // "canvas", "list", "button", "label", "scroll_canvas" or "text_field"
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string text;
    int window = 0;  // 0 for the main window
};

struct FakeWindow {
    int client_width = 0;
    int client_height = 0;
    std::string title;
};

struct FakeScroll {
    ScreenPoint position;
    int content_width = 0;
    int content_height = 0;
};

class FakeGuiServices final : public GuiServices {
public:
    // Scripting.
    std::deque<UiEvent> events;
    std::deque<std::string> open_dialog_answers;
    std::deque<std::string> save_dialog_answers;
    std::deque<int> choice_answers;  // positions, or -1 for Cancel
    std::deque<int> question_answers;  // the positions of the buttons pressed
    std::vector<std::string> recent;   // what recent_files gives, and set_recent_files keeps
    // One per form dialog: the texts the user leaves in its fields and OK, or none for Cancel.
    std::deque<std::optional<std::vector<std::string>>> form_answers;
    std::deque<ScreenPoint> mouse_positions;  // one per pointer event of a canvas, given to it by wait_event
    bool window_can_open = true;
    bool menu_can_be_created = true;
    int drawing_failures = 0;  // the next this many begin_drawing calls fail

    // Observations.
    std::vector<std::string> log;
    std::map<int, FakeControl> controls;
    std::vector<std::string> list_entries;
    int list_selection = -1;
    std::vector<std::pair<int, std::string>> menu_items;
    std::map<int, bool> menu_item_enabled;  // by item id, once set_menu_item_enabled was called
    std::map<std::string, int> key_commands;  // key text to command id
    std::map<std::pair<int, std::string>, int> control_key_commands;  // (control id, key) to command id
    std::vector<std::pair<std::string, std::string>> messages;  // title, text
    std::vector<std::string> dialog_titles;
    std::vector<std::string> choice_texts;
    std::vector<std::vector<std::string>> choices_shown;
    std::vector<int> choices_preselected;
    std::vector<std::string> dialog_filters;
    std::vector<std::vector<FormField>> forms_shown;  // the fields each form dialog opened with
    std::vector<std::string> form_notes;
    std::vector<PreviewPicture> previews_shown;
    std::vector<std::pair<std::string, std::string>> questions;  // title, text
    std::vector<std::string> passing_label_texts;  // of show_label_text_for, the label's own text unchanged
    ScreenPoint window_origin{100, 50};
    int client_width = 0;
    int client_height = 0;
    int drawing_passes = 0;
    int fill_count = 0;
    std::map<int, FakeWindow> windows;  // the further windows that are open
    std::map<int, FakeScroll> scrolls;

    // The canvas picture, sized to the canvas control; colour at canvas pixel (x, y). Without an
    // id, the canvas made by create_canvas.
    Colour pixel(int x, int y) const;
    Colour pixel_of(int canvas_id, int x, int y) const;
    // The user clicks canvas `canvas_id` at view pixel (x, y).
    void click_canvas_of(int canvas_id, int x, int y);
    // The user scrolls canvas `canvas_id` so that content point (x, y) is at the view's corner,
    // as far as the content allows.
    void scroll_canvas(int canvas_id, int x, int y);
    // The user replaces the text of a text field.
    void type_into(int field_id, const std::string& text);
    // The user closes a further window with its close box.
    void close_window_by_user(int window_id);
    // The user gives a further window another client size: a WindowResize is queued.
    void resize_window_by_user(int window_id, int client_width, int client_height);
    // The user picks entry `position` of the list: it is selected and a SelectionChange queued.
    void choose_list_entry(int position);
    // The user clicks the canvas at (x, y): a LeftClick is queued with that mouse position.
    void click_canvas(int x, int y);
    // A left press at (x, y), moves with the button held, and the release at (x, y): a LeftClick
    // inside the canvas, a ReleaseOutside beside it. Each queues an event and its mouse position.
    void press_canvas(int x, int y);
    void move_canvas(int x, int y);
    void release_canvas(int x, int y);
    // The user presses `key`: its KeyCommand is queued; a key never bound fails the test.
    void press_key(const std::string& key);
    // The user presses `key` while control `control_id` has the focus: the control's own key
    // command, else the main window's when the control is in it, else nothing.
    void press_key_in(int control_id, const std::string& key);
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
    // What the client area leaves right of and below the canvas's corner, less a margin of 10.
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
    void show_label_text_for(int id, const std::string& text, int milliseconds) override;
    std::vector<std::string> recent_files() override { return recent; }
    void set_recent_files(const std::vector<std::string>& paths) override { recent = paths; }
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
    // Records the preview of the fields as the dialog opens and as answered, then answers as
    // form_dialog does.
    bool preview_form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields,
                             const FormPreview& preview) override;

    std::string title;

private:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<Colour> pixels;
    };

    void add_control(int id, const std::string& kind, int x, int y, int width, int height, const std::string& text,
                     int window = 0);
    void resize_picture(int canvas_id, int width, int height);
    void queue_canvas_event(EventSubtype subtype, int x, int y);
    void paint(int x, int y, Colour colour);
    bool is_canvas(int id) const;
    std::string take_dialog_answer(std::deque<std::string>& answers, const std::string& kind);

    bool m_drawing = false;
    int m_canvas_id = -1;  // the canvas made by create_canvas
    int m_drawing_canvas = -1;
    std::map<int, Picture> m_pictures;
};

}  // namespace glyphwright::testing

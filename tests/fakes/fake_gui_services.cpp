#include "tests/fakes/fake_gui_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace glyphwright::testing {

namespace {

std::string colour_text(Colour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", colour);
    return text;
}

}  // namespace

Colour FakeGuiServices::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_picture_width || y >= m_picture_height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the canvas";
        return 0;
    }
    return m_picture[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_picture_width) + static_cast<std::size_t>(x)];
}

void FakeGuiServices::choose_list_entry(int position)
{
    list_selection = position;
    events.push_back({EventKind::ControlEvent, 10, EventSubtype::SelectionChange, 0});
}

void FakeGuiServices::click_canvas(int x, int y)
{
    mouse_positions.push_back({x, y});
    events.push_back({EventKind::ControlEvent, 1, EventSubtype::LeftClick, 0});
}

void FakeGuiServices::clear_log()
{
    log.clear();
    drawing_passes = 0;
    fill_count = 0;
}

int FakeGuiServices::count_calls(const std::string& prefix) const
{
    return static_cast<int>(std::count_if(log.begin(), log.end(),
                                          [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

bool FakeGuiServices::open_main_window(int width, int height, const std::string& window_title)
{
    log.push_back("open_main_window " + std::to_string(width) + " " + std::to_string(height) + " " + window_title);
    if (!window_can_open)
        return false;
    client_width = width;
    client_height = height;
    title = window_title;
    return true;
}

ScreenPoint FakeGuiServices::window_position()
{
    log.push_back("window_position");
    return window_origin;
}

void FakeGuiServices::resize_window(int x, int y, int width, int height)
{
    log.push_back("resize_window " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " "
                  + std::to_string(height));
    window_origin = {x, y};
    client_width = width;
    client_height = height;
}

UiEvent FakeGuiServices::wait_event()
{
    if (events.empty()) {
        ADD_FAILURE() << "wait_event with no scripted event";
        return {EventKind::WindowClose, 0, EventSubtype::None, 0};
    }
    UiEvent event = events.front();
    events.pop_front();
    m_mouse = {0, 0};
    if (event.kind == EventKind::ControlEvent && event.control_id == m_canvas_id && !mouse_positions.empty()) {
        m_mouse = mouse_positions.front();
        mouse_positions.pop_front();
    }
    return event;
}

void FakeGuiServices::add_control(int id, const std::string& kind, int x, int y, int width, int height,
                                  const std::string& text)
{
    log.push_back("create_" + kind + " " + std::to_string(id));
    controls[id] = {kind, x, y, width, height, text};
}

void FakeGuiServices::create_canvas(int id, int x, int y, int width, int height)
{
    add_control(id, "canvas", x, y, width, height, "");
    m_canvas_id = id;
    resize_picture(width, height);
}

void FakeGuiServices::create_list(int id, int x, int y, int width, int height)
{
    add_control(id, "list", x, y, width, height, "");
}

void FakeGuiServices::create_button(int id, int x, int y, int width, int height, const std::string& text)
{
    add_control(id, "button", x, y, width, height, text);
}

void FakeGuiServices::create_label(int id, int x, int y, int width, int height, const std::string& text)
{
    add_control(id, "label", x, y, width, height, text);
}

void FakeGuiServices::move_control(int id, int x, int y, int width, int height)
{
    log.push_back("move_control " + std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y) + " "
                  + std::to_string(width) + " " + std::to_string(height));
    FakeControl& control = controls[id];
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    if (id == m_canvas_id)
        resize_picture(width, height);
}

void FakeGuiServices::set_label_text(int id, const std::string& text)
{
    log.push_back("set_label_text " + std::to_string(id) + " " + text);
    controls[id].text = text;
}

void FakeGuiServices::list_clear(int id)
{
    log.push_back("list_clear " + std::to_string(id));
    list_entries.clear();
    list_selection = -1;
}

void FakeGuiServices::list_append(int id, const std::string& text)
{
    log.push_back("list_append " + std::to_string(id) + " " + text);
    list_entries.push_back(text);
}

void FakeGuiServices::list_select(int id, int position)
{
    log.push_back("list_select " + std::to_string(id) + " " + std::to_string(position));
    bool exists = position >= 0 && position < static_cast<int>(list_entries.size());
    list_selection = exists ? position : -1;
}

int FakeGuiServices::list_selected(int id)
{
    log.push_back("list_selected " + std::to_string(id));
    return list_selection;
}

bool FakeGuiServices::create_popup_menu(int menu_id)
{
    log.push_back("create_popup_menu " + std::to_string(menu_id));
    return menu_can_be_created;
}

bool FakeGuiServices::add_menu_item(int menu_id, int item_id, const std::string& caption)
{
    log.push_back("add_menu_item " + std::to_string(menu_id) + " " + std::to_string(item_id) + " " + caption);
    menu_items.emplace_back(item_id, caption);
    return true;
}

void FakeGuiServices::show_popup_menu(int menu_id) { log.push_back("show_popup_menu " + std::to_string(menu_id)); }

void FakeGuiServices::message_box(const std::string& box_title, const std::string& text)
{
    log.push_back("message_box " + box_title);
    messages.emplace_back(box_title, text);
}

std::string FakeGuiServices::take_dialog_answer(std::deque<std::string>& answers, const std::string& kind)
{
    if (answers.empty()) {
        ADD_FAILURE() << kind << " with no scripted answer";
        return "";
    }
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string FakeGuiServices::open_file_dialog(const std::string& dialog_title, const std::string& default_name,
                                              const std::string& filter, int first_filter)
{
    log.push_back("open_file_dialog " + dialog_title + " [" + default_name + "] " + std::to_string(first_filter));
    dialog_titles.push_back(dialog_title);
    dialog_filters.push_back(filter);
    return take_dialog_answer(open_dialog_answers, "open_file_dialog");
}

std::string FakeGuiServices::save_file_dialog(const std::string& dialog_title, const std::string& default_name,
                                              const std::string& filter, int first_filter)
{
    log.push_back("save_file_dialog " + dialog_title + " [" + default_name + "] " + std::to_string(first_filter));
    dialog_titles.push_back(dialog_title);
    dialog_filters.push_back(filter);
    return take_dialog_answer(save_dialog_answers, "save_file_dialog");
}

bool FakeGuiServices::begin_drawing(int canvas_id)
{
    log.push_back("begin_drawing " + std::to_string(canvas_id));
    EXPECT_FALSE(m_drawing) << "a drawing pass opened inside another";
    if (drawing_failures > 0) {
        --drawing_failures;
        return false;
    }
    m_drawing = true;
    ++drawing_passes;
    return true;
}

void FakeGuiServices::end_drawing(int canvas_id)
{
    log.push_back("end_drawing " + std::to_string(canvas_id));
    EXPECT_TRUE(m_drawing) << "end_drawing without begin_drawing";
    m_drawing = false;
}

void FakeGuiServices::fill_rect(int x, int y, int width, int height, Colour colour)
{
    EXPECT_TRUE(m_drawing) << "fill_rect outside a drawing pass";
    ++fill_count;
    log.push_back("fill_rect " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " "
                  + std::to_string(height) + " " + colour_text(colour));
    for (int row = std::max(y, 0); row < std::min(y + height, m_picture_height); ++row)
        for (int column = std::max(x, 0); column < std::min(x + width, m_picture_width); ++column)
            paint(column, row, colour);
}

void FakeGuiServices::draw_line(int x1, int y1, int x2, int y2, Colour colour)
{
    EXPECT_TRUE(m_drawing) << "draw_line outside a drawing pass";
    log.push_back("draw_line " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " "
                  + std::to_string(y2) + " " + colour_text(colour));
    int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int step = 0; step <= steps; ++step) {
        int x = steps == 0 ? x1 : x1 + (x2 - x1) * step / steps;
        int y = steps == 0 ? y1 : y1 + (y2 - y1) * step / steps;
        paint(x, y, colour);
    }
}

void FakeGuiServices::paint(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= m_picture_width || y >= m_picture_height)
        return;
    m_picture[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_picture_width) + static_cast<std::size_t>(x)] = colour;
}

void FakeGuiServices::resize_picture(int width, int height)
{
    m_picture_width = std::max(width, 0);
    m_picture_height = std::max(height, 0);
    m_picture.assign(static_cast<std::size_t>(m_picture_width) * static_cast<std::size_t>(m_picture_height), rgb(1, 2, 3));
}

int FakeGuiServices::canvas_mouse_x(int canvas_id)
{
    log.push_back("canvas_mouse_x " + std::to_string(canvas_id));
    return m_mouse.x;
}

int FakeGuiServices::canvas_mouse_y(int canvas_id)
{
    log.push_back("canvas_mouse_y " + std::to_string(canvas_id));
    return m_mouse.y;
}

}  // namespace glyphwright::testing

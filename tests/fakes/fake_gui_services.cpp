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

Colour FakeGuiServices::pixel(int x, int y) const { return pixel_of(m_canvas_id, x, y); }

Colour FakeGuiServices::pixel_of(int canvas_id, int x, int y) const
{
    auto found = m_pictures.find(canvas_id);
    if (found == m_pictures.end() || x < 0 || y < 0 || x >= found->second.width || y >= found->second.height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside canvas " << canvas_id;
        return 0;
    }
    const Picture& picture = found->second;
    return picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)];
}

void FakeGuiServices::click_canvas_of(int canvas_id, int x, int y)
{
    mouse_positions.push_back({x, y});
    events.push_back({EventKind::ControlEvent, canvas_id, EventSubtype::LeftClick, 0});
}

void FakeGuiServices::scroll_canvas(int canvas_id, int x, int y)
{
    FakeScroll& scroll = scrolls[canvas_id];
    const FakeControl& view = controls[canvas_id];
    scroll.position = {std::clamp(x, 0, std::max(scroll.content_width - view.width, 0)),
                       std::clamp(y, 0, std::max(scroll.content_height - view.height, 0))};
    events.push_back({EventKind::ControlEvent, canvas_id, EventSubtype::Scrolled, 0});
}

void FakeGuiServices::type_into(int field_id, const std::string& text)
{
    controls[field_id].text = text;
    events.push_back({EventKind::ControlEvent, field_id, EventSubtype::TextChange, 0});
}

void FakeGuiServices::close_window_by_user(int window_id)
{
    events.push_back({EventKind::WindowClose, window_id, EventSubtype::None, 0});
}

void FakeGuiServices::resize_window_by_user(int window_id, int client_width, int client_height)
{
    FakeWindow& window = windows.at(window_id);
    window.client_width = client_width;
    window.client_height = client_height;
    events.push_back({EventKind::WindowResize, window_id, EventSubtype::None, 0});
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

void FakeGuiServices::queue_canvas_event(EventSubtype subtype, int x, int y)
{
    mouse_positions.push_back({x, y});
    events.push_back({EventKind::ControlEvent, 1, subtype, 0});
}

void FakeGuiServices::press_canvas(int x, int y) { queue_canvas_event(EventSubtype::LeftPress, x, y); }

void FakeGuiServices::move_canvas(int x, int y) { queue_canvas_event(EventSubtype::PointerMove, x, y); }

void FakeGuiServices::release_canvas(int x, int y)
{
    const FakeControl& canvas = controls[1];
    bool inside = x >= 0 && y >= 0 && x < canvas.width && y < canvas.height;
    queue_canvas_event(inside ? EventSubtype::LeftClick : EventSubtype::ReleaseOutside, x, y);
}

void FakeGuiServices::press_key_in(int control_id, const std::string& key)
{
    auto found = control_key_commands.find({control_id, key});
    if (found != control_key_commands.end()) {
        UiEvent event{EventKind::KeyCommand, 0, EventSubtype::None, 0};
        event.command_id = found->second;
        events.push_back(event);
    } else if (controls.contains(control_id) && controls.at(control_id).window == 0) {
        press_key(key);
    }
}

void FakeGuiServices::press_key(const std::string& key)
{
    auto found = key_commands.find(key);
    if (found == key_commands.end()) {
        ADD_FAILURE() << "no command is bound to the key " << key;
        return;
    }
    UiEvent event{EventKind::KeyCommand, 0, EventSubtype::None, 0};
    event.command_id = found->second;
    events.push_back(event);
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

ScreenSize FakeGuiServices::canvas_room(int id)
{
    const FakeControl& control = controls[id];
    return {std::max(client_width - control.x - 10, 0), std::max(client_height - control.y - 10, 0)};
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
    bool with_mouse = event.subtype == EventSubtype::LeftClick || event.subtype == EventSubtype::LeftPress
                   || event.subtype == EventSubtype::PointerMove || event.subtype == EventSubtype::ReleaseOutside;
    if (event.kind == EventKind::ControlEvent && with_mouse && is_canvas(event.control_id) && !mouse_positions.empty()) {
        event.mouse = mouse_positions.front();
        mouse_positions.pop_front();
    }
    return event;
}

void FakeGuiServices::add_control(int id, const std::string& kind, int x, int y, int width, int height,
                                  const std::string& text, int window)
{
    log.push_back("create_" + kind + " " + std::to_string(id));
    controls[id] = {kind, x, y, width, height, text, window};
}

bool FakeGuiServices::is_canvas(int id) const
{
    auto found = controls.find(id);
    return found != controls.end() && (found->second.kind == "canvas" || found->second.kind == "scroll_canvas");
}

void FakeGuiServices::create_canvas(int id, int x, int y, int width, int height)
{
    add_control(id, "canvas", x, y, width, height, "");
    m_canvas_id = id;
    resize_picture(id, width, height);
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
    if (is_canvas(id))
        resize_picture(id, width, height);
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

void FakeGuiServices::set_menu_item_enabled(int menu_id, int item_id, bool enabled)
{
    log.push_back("set_menu_item_enabled " + std::to_string(menu_id) + " " + std::to_string(item_id) + " "
                  + (enabled ? "on" : "off"));
    menu_item_enabled[item_id] = enabled;
}

void FakeGuiServices::add_window_key_command(int window_id, int command_id, const std::string& key)
{
    EXPECT_TRUE(windows.contains(window_id)) << "a key of a window that is not open";
    log.push_back("add_window_key_command " + std::to_string(window_id) + " " + std::to_string(command_id) + " " + key);
}

void FakeGuiServices::add_control_key_command(int control_id, int command_id, const std::string& key)
{
    EXPECT_TRUE(controls.contains(control_id) && controls.at(control_id).window != 0) << "a key of control " << control_id;
    log.push_back("add_control_key_command " + std::to_string(control_id) + " " + std::to_string(command_id) + " " + key);
    control_key_commands[{control_id, key}] = command_id;
}

void FakeGuiServices::add_key_command(int command_id, const std::string& key)
{
    log.push_back("add_key_command " + std::to_string(command_id) + " " + key);
    EXPECT_FALSE(key_commands.contains(key)) << "the key " << key << " is bound twice";
    key_commands[key] = command_id;
}

void FakeGuiServices::show_popup_menu(int menu_id) { log.push_back("show_popup_menu " + std::to_string(menu_id)); }

int FakeGuiServices::question_box(const std::string& box_title, const std::string& text,
                                  const std::vector<std::string>& buttons)
{
    log.push_back("question_box " + box_title);
    questions.emplace_back(box_title, text);
    choices_shown.push_back(buttons);
    if (question_answers.empty()) {
        ADD_FAILURE() << "question_box with no scripted answer: " << text;
        return static_cast<int>(buttons.size()) - 1;
    }
    int answer = question_answers.front();
    question_answers.pop_front();
    return answer;
}

void FakeGuiServices::set_window_title(const std::string& new_title)
{
    log.push_back("set_window_title " + new_title);
    title = new_title;
}

void FakeGuiServices::show_label_text_for(int id, const std::string& text, int milliseconds)
{
    log.push_back("show_label_text_for " + std::to_string(id) + " " + std::to_string(milliseconds) + " " + text);
    passing_label_texts.push_back(text);
}

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

bool FakeGuiServices::form_dialog(const std::string& dialog_title, const std::string& note, std::vector<FormField>& fields)
{
    log.push_back("form_dialog " + dialog_title);
    dialog_titles.push_back(dialog_title);
    forms_shown.push_back(fields);
    form_notes.push_back(note);
    if (form_answers.empty()) {
        ADD_FAILURE() << "form_dialog with no scripted answer";
        return false;
    }
    std::optional<std::vector<std::string>> answer = form_answers.front();
    form_answers.pop_front();
    if (!answer)
        return false;
    EXPECT_EQ(answer->size(), fields.size()) << "a scripted form answer gives a text per field";
    for (std::size_t at = 0; at < fields.size() && at < answer->size(); ++at)
        fields[at].value = (*answer)[at];
    return true;
}

bool FakeGuiServices::preview_form_dialog(const std::string& dialog_title, const std::string& note,
                                          std::vector<FormField>& fields, const FormPreview& preview)
{
    previews_shown.push_back(preview(fields));
    std::vector<FormField> answered = fields;
    if (!form_answers.empty() && form_answers.front()) {
        for (std::size_t at = 0; at < answered.size() && at < form_answers.front()->size(); ++at)
            answered[at].value = (*form_answers.front())[at];
        previews_shown.push_back(preview(answered));
    }
    return form_dialog(dialog_title, note, fields);
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

int FakeGuiServices::choice_dialog(const std::string& dialog_title, const std::string& text,
                                   const std::vector<std::string>& choices, int preselected)
{
    log.push_back("choice_dialog " + dialog_title);
    dialog_titles.push_back(dialog_title);
    choice_texts.push_back(text);
    choices_shown.push_back(choices);
    choices_preselected.push_back(preselected);
    if (choice_answers.empty()) {
        ADD_FAILURE() << "choice_dialog with no scripted answer";
        return -1;
    }
    int answer = choice_answers.front();
    choice_answers.pop_front();
    return answer;
}

bool FakeGuiServices::begin_drawing(int canvas_id)
{
    log.push_back("begin_drawing " + std::to_string(canvas_id));
    EXPECT_FALSE(m_drawing) << "a drawing pass opened inside another";
    if (drawing_failures > 0) {
        --drawing_failures;
        return false;
    }
    if (!is_canvas(canvas_id))
        return false;
    m_drawing = true;
    m_drawing_canvas = canvas_id;
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
    const Picture& picture = m_pictures[m_drawing_canvas];
    for (int row = std::max(y, 0); row < std::min(y + height, picture.height); ++row)
        for (int column = std::max(x, 0); column < std::min(x + width, picture.width); ++column)
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
    Picture& picture = m_pictures[m_drawing_canvas];
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
        return;
    picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)] = colour;
}

void FakeGuiServices::resize_picture(int canvas_id, int width, int height)
{
    Picture& picture = m_pictures[canvas_id];
    picture.width = std::max(width, 0);
    picture.height = std::max(height, 0);
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), rgb(1, 2, 3));
}

bool FakeGuiServices::open_window(int window_id, int width, int height, const std::string& window_title)
{
    log.push_back("open_window " + std::to_string(window_id) + " " + std::to_string(width) + " "
                  + std::to_string(height) + " " + window_title);
    if (windows.contains(window_id))
        return false;
    windows[window_id] = {width, height, window_title};
    return true;
}

ScreenSize FakeGuiServices::window_client_size(int window_id)
{
    auto found = windows.find(window_id);
    return found == windows.end() ? ScreenSize{} : ScreenSize{found->second.client_width, found->second.client_height};
}

void FakeGuiServices::close_window(int window_id)
{
    log.push_back("close_window " + std::to_string(window_id));
    windows.erase(window_id);
    std::erase_if(controls, [&](const auto& entry) {
        if (entry.second.window != window_id)
            return false;
        m_pictures.erase(entry.first);
        scrolls.erase(entry.first);
        return true;
    });
}

void FakeGuiServices::create_scroll_canvas(int window_id, int id, int x, int y, int width, int height)
{
    EXPECT_TRUE(windows.contains(window_id)) << "scroll canvas " << id << " in a window that is not open";
    add_control(id, "scroll_canvas", x, y, width, height, "", window_id);
    scrolls[id] = {};
    resize_picture(id, width, height);
}

void FakeGuiServices::set_scroll_extent(int id, int content_width, int content_height)
{
    log.push_back("set_scroll_extent " + std::to_string(id) + " " + std::to_string(content_width) + " "
                  + std::to_string(content_height));
    FakeScroll& scroll = scrolls[id];
    scroll.content_width = content_width;
    scroll.content_height = content_height;
    const FakeControl& view = controls[id];
    scroll.position.x = std::clamp(scroll.position.x, 0, std::max(content_width - view.width, 0));
    scroll.position.y = std::clamp(scroll.position.y, 0, std::max(content_height - view.height, 0));
}

ScreenPoint FakeGuiServices::scroll_position(int id)
{
    auto found = scrolls.find(id);
    return found == scrolls.end() ? ScreenPoint{} : found->second.position;
}

void FakeGuiServices::create_text_field(int window_id, int id, int x, int y, int width, int height,
                                        const std::string& text)
{
    EXPECT_TRUE(windows.contains(window_id)) << "text field " << id << " in a window that is not open";
    add_control(id, "text_field", x, y, width, height, text, window_id);
}

std::string FakeGuiServices::text_field_text(int id)
{
    auto found = controls.find(id);
    return found == controls.end() ? std::string() : found->second.text;
}

void FakeGuiServices::draw_bits(int x, int y, int width, int height, std::span<const std::uint8_t> bits, int scale,
                                Colour set, Colour clear)
{
    EXPECT_TRUE(m_drawing) << "draw_bits outside a drawing pass";
    log.push_back("draw_bits " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " "
                  + std::to_string(height) + " " + std::to_string(scale));
    if (width <= 0 || height <= 0 || scale <= 0 || bits.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            Colour colour = bits[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)] ? set : clear;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    paint(x + column * scale + dx, y + row * scale + dy, colour);
        }
}

void FakeGuiServices::draw_text(int x, int y, int width, int height, const std::string& text, Colour colour)
{
    EXPECT_TRUE(m_drawing) << "draw_text outside a drawing pass";
    log.push_back("draw_text " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " "
                  + std::to_string(height) + " " + text + " " + colour_text(colour));
}

}  // namespace glyphwright::testing

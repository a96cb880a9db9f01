#pragma once

// The desktop operations the editor calls: one fixed-size main window with a canvas, buttons, a
// drop-down list, a label and a popup menu, further windows with scrolling canvases and text
// fields, message boxes, file dialogs, drawing and a blocking event wait. Only standard types cross this interface, so commands run against a scripted fake
// in tests and against Qt in the program.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace glyphwright {

// KeyCommand: a key bound with add_key_command was pressed while the main window was active.
// A character typed while the character list has the focus is a ControlEvent of the list, of
// subtype CharacterTyped, and no key command.
// FileDrop: a file was dropped on the main window; its path is the event's file_path.
// WindowResize: the user gave a further window another size; control_id is the window's id.
enum class EventKind { WindowClose, ControlEvent, MenuEvent, Other, KeyCommand, FileDrop, WindowResize };
// The GridCanvas reports a left press (LeftPress), every pointer move while that button is held
// (PointerMove, also outside the canvas), and the release: LeftClick inside the canvas,
// ReleaseOutside beside it. Each carries the mouse position. The wheel turned with Ctrl held over
// it reports ZoomIn (away from the user) or ZoomOut, also with the mouse position; Scrolled says
// that it shows another part of itself, or more or less of itself, and must be drawn again.
enum class EventSubtype {
    None,
    LeftClick,
    ButtonPress,
    SelectionChange,
    Scrolled,
    TextChange,
    LeftPress,
    PointerMove,
    ReleaseOutside,
    ZoomIn,
    ZoomOut,
    CharacterTyped,
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// A WindowClose of the main window has control_id 0; that of a further window has the window's id.
struct UiEvent {
    EventKind kind = EventKind::Other;
    int control_id = 0;
    EventSubtype subtype = EventSubtype::None;
    int menu_item_id = 0;
    int command_id = 0;  // of a KeyCommand
    // Where the pointer was for a canvas's pointer event (LeftClick, LeftPress, PointerMove,
    // ReleaseOutside, ZoomIn, ZoomOut), in the canvas's pixels: outside its size for moves and
    // releases beside it.
    // (0, 0) for every other event.
    ScreenPoint mouse = {};
    std::string file_path = {};  // of a FileDrop
    std::string typed = {};      // of a CharacterTyped: the character in UTF-8

    bool operator==(const UiEvent&) const = default;
};

using Colour = std::uint32_t;

// A colour from red, green and blue, each 0 to 255.
constexpr Colour rgb(int red, int green, int blue)
{
    return (static_cast<Colour>(red & 0xFF) << 16) | (static_cast<Colour>(green & 0xFF) << 8)
         | static_cast<Colour>(blue & 0xFF);
}

// One labelled text field of a form dialog.
struct FormField {
    std::string label;
    std::string value;
    bool operator==(const FormField&) const = default;
};

// What a form dialog shows of its fields' result: a picture of width x height pixels, row after
// row in `bits` (non-zero is set), or, when the fields cannot be read, a message instead.
struct PreviewPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits = {};
    std::string message = {};
};
using FormPreview = std::function<PreviewPicture(const std::vector<FormField>&)>;

// The thickness of the scroll bars beside a scrolling canvas.
inline constexpr int kScrollBarSize = 16;

class GuiServices {
public:
    virtual ~GuiServices() = default;

    // Opens the main window with the client size asked, its frame centred on the screen; the user
    // may resize and maximise it. Returns false when the window cannot be created.
    virtual bool open_main_window(int client_width, int client_height, const std::string& title) = 0;
    // The outer top-left corner of the window's frame, in screen pixels.
    virtual ScreenPoint window_position() = 0;
    // Moves the frame's top-left corner to (x, y) and gives the client area the size asked, or as
    // much of it as the screen holds.
    virtual void resize_window(int x, int y, int client_width, int client_height) = 0;

    // Blocks until the next event.
    virtual UiEvent wait_event() = 0;

    // Controls, in client coordinates. The list is a drop-down without an edit field. The canvas
    // keeps its picture; it is width x height with its top-left corner at (x, y), and when the
    // window is too small for it, the window shows what fits with scroll bars beside it. Drawing
    // and pointer events are in the canvas's own pixels wherever it is scrolled to.
    virtual void create_canvas(int id, int x, int y, int width, int height) = 0;
    virtual void create_list(int id, int x, int y, int width, int height) = 0;
    virtual void create_button(int id, int x, int y, int width, int height, const std::string& text) = 0;
    virtual void create_label(int id, int x, int y, int width, int height, const std::string& text) = 0;
    // After moving the canvas its picture is not relied on: callers redraw.
    virtual void move_control(int id, int x, int y, int width, int height) = 0;
    virtual void set_label_text(int id, const std::string& text) = 0;
    // The largest part of the canvas the window can show now without scroll bars.
    virtual ScreenSize canvas_room(int id) = 0;

    virtual void list_clear(int id) = 0;
    virtual void list_append(int id, const std::string& text) = 0;
    // Selects entry `position` (0-based) without raising an event; no entry there selects none.
    virtual void list_select(int id, int position) = 0;
    // The selected position, or -1.
    virtual int list_selected(int id) = 0;

    virtual bool create_popup_menu(int menu_id) = 0;
    virtual bool add_menu_item(int menu_id, int item_id, const std::string& caption) = 0;
    // Shows item `item_id` of a menu enabled or greyed out; a greyed item cannot be chosen.
    virtual void set_menu_item_enabled(int menu_id, int item_id, bool enabled) = 0;
    // Brings the window to the front and shows the menu at the mouse pointer; a choice arrives
    // later as a MenuEvent, a dismissal as nothing.
    virtual void show_popup_menu(int menu_id) = 0;

    // Binds a key of the main window, written as "Ctrl+Shift+Z", "PgUp", "Left", "Del" or "H", to
    // a KeyCommand with `command_id`. It works whichever control of the main window has the focus,
    // and not while another window is active.
    virtual void add_key_command(int command_id, const std::string& key) = 0;
    // The same for a further window that is open: the key works while that window is active, and
    // is gone when it closes.
    virtual void add_window_key_command(int window_id, int command_id, const std::string& key) = 0;
    // The same for one control of a further window: the key works only while that control has the
    // focus (a click gives it), so that the window's text fields keep the keys typed into them.
    virtual void add_control_key_command(int control_id, int command_id, const std::string& key) = 0;

    // A modal message with one OK button.
    virtual void message_box(const std::string& title, const std::string& text) = 0;
    // File dialogs; `filter` alternates labels and patterns joined by "|". They return the full
    // path, or the empty text when cancelled; the file need not exist. The save dialog asks, as the
    // platform does, before it gives the path of a file that exists.
    virtual std::string open_file_dialog(const std::string& title, const std::string& default_name,
                                         const std::string& filter, int first_filter) = 0;
    virtual std::string save_file_dialog(const std::string& title, const std::string& default_name,
                                         const std::string& filter, int first_filter) = 0;
    // A modal choice of one of `choices` (at least one), with `text` above them, `preselected`
    // chosen at first, and OK and Cancel. The position chosen, or -1 when cancelled.
    virtual int choice_dialog(const std::string& title, const std::string& text, const std::vector<std::string>& choices,
                              int preselected) = 0;
    // A modal question with one button for each answer, the first the default and the last the
    // one Escape and the close box give. The position of the button pressed.
    virtual int question_box(const std::string& title, const std::string& text, const std::vector<std::string>& buttons) = 0;

    // The main window's title.
    virtual void set_window_title(const std::string& title) = 0;
    // The files of Open recent, kept between runs in the user's configuration folder.
    virtual std::vector<std::string> recent_files() = 0;
    virtual void set_recent_files(const std::vector<std::string>& paths) = 0;
    // Shows `text` in the label for `milliseconds`, then the label's own text again: the text of
    // the last set_label_text, also of one made meanwhile.
    virtual void show_label_text_for(int id, const std::string& text, int milliseconds) = 0;

    // A drawing pass on the canvas: begin returns false when nothing can be drawn; after end the
    // canvas shows the result.
    virtual bool begin_drawing(int canvas_id) = 0;
    virtual void end_drawing(int canvas_id) = 0;
    virtual void fill_rect(int x, int y, int width, int height, Colour colour) = 0;
    virtual void draw_line(int x1, int y1, int x2, int y2, Colour colour) = 0;

    // A further top-level window, its id distinct from every control id, with a title bar and a
    // close box; it opens at the client size asked, which the user may change (a WindowResize, after
    // which the caller lays out its controls again with move_control), down to a small minimum.
    // Closing it reports a WindowClose with its id and leaves it open until close_window. It
    // reopens where it was when last closed. False when it is open already or cannot be created.
    virtual bool open_window(int window_id, int client_width, int client_height, const std::string& title) = 0;
    // The client size of a further window; zero when it is not open.
    virtual ScreenSize window_client_size(int window_id) = 0;
    // Closes the window with its controls; nothing when it is not open.
    virtual void close_window(int window_id) = 0;

    // A canvas in window `window_id` that views part of a larger content: the view is width x
    // height at (x, y), and scroll bars kScrollBarSize thick appear right of it and below it when
    // the content is larger. The picture is the view's; scrolling reports a ControlEvent of
    // subtype Scrolled, after which the caller draws what has come into view.
    virtual void create_scroll_canvas(int window_id, int id, int x, int y, int width, int height) = 0;
    // Sets the content's size; the scroll position is kept where it still fits, else moved back.
    virtual void set_scroll_extent(int id, int content_width, int content_height) = 0;
    // The content point at the view's top-left corner.
    virtual ScreenPoint scroll_position(int id) = 0;

    // A one-line editable text field in window `window_id`; each edit by the user reports a
    // ControlEvent of subtype TextChange.
    virtual void create_text_field(int window_id, int id, int x, int y, int width, int height,
                                   const std::string& text) = 0;
    virtual std::string text_field_text(int id) = 0;

    // Inside a drawing pass: a width x height block of pixels, row after row in `bits` (non-zero
    // is set), each drawn as a scale x scale square at (x, y) onwards, clipped to the canvas. Too
    // few bits draw nothing.
    virtual void draw_bits(int x, int y, int width, int height, std::span<const std::uint8_t> bits, int scale,
                           Colour set, Colour clear) = 0;
    // Inside a drawing pass: one line of small text centred in the box, clipped to it.
    virtual void draw_text(int x, int y, int width, int height, const std::string& text, Colour colour) = 0;

    // A modal dialog with `note` above one line of text per field, its label beside it, and OK and
    // Cancel. On OK the fields hold the texts as edited and the result is true; on Cancel they are
    // unchanged and the result is false.
    virtual bool form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields) = 0;
    // The same with a picture below the fields, at 1:1 and at 2:1, that `preview` makes from the
    // fields as they stand when the dialog opens and again whenever the user edits one.
    virtual bool preview_form_dialog(const std::string& title, const std::string& note, std::vector<FormField>& fields,
                                     const FormPreview& preview) = 0;
};

}  // namespace glyphwright

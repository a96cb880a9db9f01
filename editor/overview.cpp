#include "editor/overview.h"

#include <algorithm>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/editing_commands.h"
#include "model/glyph_codec.h"
#include "model/glyph_transforms.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// The text of the glyph being edited; empty when no table row is being edited.
std::string_view edited_glyph_text(const FontModel& model)
{
    return is_table_row(model, model.current_index) ? model.font_table[static_cast<std::size_t>(model.current_index)].glyph_data
                                                    : std::string_view();
}

// The pixels of table row `row` as draw_bits takes them, decoded into the scratch grid.
const std::vector<std::uint8_t>& row_bits(Overview& overview, const FontModel& model, int row)
{
    GlyphGrid& grid = overview.scratch_grid;
    if (grid.glyph_width() != model.header.glyph_width || grid.glyph_height() != model.header.glyph_height)
        grid = GlyphGrid(model.header.glyph_width, model.header.glyph_height);
    decode_glyph(model.font_table[static_cast<std::size_t>(row)].glyph_data, grid);
    glyph_bits(grid, overview.scratch_bits);
    return overview.scratch_bits;
}

// A glyph's code under it in the map: decimal for bytes, hexadecimal digits for other code points.
std::string map_label(char32_t code_point)
{
    return code_point <= 0xFF ? to_decimal(code_point) : code_point_text(code_point).substr(2);
}

// The part of the content that a scrolling canvas shows.
Box view_area(GuiServices& gui, int canvas_id, const Box& view)
{
    ScreenPoint corner = gui.scroll_position(canvas_id);
    return {corner.x, corner.y, view.width, view.height};
}

void draw_bits_at(GuiServices& gui, const Box& box, const Box& area, int scale, const std::vector<std::uint8_t>& bits)
{
    gui.draw_bits(box.x - area.x, box.y - area.y, box.width / scale, box.height / scale, bits, scale,
                  kSetPixelColour, kClearPixelColour);
}

void draw_frame(GuiServices& gui, const Overview& overview, int index, const Box& area, Colour colour)
{
    Box frame = map_frame_box(overview.map, index);
    int left = frame.x - area.x;
    int top = frame.y - area.y;
    gui.fill_rect(left, top, frame.width, kMapFrameWidth, colour);
    gui.fill_rect(left, top + frame.height - kMapFrameWidth, frame.width, kMapFrameWidth, colour);
    gui.fill_rect(left, top, kMapFrameWidth, frame.height, colour);
    gui.fill_rect(left + frame.width - kMapFrameWidth, top, kMapFrameWidth, frame.height, colour);
}

void draw_map_cell(Overview& overview, const FontModel& model, GuiServices& gui, int index, const Box& area)
{
    const MapLayout& map = overview.map;
    draw_bits_at(gui, map_glyph_box(map, index), area, map.scale, row_bits(overview, model, index));
    Box label = map_label_box(map, index);
    gui.draw_text(label.x - area.x, label.y - area.y, label.width, label.height,
                  map_label(model.font_table[static_cast<std::size_t>(index)].code_point), kMapLabelColour);
    if (index == overview.framed_index)
        draw_frame(gui, overview, index, area, kMapFrameColour);
}

void draw_map_view(Overview& overview, const FontModel& model, GuiServices& gui)
{
    if (!gui.begin_drawing(controls::kGlyphMap))
        return;
    Box area = view_area(gui, controls::kGlyphMap, overview.window.map_view);
    gui.fill_rect(0, 0, area.width, area.height, kOverviewBackground);
    for (int index : map_glyphs_in(overview.map, area))
        draw_map_cell(overview, model, gui, index, area);
    gui.end_drawing(controls::kGlyphMap);
}

// The set pixels of table row `row` and where they lie in its cell.
PixelArea row_ink(Overview& overview, const FontModel& model, int row, std::vector<std::uint8_t>& bits)
{
    const std::vector<std::uint8_t>& whole = row_bits(overview, model, row);
    const int width = model.header.glyph_width;
    // row_bits left the row's pixels in the scratch grid.
    const PixelArea ink = ink_area(overview.scratch_grid);
    bits.resize(static_cast<std::size_t>(ink.width) * static_cast<std::size_t>(std::max(ink.height, 0)));
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x)
            bits[static_cast<std::size_t>(y * ink.width + x)] =
                whole[static_cast<std::size_t>((ink.y + y) * width + ink.x + x)];
    return ink;
}

void draw_sample_cell(Overview& overview, const FontModel& model, GuiServices& gui, const SampleCell& cell, const Box& area)
{
    if (cell.row < 0) {
        gui.fill_rect(cell.box.x - area.x, cell.box.y - area.y, cell.box.width, cell.box.height, kClearPixelColour);
        return;
    }
    if (cell.tiles) {
        draw_bits_at(gui, cell.box, area, cell.scale, row_bits(overview, model, cell.row));
        return;
    }
    std::vector<std::uint8_t> bits;
    const PixelArea ink = row_ink(overview, model, cell.row, bits);
    if (!ink.empty())
        gui.draw_bits(cell.box.x + ink.x * cell.scale - area.x, cell.box.y + ink.y * cell.scale - area.y, ink.width,
                      ink.height, bits, cell.scale, kSetPixelColour, kClearPixelColour);
}

bool every_cell_tiles(const SampleLayout& sample)
{
    return std::all_of(sample.cells.begin(), sample.cells.end(), [](const SampleCell& cell) { return cell.tiles; });
}

// Draws the sample's cells that are in view; with `only_row` at 0 or more, only the cells of
// that table row, over what is there. A glyph that does not tile its line is drawn by clearing
// its cell and drawing again every glyph that reaches into it.
void draw_sample_cells(Overview& overview, const FontModel& model, GuiServices& gui, int only_row)
{
    if (!gui.begin_drawing(controls::kSampleCanvas))
        return;
    const Box area = view_area(gui, controls::kSampleCanvas, overview.window.sample_view);
    const SampleLayout& sample = overview.sample;
    if (only_row < 0) {
        gui.fill_rect(0, 0, area.width, area.height, kOverviewBackground);
        if (!every_cell_tiles(sample)) {
            for (const Box& line : sample.lines)
                gui.fill_rect(line.x - area.x, line.y - area.y, line.width, line.height, kClearPixelColour);
        }
    }
    for (const SampleCell& cell : sample.cells) {
        if ((only_row >= 0 && cell.row != only_row) || !cell.box.intersects(area))
            continue;
        if (only_row < 0 || cell.tiles) {
            draw_sample_cell(overview, model, gui, cell, area);
            continue;
        }
        const Box& line = sample.lines[cell.scale - 1];
        const int right = std::min(cell.box.x + cell.box.width, line.x + line.width);
        gui.fill_rect(cell.box.x - area.x, cell.box.y - area.y, std::max(right - cell.box.x, 0), cell.box.height,
                      kClearPixelColour);
        for (const SampleCell& neighbour : sample.cells) {
            if (neighbour.box.intersects(cell.box) && neighbour.scale == cell.scale)
                draw_sample_cell(overview, model, gui, neighbour, area);
        }
    }
    gui.end_drawing(controls::kSampleCanvas);
}

// The glyph being edited changed: its cell in the map and its cells in the sample.
void draw_edited_glyph(Overview& overview, const FontModel& model, GuiServices& gui)
{
    int row = model.current_index;
    if (!is_glyph_row(model, row))
        return;
    Box area = view_area(gui, controls::kGlyphMap, overview.window.map_view);
    Box glyph = map_glyph_box(overview.map, row);
    if (glyph.intersects(area) && gui.begin_drawing(controls::kGlyphMap)) {
        draw_bits_at(gui, glyph, area, overview.map.scale, row_bits(overview, model, row));
        gui.end_drawing(controls::kGlyphMap);
    }
    draw_sample_cells(overview, model, gui, row);
}

void move_frame(Overview& overview, const FontModel& model, GuiServices& gui)
{
    int old_index = overview.framed_index;
    overview.framed_index = is_glyph_row(model, model.current_index) ? model.current_index : -1;
    if (!gui.begin_drawing(controls::kGlyphMap))
        return;
    Box area = view_area(gui, controls::kGlyphMap, overview.window.map_view);
    if (old_index >= 0 && old_index < overview.map.glyph_count)
        draw_frame(gui, overview, old_index, area, kOverviewBackground);
    if (overview.framed_index >= 0)
        draw_frame(gui, overview, overview.framed_index, area, kMapFrameColour);
    gui.end_drawing(controls::kGlyphMap);
}

void remember_shown(Overview& overview, const FontModel& model)
{
    overview.framed_index = is_glyph_row(model, model.current_index) ? model.current_index : -1;
    overview.shown_glyph = edited_glyph_text(model);
    overview.shown_header = model.header;
}

void build_window(Overview& overview, const FontModel& model, GuiServices& gui)
{
    overview.map = map_layout(model.header);
    overview.window = overview_window_layout(overview.map, model.header);
    overview.sample = sample_layout(model, overview.sample_text);
    const OverviewWindowLayout& window = overview.window;
    if (!gui.open_window(controls::kOverviewWindow, window.client_width, window.client_height, kOverviewTitle))
        return;
    overview.is_open = true;
    const Box& map = window.map_view;
    gui.create_scroll_canvas(controls::kOverviewWindow, controls::kGlyphMap, map.x, map.y, map.width, map.height);
    gui.set_scroll_extent(controls::kGlyphMap, overview.map.content_width, overview.map.content_height);
    const Box& edit = window.sample_edit;
    gui.create_text_field(controls::kOverviewWindow, controls::kSampleField, edit.x, edit.y, edit.width, edit.height,
                          overview.sample_text);
    const Box& sample = window.sample_view;
    gui.create_scroll_canvas(controls::kOverviewWindow, controls::kSampleCanvas, sample.x, sample.y, sample.width,
                             sample.height);
    gui.set_scroll_extent(controls::kSampleCanvas, overview.sample.content_width, overview.sample.content_height);
    // F2 closes the window from itself too; the main window's other keys stay there, so that they
    // type into the sample field.
    gui.add_window_key_command(controls::kOverviewWindow, controls::kOverviewItem, "F2");
    // While the map has the focus, the letters that flip and invert the glyph work there too.
    for (auto [command, key] : {std::pair{controls::kFlipHorizontallyItem, "H"}, std::pair{controls::kFlipVerticallyItem, "V"},
                                std::pair{controls::kInvertItem, "I"}})
        gui.add_control_key_command(controls::kGlyphMap, command, key);
    remember_shown(overview, model);
    draw_map_view(overview, model, gui);
    draw_sample_cells(overview, model, gui, -1);
}

// Lays the window out again in the size the user gave it, and draws it all.
void fit_to_user_size(Overview& overview, const FontModel& model, GuiServices& gui)
{
    overview.window = overview_window_layout_in(overview.map, model.header, overview.user_size);
    const OverviewWindowLayout& window = overview.window;
    for (auto [id, box] : {std::pair{controls::kGlyphMap, window.map_view}, std::pair{controls::kSampleField, window.sample_edit},
                           std::pair{controls::kSampleCanvas, window.sample_view}})
        gui.move_control(id, box.x, box.y, box.width, box.height);
    overview.sample = sample_layout(model, overview.sample_text);
    gui.set_scroll_extent(controls::kGlyphMap, overview.map.content_width, overview.map.content_height);
    gui.set_scroll_extent(controls::kSampleCanvas, overview.sample.content_width, overview.sample.content_height);
    remember_shown(overview, model);
    draw_map_view(overview, model, gui);
    draw_sample_cells(overview, model, gui, -1);
}

void window_resized(Overview& overview, const FontModel& model, GuiServices& gui)
{
    const ScreenSize size = gui.window_client_size(controls::kOverviewWindow);
    if (size == ScreenSize{overview.window.client_width, overview.window.client_height} || size.width <= 0)
        return;
    overview.user_size = size;
    fit_to_user_size(overview, model, gui);
}

void show_whole_font(Overview& overview, const FontModel& model, GuiServices& gui)
{
    MapLayout map = map_layout(model.header);
    if (overview.user_size.width > 0) {
        // The window keeps the size the user gave it; the new font flows into it.
        overview.map = map;
        fit_to_user_size(overview, model, gui);
        return;
    }
    if (overview_window_layout(map, model.header) != overview.window) {
        // Another window size: the window is made again in its place.
        close_overview(overview, gui);
        build_window(overview, model, gui);
        return;
    }
    overview.map = map;
    overview.sample = sample_layout(model, overview.sample_text);
    gui.set_scroll_extent(controls::kGlyphMap, map.content_width, map.content_height);
    gui.set_scroll_extent(controls::kSampleCanvas, overview.sample.content_width, overview.sample.content_height);
    remember_shown(overview, model);
    draw_map_view(overview, model, gui);
    draw_sample_cells(overview, model, gui, -1);
}

void sample_text_edited(Overview& overview, const FontModel& model, GuiServices& gui)
{
    overview.sample_text = gui.text_field_text(controls::kSampleField);
    overview.sample = sample_layout(model, overview.sample_text);
    gui.set_scroll_extent(controls::kSampleCanvas, overview.sample.content_width, overview.sample.content_height);
    draw_sample_cells(overview, model, gui, -1);
}

void map_clicked(Overview& overview, FontModel& model, GuiServices& gui, ScreenPoint mouse)
{
    ScreenPoint corner = gui.scroll_position(controls::kGlyphMap);
    int index = map_glyph_at(overview.map, corner.x + mouse.x, corner.y + mouse.y);
    if (index < 0)
        return;
    gui.list_select(controls::kCharacterList, index);
    select_character(model, gui);
}

}  // namespace

void glyph_bits(const GlyphGrid& grid, std::vector<std::uint8_t>& bits)
{
    int width = grid.glyph_width();
    int height = grid.glyph_height();
    bits.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(grid.at(x, y));
}

void open_overview(Overview& overview, const FontModel& model, GuiServices& gui)
{
    if (!overview.is_open)
        build_window(overview, model, gui);
}

void close_overview(Overview& overview, GuiServices& gui)
{
    if (!overview.is_open)
        return;
    gui.close_window(controls::kOverviewWindow);
    overview.is_open = false;
    overview.user_size = {};
}

void toggle_overview(Overview& overview, const FontModel& model, GuiServices& gui)
{
    if (overview.is_open)
        close_overview(overview, gui);
    else
        open_overview(overview, model, gui);
}

void overview_follow(Overview& overview, const FontModel& model, GuiServices& gui, FontScope scope)
{
    if (!overview.is_open)
        return;
    bool same_map = overview.shown_header.glyph_width == model.header.glyph_width
                 && overview.shown_header.glyph_height == model.header.glyph_height
                 && overview.shown_header.char_count == model.header.char_count;
    if (scope == FontScope::WholeFont || !same_map) {
        show_whole_font(overview, model, gui);
        return;
    }
    bool chosen_another = overview.framed_index != (is_glyph_row(model, model.current_index) ? model.current_index : -1);
    if (chosen_another)
        move_frame(overview, model, gui);
    // The glyph chosen may have changed in the same command (an Undo of another character
    // chooses it and changes it at once).
    if (chosen_another || overview.shown_glyph != edited_glyph_text(model)) {
        draw_edited_glyph(overview, model, gui);
        overview.shown_glyph = edited_glyph_text(model);
    }
}

bool is_overview_control(int id) { return id >= controls::kOverviewWindow && id <= controls::kSampleCanvas; }

void overview_event(Overview& overview, FontModel& model, GuiServices& gui, const UiEvent& event)
{
    if (!overview.is_open)
        return;
    if (event.kind == EventKind::WindowClose) {
        close_overview(overview, gui);
        return;
    }
    if (event.kind == EventKind::WindowResize) {
        window_resized(overview, model, gui);
        return;
    }
    if (event.kind != EventKind::ControlEvent)
        return;
    if (event.control_id == controls::kGlyphMap && event.subtype == EventSubtype::LeftClick)
        map_clicked(overview, model, gui, event.mouse);
    else if (event.control_id == controls::kGlyphMap && event.subtype == EventSubtype::Scrolled)
        draw_map_view(overview, model, gui);
    else if (event.control_id == controls::kSampleField && event.subtype == EventSubtype::TextChange)
        sample_text_edited(overview, model, gui);
    else if (event.control_id == controls::kSampleCanvas && event.subtype == EventSubtype::Scrolled)
        draw_sample_cells(overview, model, gui, -1);
}

}  // namespace glyphwright

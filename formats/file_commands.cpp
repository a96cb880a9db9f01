#include "formats/file_commands.h"

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "formats/font_document.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr const char* kOpenTitle = "font.c or font.BAS file to modify.";
constexpr const char* kOpenFilter = "C File|*.c|BAS File|*.BAS|All files (*.*)|*.*";
constexpr const char* kSaveCTitle = "font.c file to save";
constexpr const char* kSaveCFilter = "C File|*.c|All files (*.*)|*.*";
constexpr const char* kSaveBasTitle = "font.BAS file to save";
constexpr const char* kSaveBasFilter = "BAS File|*.bas|All files (*.*)|*.*";

std::string info_label_text(const FontHeader& header)
{
    return to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + "      Chr$("
         + to_decimal(header.first_char) + ") to Chr$(" + to_decimal(header.first_char + header.char_count - 1) + ")";
}

// Shows the newly opened font: window and canvas fitted to it, its characters in the list, the
// first one selected and drawn.
void rebuild_view(FontModel& model, GuiServices& gui, const std::vector<std::string>& labels)
{
    fit_view_to_font(model, gui);
    draw_grid(model, gui);
    gui.list_clear(controls::kCharacterList);
    for (const std::string& label : labels)
        gui.list_append(controls::kCharacterList, label);
    gui.list_select(controls::kCharacterList, 0);
    model.current_index = 0;
    gui.set_label_text(controls::kInfoLabel, info_label_text(model.header));
    load_glyph(model, 0);
    draw_glyph(model, gui);
}

void save_as(FontModel& model, GuiServices& gui, FontFormat format)
{
    bool c_form = format == FontFormat::C;
    model.save_path = gui.save_file_dialog(c_form ? kSaveCTitle : kSaveBasTitle, "",
                                           c_form ? kSaveCFilter : kSaveBasFilter, 0);
    if (model.save_path.empty())
        return;
    model.save_path = with_default_extension(model.save_path, format);
    save_font_path(model, gui, model.save_path, format);
}

}  // namespace

void open_font(FontModel& model, GuiServices& gui)
{
    model.open_path = gui.open_file_dialog(kOpenTitle, "", kOpenFilter, 0);
    if (model.open_path.empty())
        return;
    open_font_path(model, gui, model.open_path);
}

void open_font_path(FontModel& model, GuiServices& gui, const std::string& path)
{
    FontReadResult read = read_font_file(path);
    if (!read.ok) {
        gui.message_box("Cannot open", read.message);
        return;
    }
    adopt_font(model, read);
    rebuild_view(model, gui, read.labels);
}

void save_as_c(FontModel& model, GuiServices& gui) { save_as(model, gui, FontFormat::C); }

void save_as_bas(FontModel& model, GuiServices& gui) { save_as(model, gui, FontFormat::Bas); }

void save_font_path(FontModel& model, GuiServices& gui, const std::string& path, FontFormat format)
{
    FileResult saved = save_font(model, path, format);
    if (!saved.ok)
        gui.message_box("Cannot save", "The font was not saved. " + saved.error);
}

}  // namespace glyphwright

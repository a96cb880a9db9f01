#include "editor/character_steps.h"

#include <algorithm>
#include <optional>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "editor/editing_commands.h"
#include "formats/font_file.h"
#include "formats/font_text.h"
#include "import/code_points.h"
#include "model/glyph_codec.h"
#include "text/code_page.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr const char* kAddTitle = "Add character";

bool is_one_run_of_bytes(const FontModel& model)
{
    const int count = glyph_count(model);
    for (int row = 0; row < count; ++row) {
        if (model.font_table[static_cast<std::size_t>(row)].code_point != static_cast<char32_t>(model.header.first_char + row))
            return false;
    }
    return model.header.first_char + count - 1 <= 255;
}

// The character the user typed: one character in UTF-8, or a code point written U+XXXX.
std::optional<char32_t> typed_character(std::string_view text)
{
    text = trim_blanks_and_tabs(text);
    if (text.size() > 2 && (text[0] == 'U' || text[0] == 'u') && text[1] == '+')
        return parse_code_point(text);
    return single_utf8_character(text);
}

// Makes `row` the glyph being edited after the rows changed under it: the grid holds it, the list
// selects it and the canvas shows it.
void edit_row(FontModel& model, GuiServices& gui, int row)
{
    if (is_glyph_row(model, row)) {
        choose_glyph(model, row);
    } else {
        model.current_index = row;
        model.glyph_grid = GlyphGrid(model.header.glyph_width, model.header.glyph_height);
        model.glyph_as_chosen.clear();
    }
    show_character_list(model, gui);
    draw_glyph(model, gui);
}

}  // namespace

std::string info_label_text(const FontModel& model)
{
    const FontHeader& header = model.header;
    const std::string size = to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height) + "      ";
    const int count = glyph_count(model);
    if (is_one_run_of_bytes(model))
        return size + "Chr$(" + to_decimal(header.first_char) + ") to Chr$(" + to_decimal(header.first_char + count - 1) + ")";
    const std::string characters = counted(count, "character", "characters");
    if (count == 0)
        return size + characters;
    return size + characters + ", " + code_point_text(model.font_table[0].code_point) + " to "
         + code_point_text(model.font_table[static_cast<std::size_t>(count - 1)].code_point);
}

void show_character_list(const FontModel& model, GuiServices& gui)
{
    gui.list_clear(controls::kCharacterList);
    for (const std::string& label : character_labels(model))
        gui.list_append(controls::kCharacterList, label);
    gui.list_select(controls::kCharacterList, std::max(model.current_index, 0));
    gui.set_label_text(controls::kInfoLabel, info_label_text(model));
}

GlyphChange put_back_character(FontModel& model, GuiServices& gui, int row, const Glyph& glyph)
{
    if (row < 0 || row > glyph_count(model))
        return {};
    insert_glyph(model, row, glyph);
    edit_row(model, gui, row);
    return {row, true};
}

GlyphChange take_out_character(FontModel& model, GuiServices& gui, int row)
{
    if (!is_glyph_row(model, row))
        return {};
    remove_glyph(model, row);
    edit_row(model, gui, std::max(std::min(row, glyph_count(model) - 1), 0));
    return {row, true};
}

GlyphChange add_character(FontModel& model, GuiServices& gui, EditSession& session)
{
    finish_stroke(model, session);
    std::vector<FormField> fields = {{"Character or U+XXXX", ""}};
    while (gui.form_dialog(kAddTitle, "The character to add, typed or as its code point (U+0416).", fields)) {
        const std::optional<char32_t> code_point = typed_character(fields[0].value);
        if (!code_point) {
            gui.message_box(kAddTitle, "Type one character, or its code point as U+ and hexadecimal digits (U+0416).");
            continue;
        }
        const GlyphPlace place = glyph_place(model, *code_point);
        if (place.found) {
            gui.message_box(kAddTitle, "The font has " + character_label(*code_point) + " already; it is chosen.");
            gui.list_select(controls::kCharacterList, place.row);
            select_character(model, gui);
            return {};
        }
        if (glyph_count(model) >= kMaxGlyphs) {
            gui.message_box(kAddTitle, "The font holds 65,535 characters, as many as a font can.");
            return {};
        }
        Glyph glyph;
        glyph.glyph_data = encode_glyph(GlyphGrid(model.header.glyph_width, model.header.glyph_height));
        glyph.code_point = *code_point;
        glyph.advance = most_common_advance(model);
        GlyphStep step;
        step.kind = StepKind::Added;
        step.row = place.row;
        step.glyph = glyph;
        session.history.record(std::move(step));
        return put_back_character(model, gui, place.row, glyph);
    }
    return {};
}

bool choose_code_page(FontModel& model, GuiServices& gui)
{
    std::vector<FormField> fields = {{"Code page", model.code_page}};
    const std::string note = "How the codes 0 to 255 of this font read as characters where Unicode is needed (the list,"
                             " BDF): a character set such as CP1251 or CP437, or empty for Latin-1.";
    while (gui.form_dialog("Code page", note, fields)) {
        const std::string name(trim_blanks_and_tabs(fields[0].value));
        if (!code_page_named(name)) {
            gui.message_box("Code page", quoted(name) + " is no single-byte character set this system knows.");
            continue;
        }
        const bool changed = model.code_page != name;
        model.code_page = name;
        show_character_list(model, gui);
        return changed;
    }
    return false;
}

GlyphChange remove_character(FontModel& model, GuiServices& gui, EditSession& session)
{
    finish_stroke(model, session);
    const int row = model.current_index;
    if (!is_glyph_row(model, row))
        return {};
    const std::string label = character_label(model.font_table[static_cast<std::size_t>(row)].code_point);
    if (gui.choice_dialog("Remove character", "Remove " + label + " and its glyph from the font?", {"Remove", "Keep"}, 1) != 0)
        return {};
    GlyphStep step;
    step.kind = StepKind::Removed;
    step.row = row;
    step.glyph = model.font_table[static_cast<std::size_t>(row)];
    session.history.record(std::move(step));
    return take_out_character(model, gui, row);
}

}  // namespace glyphwright

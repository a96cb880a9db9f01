#include "editor/editing_commands.h"

#include <optional>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "model/glyph_codec.h"
#include "text/code_page.h"
#include "text/text_primitives.h"

namespace glyphwright {

void select_character(FontModel& model, GuiServices& gui)
{
    int chosen = gui.list_selected(controls::kCharacterList);
    if (!is_table_row(model, chosen))
        return;
    choose_glyph(model, chosen);
    draw_glyph(model, gui);
}

void select_adjacent_character(FontModel& model, GuiServices& gui, int offset)
{
    int row = model.current_index + offset;
    if (!is_glyph_row(model, model.current_index) || !is_glyph_row(model, row))
        return;
    gui.list_select(controls::kCharacterList, row);
    select_character(model, gui);
}

void select_typed_character(FontModel& model, GuiServices& gui, std::string_view typed)
{
    const std::u32string characters = characters_of_text(typed);
    if (characters.size() != 1)
        return;
    const std::optional<CodePage> code_page =
        model.code_page.empty() ? std::nullopt : code_page_named(model.code_page);
    for (int row = 0; row < glyph_count(model); ++row) {
        const char32_t code = model.font_table[static_cast<std::size_t>(row)].code_point;
        const char32_t character = code <= 0xFF && code_page ? unicode_of(code, *code_page) : code;
        if (character == characters.front()) {
            gui.list_select(controls::kCharacterList, row);
            select_character(model, gui);
            return;
        }
    }
}

void copy_glyph(FontModel& model) { model.glyph_clipboard = encode_glyph(model.glyph_grid); }

}  // namespace glyphwright

#pragma once

// The editor over the Qt services on the offscreen platform, with a font open at its first glyph:
// the window fitted to it, the list filled, the glyph drawn and shown.

#include <QCoreApplication>

#include <string>

#include "editor/canvas_view.h"
#include "editor/controls.h"
#include "platform/qt/qt_gui_services.h"

namespace glyphwright::bench {

struct EditorOverQt {
    explicit EditorOverQt(FontModel opened)
        : model(std::move(opened))
    {
        gui.open_main_window(340, 570, "Glyphwright");
        gui.create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        fit_view_to_font(model, gui);
        draw_grid(model, gui);
        for (int row = 0; row < model.header.char_count; ++row)
            gui.list_append(controls::kCharacterList, std::to_string(model.header.first_char + row));
        gui.list_select(controls::kCharacterList, 0);
        model.current_index = 0;
        choose_glyph(model, 0);
        draw_glyph(model, gui);
        QCoreApplication::processEvents();
    }

    qt::QtGuiServices gui;
    FontModel model;
};

}  // namespace glyphwright::bench

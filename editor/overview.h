#pragma once

// The Overview window: every glyph of the font in a map, each with its character code, the glyph
// being edited framed, and an editable sample text drawn with the font at 1:1 and 2:1. The glyph
// being edited is drawn from the grid, the others from the table. It follows every change of the
// font; only what changed is drawn again, and only what is in view.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/overview_layout.h"
#include "model/font_model.h"
#include "platform/gui_services.h"

namespace glyphwright {

inline constexpr char kOverviewTitle[] = "Overview";
inline constexpr char kDefaultSampleText[] = "The quick brown fox 0123456789";

inline constexpr Colour kOverviewBackground = rgb(64, 64, 64);
inline constexpr Colour kMapLabelColour = rgb(200, 200, 200);
inline constexpr Colour kMapFrameColour = rgb(255, 170, 0);

// What a command may have changed: glyphs of the open font, or the font as a whole (an Open or an
// import), after which the layout, and the window where its size changes, are made again.
enum class FontScope { Glyphs, WholeFont };

struct Overview {
    bool is_open = false;
    std::string sample_text = kDefaultSampleText;  // kept while the window is closed
    MapLayout map;
    OverviewWindowLayout window;
    SampleLayout sample;
    int framed_index = -1;
    // The client size the user gave the window; zero while it has the size it opened at.
    ScreenSize user_size;
    // The glyph being edited, and the font's cell, as the window last drew them.
    std::string shown_glyph;
    FontHeader shown_header;

    // Reused between drawings, so that drawing a glyph allocates nothing.
    GlyphGrid scratch_grid;
    std::vector<std::uint8_t> scratch_bits;
};

// Opens the window for the model's font and draws it; nothing when it is open already.
void open_overview(Overview& overview, const FontModel& model, GuiServices& gui);
void close_overview(Overview& overview, GuiServices& gui);
// F2 and the Edit menu's item: opens the window when it is closed, closes it when it is open.
void toggle_overview(Overview& overview, const FontModel& model, GuiServices& gui);

// After any command: draws again what changed since the window last drew. Nothing while closed.
void overview_follow(Overview& overview, const FontModel& model, GuiServices& gui, FontScope scope);

// True for the ids of the window and its controls.
bool is_overview_control(int id);

// An event of the window or its controls: a click on the map chooses that character as the
// character list does; scrolling draws what came into view; an edit of the sample text draws it
// again; a new size lays the window out again, the map in as many columns as fit; the close box
// closes the window.
void overview_event(Overview& overview, FontModel& model, GuiServices& gui, const UiEvent& event);

// The glyph's pixels row after row, one byte each (1 for set), as draw_bits takes them.
void glyph_bits(const GlyphGrid& grid, std::vector<std::uint8_t>& bits);

}  // namespace glyphwright

#pragma once

// The file forms Glyphwright reads and writes. Each form is one record that says what it is (its
// name, its title in dialogs, its usual extensions) and what it can hold, and offers what it can
// do: find the fonts of its form in a text, read one, write a whole file, write one font back
// into its place. Open, the saves, Save in place and the converter's options are built from this
// list, so a new form is one unit and one row here.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/font_file.h"
#include "model/font.h"

namespace glyphwright {

enum class FontFormat { C, Bas, Bdf, Gfx, Vlw, TftEspi, Lvgl, Glcd, ThingPulse, FontToPy, U8g2 };

// What a form can hold.
struct FormLimits {
    int max_code = 255;     // the highest character code
    int max_glyphs = 255;
    int max_width = 255;    // glyph size in pixels
    int max_height = 255;
    bool proportional = false;  // each glyph its own advance
};

// A whole file with one font written into the place of another, or why it cannot be.
struct InPlaceText {
    bool ok = false;
    std::string text;   // the whole new file
    std::string error;  // when !ok
};

// Choices a writer takes besides the font: the converter's options of the forms that have them.
struct WriteOptions {
    bool run_length = false;  // tft-espi: the run-length encoded glyphs of TFT_eSPI's Fonts 4 to 8
    bool vertical_map = false;  // font-to-py: columns of bits, bit 0 at the top, instead of rows
    int u8g2_mode = 0;  // u8g2: the build mode, 0 to 3 (t: each glyph its own box, h, m, 8)
};

struct FileForm {
    FontFormat format;
    std::string_view name;        // what --format and --to take: "c"
    std::string_view title;       // the dialogs' name of its files: "C File"
    std::string_view save_title;  // the title of its save dialog
    std::vector<std::string_view> extensions;  // lower case, without the dot; the first is a save's default
    FormLimits limits;
    // Every font of the form in a text, or why the nearest candidate is none. Null for a form
    // that is only written.
    FontScan (*scan)(std::string_view text) = nullptr;
    // The font of an entry that `scan` found in the same text.
    FontReadResult (*read)(std::string_view text, const FontEntry& entry) = nullptr;
    // The whole file for a font; `save_path` names the file in its comments.
    std::string (*write)(const Font& font, std::string_view save_path, const WriteOptions& options) = nullptr;
    // The text with `font` written into the place of `entry`; null when the form cannot do it.
    InPlaceText (*write_in_place)(std::string_view text, const FontEntry& entry, const Font& font) = nullptr;
    // What no display draws of a font saved in this form, as warnings.
    std::vector<std::string> (*drawing_problems)(const FontHeader& header) = nullptr;
    // Why the form cannot hold the font, naming the glyph; null when its limits say all.
    std::string (*refusal)(const Font& font) = nullptr;

    // A file beside the font's own, of the same name with this extension, that holds part of the
    // font (TFT_eSPI keeps a font's height and baseline in a header beside its arrays); empty when
    // the form has none. It is read with the font when it exists and written with it.
    std::string_view companion_extension = {};
    // Takes what the companion's text says into a font read from the file beside it.
    void (*read_companion)(std::string_view text, Font& font, std::vector<std::string>& warnings) = nullptr;
    // The companion's text for the font: `old` with what changed written over it when the
    // companion exists, else a new one.
    std::string (*write_companion)(std::optional<std::string_view> old, const Font& font, std::string_view save_path) = nullptr;

    // `read` with the reader's options, for the forms that take any; null for the others.
    FontReadResult (*read_with_options)(std::string_view text, const FontEntry& entry, const ReadOptions& options) = nullptr;

    // The form's text names no font (a Python module is named by its file): a font read from a
    // file takes the file's name.
    bool named_by_file = false;
    bool readable() const { return scan != nullptr; }
};

// Every form, the readable ones first, in the order a tie between them is settled.
std::span<const FileForm> file_forms();

const FileForm& form_of(FontFormat format);

// The form called `name` ("c", "bas", "bdf"), or none.
const FileForm* form_named(std::string_view name);

// The form whose extensions hold the path's extension, without regard to case, or none.
std::optional<FontFormat> format_of_path(std::string_view path);

// The path of the companion file of a font file in `format`: its own with the companion's
// extension; empty when the form has no companion.
std::string companion_path(std::string_view path, FontFormat format);

// ".c", ".bas" or ".bdf": the first extension of the form.
std::string default_extension(FontFormat format);

// The path with the format's default extension appended when it has no extension at all.
std::string with_default_extension(std::string path, FontFormat format);

// The names of the forms, joined by `separator`: every form, or only those that can be read.
enum class FormSet { All, Readable };
std::string form_names(FormSet set, std::string_view separator = "|");

// The filter of the Open dialog («C File|*.c;*.h|BAS File|*.bas;*.BAS|All files (*.*)|*.*») and of a
// save dialog in one form («C File|*.c|All files (*.*)|*.*»).
std::string open_dialog_filter();
std::string save_dialog_filter(FontFormat format);
// The filter of a save dialog for every form the program writes.
std::string every_form_save_filter();

}  // namespace glyphwright

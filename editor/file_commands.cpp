#include "editor/file_commands.h"

#include "editor/canvas_view.h"
#include "editor/character_steps.h"
#include "editor/controls.h"
#include "editor/import_command.h"
#include "formats/font_document.h"
#include "formats/font_in_place.h"
#include "formats/new_font.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr const char* kOpenTitle = "font.c or font.BAS file to modify.";
// Bitmap fonts open through the importer, after the forms the registry reads.
constexpr const char* kBitmapFontFilter = "Bitmap fonts|*.pcf;*.pcf.gz;*.otb;*.fnt;*.fon|";

bool is_bitmap_font_name(std::string_view path)
{
    const std::string extension = to_upper(file_extension(path));
    return extension == "PCF" || extension == "GZ" || extension == "OTB" || extension == "FNT" || extension == "FON";
}

std::string open_filter()
{
    std::string filter = open_dialog_filter();
    return filter.insert(filter.rfind("All files"), kBitmapFontFilter);
}

// The font of a file with several that the user chooses, the first preselected; none when the
// choice is cancelled.
std::optional<std::size_t> choose_font(GuiServices& gui, const ScannedFontFile& file, const std::string& path)
{
    const std::vector<FontEntry>& entries = file.scan.entries;
    if (entries.size() == 1)
        return 0;
    std::vector<std::string> choices;
    for (std::size_t at = 0; at < entries.size(); ++at)
        choices.push_back(font_entry_description(entries[at], at));
    int chosen = gui.choice_dialog("Choose a font", quoted_file_name(path) + " holds " + to_decimal(static_cast<std::int64_t>(entries.size()))
                                   + " fonts. Which one do you want to edit?", choices, 0);
    if (chosen < 0 || chosen >= static_cast<int>(entries.size()))
        return std::nullopt;
    return static_cast<std::size_t>(chosen);
}

// Shows the newly opened font: window and canvas fitted to it, its characters in the list, the
// first one selected and drawn.
void rebuild_view(FontModel& model, GuiServices& gui)
{
    fit_view_to_font(model, gui);
    draw_grid(model, gui);
    show_character_list(model, gui);
    choose_glyph(model, model.current_index);
    draw_glyph(model, gui);
}

bool save_as(FontModel& model, GuiServices& gui, FontFormat format)
{
    std::string path = gui.save_file_dialog(std::string(form_of(format).save_title), "", save_dialog_filter(format), 0);
    if (path.empty())
        return false;
    return save_font_path(model, gui, with_default_extension(path, format), format);
}

constexpr int kSavedNoticeMilliseconds = 4000;

// After a save of the whole font: the label says what was written, for a moment.
void tell_saved(FontModel& model, GuiServices& gui)
{
    gui.show_label_text_for(controls::kInfoLabel, "Saved " + font_display_name(model.source) + " to "
                            + std::string(file_name_part(model.source.path)), kSavedNoticeMilliseconds);
}

// The saved file as the font's file from now on, as its first font.
void adopt_saved_file(FontModel& model, const std::string& path, FontFormat format)
{
    ScannedFontFile file = scan_font_file(path, format);
    if (!file.ok) {
        model.source = {path, -1, "", "", {}, 1};
        return;
    }
    model.source = {path, 0, file.scan.entries.front().name, std::string(form_of(format).name), file.stamp,
                    static_cast<int>(file.scan.entries.size())};
}

}  // namespace

bool open_font(FontModel& model, GuiServices& gui)
{
    std::string path = gui.open_file_dialog(kOpenTitle, "", open_filter(), 0);
    if (path.empty())
        return false;
    return open_font_path(model, gui, path);
}

bool open_font_path(FontModel& model, GuiServices& gui, const std::string& path, std::string_view font_choice)
{
    // A bitmap font is tried first when its name says it is one: searching megabytes of BDF for C
    // arrays and DefineFont blocks finds nothing and takes time.
    if (is_bitmap_font_name(path) && open_bitmap_font(model, gui, path))
        return true;
    ScannedFontFile file = scan_font_file(path);
    if (!file.ok) {
        if (!is_bitmap_font_name(path) && open_bitmap_font(model, gui, path))
            return true;
        gui.message_box("Cannot open", file.message);
        return false;
    }
    std::optional<std::size_t> entry;
    if (font_choice.empty()) {
        entry = choose_font(gui, file, path);
    } else {
        std::string problem;
        entry = find_font_entry(file.scan, font_choice, problem);
        if (!entry)
            gui.message_box("Cannot open", "In " + quoted_file_name(path) + ", " + problem + ".");
    }
    if (!entry)
        return false;
    FontReadResult read = read_font_entry(file, *entry);
    if (!read.ok) {
        gui.message_box("Cannot open", quoted_file_name(path) + " cannot be opened: " + read.message);
        return false;
    }
    show_new_font(model, gui, read);
    const FontEntry& font = file.scan.entries[*entry];
    model.source = {path, static_cast<int>(*entry), font.name, std::string(form_of(file.format).name), file.stamp,
                    static_cast<int>(file.scan.entries.size())};
    if (!read.warnings.empty())
        gui.message_box("Warnings", quoted_file_name(path) + " was opened, but:\n" + warning_summary(read.warnings));
    return true;
}

void show_new_font(FontModel& model, GuiServices& gui, FontReadResult& read)
{
    adopt_font(model, std::move(read.font));
    rebuild_view(model, gui);
}

bool save_as_c(FontModel& model, GuiServices& gui) { return save_as(model, gui, FontFormat::C); }

bool save_as_bas(FontModel& model, GuiServices& gui) { return save_as(model, gui, FontFormat::Bas); }

bool save_as_bdf(FontModel& model, GuiServices& gui) { return save_as(model, gui, FontFormat::Bdf); }

bool save_as_any(FontModel& model, GuiServices& gui)
{
    const FileForm* own = form_named(model.source.form);
    const FontFormat fallback = own != nullptr ? own->format : FontFormat::C;
    std::string path = gui.save_file_dialog("Save the font as", "", every_form_save_filter(), 0);
    if (path.empty())
        return false;
    const FontFormat format = format_of_path(path).value_or(fallback);
    return save_font_path(model, gui, with_default_extension(path, format), format);
}

bool save_font_path(FontModel& model, GuiServices& gui, const std::string& path, FontFormat format)
{
    FileResult saved = save_font(model, path, format);
    if (!saved.ok) {
        gui.message_box("Cannot save", "The font was not saved. " + saved.error);
        return false;
    }
    adopt_saved_file(model, path, format);
    tell_saved(model, gui);
    std::vector<std::string> notes = save_notes(model, format);
    std::vector<std::string> problems = drawing_problems(model, format);
    std::string told;
    if (!notes.empty())
        told = "The font was saved as this form holds it:\n" + warning_summary(notes);
    if (!problems.empty())
        told += (told.empty() ? "The font was saved, but" : "\nBut") + std::string(" no display draws it as it is:\n")
              + warning_summary(problems);
    if (!told.empty())
        gui.message_box("Saved", told);
    return true;
}

bool can_save_in_place(const FontModel& model)
{
    const FontSource& source = model.source;
    const FileForm* form = form_named(source.form);
    return !source.path.empty() && form != nullptr && form->write_in_place != nullptr && source.entry >= 0;
}

bool save_in_place(FontModel& model, GuiServices& gui)
{
    const FontSource& source = model.source;
    const FileForm* form = form_named(source.form);
    if (source.path.empty() || form == nullptr || source.entry < 0) {
        gui.message_box("Save in place", "This font was not opened from a font file, so it has no place to be saved"
                        " back into. Save it with Save as C or Save as BAS.");
        return false;
    }
    InPlaceTarget target{source.path, form->format, static_cast<std::size_t>(source.entry), source.name, source.stamp};
    InPlaceResult saved = save_font_in_place(model, target);
    if (!saved.ok) {
        gui.message_box("Cannot save", saved.error);
        return false;
    }
    model.source.stamp = saved.stamp;
    tell_saved(model, gui);
    return true;
}

bool save_font_command(FontModel& model, GuiServices& gui)
{
    return can_save_in_place(model) ? save_in_place(model, gui) : save_as_any(model, gui);
}

Settled settle_unsaved_changes(FontModel& model, GuiServices& gui, bool unsaved)
{
    if (!unsaved)
        return Settled::NothingToSave;
    const int answer = gui.question_box("Unsaved changes", "Save the changes to " + font_display_name(model.source) + "?",
                                        {"Save", "Discard", "Cancel"});
    if (answer == 0)
        return save_font_command(model, gui) ? Settled::Saved : Settled::Cancelled;
    return answer == 1 ? Settled::Discarded : Settled::Cancelled;
}

bool new_font_command(FontModel& model, GuiServices& gui)
{
    std::vector<FormField> fields = {{"Width", "8"}, {"Height", "16"}, {"First code", "32"}, {"Count", "95"}};
    while (gui.form_dialog("New font", "The size of its glyphs in pixels, and its characters.", fields)) {
        int values[4] = {};
        bool numbers = true;
        for (std::size_t at = 0; at < 4; ++at) {
            std::string_view text = trim_blanks_and_tabs(fields[at].value);
            numbers = numbers && !text.empty() && text.size() < 6 && text.find_first_not_of("0123456789") == std::string_view::npos;
            values[at] = numbers ? static_cast<int>(parse_value(text)) : 0;
        }
        FontReadResult made = numbers ? make_blank_font({values[0], values[1], values[2], values[3]})
                                      : refused("each field takes a whole number");
        if (!made.ok) {
            gui.message_box("New font", "No font was made: " + made.message);
            continue;
        }
        show_new_font(model, gui, made);
        return true;
    }
    return false;
}

}  // namespace glyphwright

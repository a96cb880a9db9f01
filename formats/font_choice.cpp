#include "formats/font_choice.h"

#include "text/line_reader.h"
#include "text/text_primitives.h"

namespace glyphwright {

FontReadResult read_chosen_font(const std::string& path, const FontChoice& choice)
{
    ScannedFontFile file = scan_font_file(path, choice.format);
    if (!file.ok)
        return refused(file.message);
    std::size_t entry = 0;
    if (!choice.font.empty()) {
        std::string problem;
        std::optional<std::size_t> found = find_font_entry(file.scan, choice.font, problem);
        if (!found)
            return refused("in " + quoted_file_name(path) + ", " + problem);
        entry = *found;
    }
    FontReadResult read = read_font_entry(file, entry, choice.read_options);
    if (!read.ok)
        read.message = quoted_file_name(path) + " cannot be opened: " + read.message;
    else if (!choice.code_page.empty())
        read.font.code_page = choice.code_page;
    return read;
}

std::vector<std::string> font_listing(const ScannedFontFile& file)
{
    std::vector<std::string> lines;
    const std::vector<FontEntry>& entries = file.scan.entries;
    for (std::size_t at = 0; at < entries.size(); ++at) {
        std::size_t first = line_number_at(file.content, entries[at].begin);
        std::size_t last = line_number_at(file.content, entries[at].end > 0 ? entries[at].end - 1 : 0);
        lines.push_back(to_decimal(static_cast<std::int64_t>(at + 1)) + ": " + font_entry_description(entries[at], at)
                        + " (" + std::string(form_of(file.format).name) + ", lines " + to_decimal(static_cast<std::int64_t>(first)) + " to "
                        + to_decimal(static_cast<std::int64_t>(last)) + ")");
    }
    return lines;
}

PutInPlaceResult put_font_in_place(const std::string& font_file, const std::string& target, const FontChoice& choice)
{
    PutInPlaceResult result;
    FontReadResult read = read_chosen_font(font_file, {});
    if (!read.ok) {
        result.message = read.message;
        return result;
    }
    ScannedFontFile file = scan_font_file(target, choice.format);
    if (!file.ok) {
        result.message = file.message;
        return result;
    }
    std::string problem;
    std::optional<std::size_t> entry = find_font_entry(file.scan, choice.font, problem);
    if (!entry) {
        result.message = "in " + quoted_file_name(target) + ", " + problem;
        return result;
    }
    const Font& model = read.font;
    InPlaceTarget place{target, file.format, *entry, file.scan.entries[*entry].name, file.stamp};
    InPlaceResult saved = save_font_in_place(model, place);
    if (!saved.ok) {
        result.message = saved.error;
        return result;
    }
    result.ok = true;
    result.warnings = read.warnings;
    for (const std::string& note : save_notes(model, file.format))
        result.warnings.push_back("in " + quoted_file_name(target) + ", " + note);
    for (const std::string& drawing : drawing_problems(model, file.format))
        result.warnings.push_back("in " + quoted_file_name(target) + ", " + drawing);
    return result;
}

}  // namespace glyphwright

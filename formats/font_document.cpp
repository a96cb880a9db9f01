#include "formats/font_document.h"

#include "formats/fixed_form.h"
#include "formats/font_text.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// How sure a form is of the fonts it found in a text: 2 when one of them is certain, 1 when all
// are guesses, 0 when it found none.
int claim_of(const FontScan& scan)
{
    if (scan.entries.empty())
        return 0;
    for (const FontEntry& entry : scan.entries) {
        if (!entry.guessed)
            return 2;
    }
    return 1;
}

// The scan of the form that claims the text best, ties going to the form of the path's extension.
// The extension's form is searched first: when it is certain, no other form can do better, and a
// large file is not searched again in vain.
void scan_every_form(ScannedFontFile& file, std::optional<FontFormat> by_extension)
{
    int best = 0;
    std::string refusal;
    if (by_extension && form_of(*by_extension).readable()) {
        file.scan = form_of(*by_extension).scan(file.content);
        file.format = *by_extension;
        best = claim_of(file.scan);
        if (best == 2)
            return;
        refusal = file.scan.refusal;
    }
    for (const FileForm& form : file_forms()) {
        if (!form.readable() || form.format == by_extension)
            continue;
        FontScan scan = form.scan(file.content);
        int claim = claim_of(scan);
        if (claim == 0 && refusal.empty())
            refusal = scan.refusal;
        if (claim > best) {
            best = claim;
            file.format = form.format;
            file.scan = std::move(scan);
        }
    }
    if (best == 0)
        file.scan.refusal = refusal;
}

}  // namespace

ScannedFontFile scan_font_file(const std::string& path, std::optional<FontFormat> format)
{
    ScannedFontFile result;
    std::string name(file_name_part(path));
    if (format && !form_of(*format).readable()) {
        result.message = quoted(name) + " would be read as a " + std::string(form_of(*format).title)
                       + ", which is only written; BDF fonts are imported (Import font... in the editor, --import in"
                         " glyphwright-convert).";
        return result;
    }
    OpenedTextFile file = open_text_file(path);
    if (!file.ok) {
        result.message = file.error;
        return result;
    }
    result.stamp = file.stamp;
    result.content = std::move(file.content);
    if (format) {
        result.format = *format;
        result.scan = form_of(*format).scan(result.content);
    } else {
        scan_every_form(result, format_of_path(path));
    }
    if (result.scan.entries.empty()) {
        result.message = quoted(name) + " cannot be opened: " + result.scan.refusal;
        return result;
    }
    if (form_of(result.format).named_by_file) {
        const std::string_view extension = file_extension(name);
        for (FontEntry& entry : result.scan.entries)
            if (entry.name.empty())
                entry.name = name.substr(0, name.size() - extension.size() - (extension.empty() ? 0 : 1));
    }
    if (const std::string companion = companion_path(path, result.format); !companion.empty())
        if (OpenedTextFile beside = open_text_file(companion); beside.ok)
            result.companion = std::move(beside.content);
    result.ok = true;
    return result;
}

FontReadResult read_font_entry(const ScannedFontFile& file, std::size_t entry, const ReadOptions& options)
{
    if (entry >= file.scan.entries.size())
        return refused("the file holds no font " + to_decimal(static_cast<std::int64_t>(entry + 1)));
    const FileForm& form = form_of(file.format);
    const bool any_option = options.threshold || options.columns;
    const bool with_options = any_option && form.read_with_options != nullptr;
    FontReadResult result = with_options ? form.read_with_options(file.content, file.scan.entries[entry], options)
                                         : form.read(file.content, file.scan.entries[entry]);
    if (result.ok && any_option && !with_options)
        result.warnings.push_back("the " + std::string(form.title) + " form states its own pixels and cell; the threshold and the cell given are not used");
    if (result.ok && form.named_by_file && result.font.name.empty())
        result.font.name = file.scan.entries[entry].name;
    if (result.ok && file.companion && form.read_companion != nullptr)
        form.read_companion(*file.companion, result.font, result.warnings);
    return result;
}

FontReadResult read_font_file(const std::string& path)
{
    ScannedFontFile file = scan_font_file(path);
    if (!file.ok)
        return refused(file.message);
    FontReadResult result = read_font_entry(file, 0);
    if (!result.ok)
        result.message = quoted_file_name(path) + " cannot be opened: " + result.message;
    return result;
}

std::optional<std::size_t> find_font_entry(const FontScan& scan, std::string_view choice, std::string& problem)
{
    const std::vector<FontEntry>& entries = scan.entries;
    bool number = !choice.empty() && choice.find_first_not_of("0123456789") == std::string_view::npos;
    if (number && choice.size() < 10) {
        std::int64_t position = parse_value(choice);
        if (position >= 1 && position <= static_cast<std::int64_t>(entries.size()))
            return static_cast<std::size_t>(position - 1);
        problem = "there is no font " + std::string(choice) + "; the file holds " + counted(static_cast<std::int64_t>(entries.size()), "font", "fonts");
        return std::nullopt;
    }
    for (std::size_t at = 0; at < entries.size(); ++at) {
        if (!choice.empty() && entries[at].name == choice)
            return at;
    }
    problem = "no font is called " + quoted(choice);
    return std::nullopt;
}

std::string font_entry_description(const FontEntry& entry, std::size_t position)
{
    const FontHeader& header = entry.header;
    std::string name = entry.name.empty() ? "Font " + to_decimal(static_cast<std::int64_t>(position + 1)) : entry.name;
    return name + ": " + to_decimal(header.glyph_width) + " x " + to_decimal(header.glyph_height) + ", "
         + counted(header.char_count, "character", "characters") + " from " + to_decimal(header.first_char);
}

std::string warning_summary(const std::vector<std::string>& warnings)
{
    constexpr std::size_t kShown = 10;
    std::string text;
    for (std::size_t at = 0; at < warnings.size() && at < kShown; ++at)
        text += (at == 0 ? "" : "\n") + warnings[at];
    if (warnings.size() > kShown)
        text += "\n... and " + to_decimal(static_cast<std::int64_t>(warnings.size() - kShown)) + " more.";
    return text;
}

namespace {

bool has_one_cell(FontFormat format) { return !form_of(format).limits.proportional; }

}  // namespace

std::vector<std::string> drawing_problems(const Font& model, FontFormat format)
{
    if (!has_one_cell(format) || fits_fixed_form(model))
        return form_of(format).drawing_problems(model.header);
    return form_of(format).drawing_problems(fixed_form_header(model));
}

std::string save_refusal(const Font& model, FontFormat format)
{
    if (const FileForm& form = form_of(format); form.refusal != nullptr)
        return form.refusal(model);
    if (!has_one_cell(format))
        return {};
    return fixed_form_refusal(model, form_of(format).title);
}

std::vector<std::string> save_notes(const Font& model, FontFormat format)
{
    if (!has_one_cell(format))
        return {};
    return fixed_form_notes(model);
}

std::string font_file_text(const Font& model, FontFormat format, std::string_view save_path, const WriteOptions& options)
{
    if (has_one_cell(format) && !fits_fixed_form(model))
        return form_of(format).write(fixed_form_of(model), save_path, options);
    return form_of(format).write(model, save_path, options);
}

FileResult save_font(const Font& model, const std::string& path, FontFormat format, const WriteOptions& options)
{
    if (std::string refusal = save_refusal(model, format); !refusal.empty())
        return {false, "It cannot be saved as a " + std::string(form_of(format).title) + ": " + refusal + "."};
    FileResult written = write_whole_text_file(path, font_file_text(model, format, path, options));
    const FileForm& form = form_of(format);
    if (!written.ok || form.write_companion == nullptr)
        return written;
    return write_whole_text_file(companion_path(path, format), form.write_companion(std::nullopt, model, path));
}

FileResult save_font_or_print(const Font& font, const std::string& path, std::string_view name_source, FontFormat format,
                              const WriteOptions& options)
{
    if (path != kStandardOutputPath)
        return save_font(font, path, format, options);
    const FileForm& form = form_of(format);
    if (std::string refusal = save_refusal(font, format); !refusal.empty())
        return {false, "It cannot be saved as a " + std::string(form.title) + ": " + refusal + "."};
    if (form.write_companion != nullptr)
        return {false, "A " + std::string(form.title) + " is written as two files, which standard output cannot hold."};
    std::string name_path(file_name_part(name_source));
    if (const std::string_view extension = file_extension(name_path); !extension.empty())
        name_path.resize(name_path.size() - extension.size() - 1);
    name_path.append(".").append(form.extensions.front());
    return write_standard_output(font_file_text(font, format, name_path, options));
}

}  // namespace glyphwright

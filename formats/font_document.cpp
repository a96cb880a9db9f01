#include "formats/font_document.h"

#include "formats/bas_font.h"
#include "formats/bdf_font.h"
#include "formats/c_font.h"
#include "formats/font_text.h"
#include "text/text_primitives.h"

namespace glyphwright {

std::optional<FontFormat> format_of_path(std::string_view path)
{
    std::string extension = to_upper(file_extension(path));
    if (extension == "C")
        return FontFormat::C;
    if (extension == "BAS")
        return FontFormat::Bas;
    if (extension == "BDF")
        return FontFormat::Bdf;
    return std::nullopt;
}

std::string_view default_extension(FontFormat format)
{
    switch (format) {
    case FontFormat::C:
        return ".c";
    case FontFormat::Bas:
        return ".bas";
    case FontFormat::Bdf:
        return ".bdf";
    }
    return {};
}

std::string with_default_extension(std::string path, FontFormat format)
{
    if (file_extension(path).empty())
        path += default_extension(format);
    return path;
}

ScannedFontFile scan_font_file(const std::string& path, std::optional<FontFormat> format)
{
    ScannedFontFile result;
    std::string name(file_name_part(path));
    if (!format)
        format = format_of_path(path);
    if (!format) {
        result.message = quoted(name) + " is neither a C font file (.c) nor a DefineFont file (.bas); only those can be opened.";
        return result;
    }
    if (*format == FontFormat::Bdf) {
        result.message = quoted(name)
                       + " is a BDF font; BDF fonts are imported (Import font... in the editor, --import in glyphwright-convert).";
        return result;
    }
    OpenedTextFile file = open_text_file(path);
    if (!file.ok) {
        result.message = file.error;
        return result;
    }
    result.format = *format;
    result.stamp = file.stamp;
    result.content = std::move(file.content);
    result.scan = *format == FontFormat::C ? scan_c_fonts(result.content) : scan_bas_fonts(result.content);
    if (result.scan.entries.empty()) {
        result.message = quoted(name) + " cannot be opened: " + result.scan.refusal;
        return result;
    }
    result.ok = true;
    return result;
}

FontReadResult read_font_entry(const ScannedFontFile& file, std::size_t entry)
{
    if (entry >= file.scan.entries.size()) {
        FontReadResult result;
        result.message = "the file holds no font " + to_decimal(static_cast<std::int64_t>(entry + 1));
        return result;
    }
    const FontEntry& font = file.scan.entries[entry];
    return file.format == FontFormat::C ? read_c_font_entry(file.content, font) : read_bas_font_entry(file.content, font);
}

FontReadResult read_font_file(const std::string& path)
{
    ScannedFontFile file = scan_font_file(path);
    if (!file.ok) {
        FontReadResult result;
        result.message = file.message;
        return result;
    }
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

std::vector<std::string> drawing_problems(const FontHeader& header, FontFormat format)
{
    std::vector<std::string> problems;
    if (format == FontFormat::Bdf)
        return problems;
    for (const std::string& problem : {codes_problem(header), format == FontFormat::C ? row_width_problem(header) : ""}) {
        if (!problem.empty())
            problems.push_back(problem);
    }
    return problems;
}

void adopt_font(FontModel& model, FontReadResult& read)
{
    model.header = read.font.header;
    model.header_bytes_text = std::move(read.font.header_bytes_text);
    model.header_text = std::move(read.font.header_text);
    model.font_table = std::move(read.font.font_table);
    model.font_table.resize(kFontTableRows);
    reset_glyph_grid(model);
    model.current_index = 0;
    model.source = {};
    load_glyph(model, 0);
}

std::string font_file_text(const FontModel& model, FontFormat format, std::string_view save_path)
{
    switch (format) {
    case FontFormat::C:
        return write_c_font(model, save_path);
    case FontFormat::Bas:
        return write_bas_font(model, save_path);
    case FontFormat::Bdf:
        return write_bdf_font(model, save_path);
    }
    return {};
}

void store_edited_glyph(FontModel& model)
{
    if (model.current_index >= 0 && model.current_index < static_cast<int>(model.font_table.size()))
        store_glyph(model, model.current_index);
}

FileResult save_font(FontModel& model, const std::string& path, FontFormat format)
{
    store_edited_glyph(model);
    return write_whole_text_file(path, font_file_text(model, format, path));
}

}  // namespace glyphwright

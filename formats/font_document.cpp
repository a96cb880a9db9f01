#include "formats/font_document.h"

#include "formats/bas_font.h"
#include "formats/bdf_font.h"
#include "formats/c_font.h"
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

FontReadResult read_font_file(const std::string& path)
{
    FontReadResult result;
    std::optional<FontFormat> format = format_of_path(path);
    if (!format) {
        result.message = "\"" + std::string(file_name_part(path))
                       + "\" is neither a C font file (.c) nor a DefineFont file (.bas); only those can be opened.";
        return result;
    }
    if (*format == FontFormat::Bdf) {
        result.message = "\"" + std::string(file_name_part(path))
                       + "\" is a BDF font; BDF fonts are imported (Import font... in the editor, --import in glyphwright-convert).";
        return result;
    }
    OpenedTextFile file = open_text_file(path);
    if (!file.ok) {
        result.message = file.error;
        return result;
    }
    result = *format == FontFormat::C ? read_c_font(file.content) : read_bas_font(file.content);
    if (!result.ok)
        result.message = "\"" + std::string(file_name_part(path)) + "\" cannot be opened: " + result.message;
    return result;
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

FileResult save_font(FontModel& model, const std::string& path, FontFormat format)
{
    if (model.current_index >= 0 && model.current_index < static_cast<int>(model.font_table.size()))
        store_glyph(model, model.current_index);
    return write_whole_text_file(path, font_file_text(model, format, path));
}

}  // namespace glyphwright

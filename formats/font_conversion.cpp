#include "formats/font_conversion.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright {

ConversionResult convert_font_file(const std::string& input, const std::string& output, FontFormat format,
                                   const FontChoice& choice, const WriteOptions& options)
{
    ConversionResult result;
    FontReadResult read = read_chosen_font(input, choice);
    if (!read.ok) {
        result.message = read.message;
        return result;
    }
    const Font& model = read.font;
    FileResult saved = save_font_or_print(model, output, input, format, options);
    if (!saved.ok) {
        result.message = saved.error;
        return result;
    }
    result.ok = true;
    result.warnings = std::move(read.warnings);
    for (const std::string& note : save_notes(model, format))
        result.warnings.push_back("as saved, " + note);
    // A problem the input had already is told once.
    for (const std::string& problem : drawing_problems(model, format)) {
        bool told = std::any_of(result.warnings.begin(), result.warnings.end(), [&](const std::string& warning) {
            return warning.size() >= problem.size() && warning.compare(warning.size() - problem.size(), problem.size(), problem) == 0;
        });
        if (!told)
            result.warnings.push_back("as saved, " + problem);
    }
    return result;
}

std::string output_path_in_folder(const std::string& input, const std::string& folder, FontFormat format)
{
    std::string name(file_name_part(input));
    std::string_view extension = file_extension(name);
    if (!extension.empty())
        name.resize(name.size() - extension.size() - 1);
    std::string separator = !folder.empty() && folder.back() == '/' ? "" : "/";
    return folder + separator + name + std::string(default_extension(format));
}

std::vector<std::string> check_report(const std::string& path, const FontReadResult& read)
{
    const FontHeader& header = read.font.header;
    std::vector<std::string> lines;
    lines.push_back(path + ": " + to_decimal(header.glyph_width) + "x" + to_decimal(header.glyph_height)
                    + " pixels, characters " + to_decimal(header.first_char) + " to "
                    + to_decimal(header.first_char + header.char_count - 1) + ", " + to_decimal(header.char_count)
                    + " glyphs, " + to_decimal(memory_usage(header)) + " bytes");
    for (const std::string& warning : read.warnings)
        lines.push_back(path + ": warning: " + warning);
    return lines;
}

}  // namespace glyphwright

#include "app/convert/import_arguments.h"

#include <cstdio>
#include <optional>
#include <set>

#include "app/convert/font_choice_arguments.h"
#include "formats/font_document.h"
#include "formats/new_font.h"
#include "import/code_points.h"
#include "import/font_import.h"
#include "import/option_text.h"

namespace glyphwright {

std::string import_usage()
{
    return "  glyphwright-convert --import FONT [--size PX] [--first C] [--count N]\n"
           "                      [--from U+XXXX | --map FILE | --range U+XXXX-U+YYYY[,...]]\n"
           "                      [--cell WxH] [--center]\n"
           "                      [--threshold T] [--face I] [--codepage NAME] [--to NAME] OUT\n"
           "      Make a font from a TrueType, OpenType, BDF, PCF or Windows font and write it as OUT,\n"
           "      in the form --to names (" + form_names(FormSet::All, ", ") + ") or else OUT's extension.\n"
           "  glyphwright-convert --new WxH [--first C] [--count N] [--to NAME] OUT\n"
           "      Write a blank font of W x H pixels.\n";
}

namespace {

int usage_error(const std::string& message)
{
    std::fprintf(stderr, "glyphwright-convert: %s\n", message.c_str());
    std::fputs("Usage:\n", stderr);
    std::fputs(import_usage().c_str(), stderr);
    return 2;
}

// Options of both commands, as far as they were given.
struct Arguments {
    std::string source;  // the font file, or the size of a new font
    std::string output;
    ImportOptions options;
    std::string map_path;
    std::string error;
};

bool take_number(const std::string& name, const std::string& text, int minimum, int maximum, int& value, std::string& error)
{
    std::optional<int> number = parse_number(text, minimum, maximum);
    if (!number) {
        error = name + " takes a number from " + std::to_string(minimum) + " to " + std::to_string(maximum) + ", not \""
              + text + "\"";
        return false;
    }
    value = *number;
    return true;
}

// Reads one option with its value at `at`; false, with `error` set, when it is not one.
bool take_option(const std::vector<std::string>& arguments, std::size_t& at, Arguments& parsed)
{
    const std::string& name = arguments[at];
    ImportOptions& options = parsed.options;
    if (name == "--center") {
        options.placement = Placement::Centred;
        return true;
    }
    static const std::set<std::string> kValued = {"--size", "--first", "--count", "--from", "--map",
                                                  "--cell", "--threshold", "--face", "--range", "--codepage"};
    if (kValued.count(name) == 0) {
        parsed.error = "unknown option \"" + name + "\"";
        return false;
    }
    if (at + 1 >= arguments.size()) {
        parsed.error = name + " needs a value";
        return false;
    }
    const std::string& value = arguments[++at];
    if (name == "--size")
        return take_number(name, value, 1, 255, options.pixel_size, parsed.error);
    if (name == "--first")
        return take_number(name, value, 0, 255, options.first_code, parsed.error);
    if (name == "--count")
        return take_number(name, value, 0, 255, options.char_count, parsed.error);
    if (name == "--face")
        return take_number(name, value, 0, 0xFFFF, options.face_index, parsed.error);
    if (name == "--threshold") {
        options.rendering = Rendering::Grey;
        return take_number(name, value, 0, 255, options.threshold, parsed.error);
    }
    if (name == "--from") {
        options.first_code_point = parse_code_point(value);
        if (!options.first_code_point)
            parsed.error = "--from takes a code point such as U+0410, not \"" + value + "\"";
        return options.first_code_point.has_value();
    }
    if (name == "--codepage") {
        options.code_page = code_page_named(value);
        if (!options.code_page)
            parsed.error = "--codepage takes a single-byte character set the system knows, such as CP1251, not \"" + value + "\"";
        return options.code_page.has_value();
    }
    if (name == "--range") {
        std::optional<std::vector<CodePointRange>> ranges = parse_code_point_ranges(value);
        if (!ranges)
            parsed.error = "--range takes code points such as U+0020-U+007E,U+0400-U+045F, not \"" + value + "\"";
        else
            options.ranges = std::move(*ranges);
        return ranges.has_value();
    }
    if (name == "--cell") {
        options.cell = parse_cell_size(value);
        if (!options.cell)
            parsed.error = "--cell takes a size such as 8x16, not \"" + value + "\"";
        return options.cell.has_value();
    }
    parsed.map_path = value;
    return true;
}

// The source comes first and the output last; options stand between them.
Arguments parse_arguments(const std::vector<std::string>& arguments)
{
    Arguments parsed;
    if (arguments.size() < 2) {
        parsed.error = "a source and an output file are needed";
        return parsed;
    }
    parsed.source = arguments.front();
    parsed.output = arguments.back();
    std::vector<std::string> options(arguments.begin() + 1, arguments.end() - 1);
    for (std::size_t at = 0; at < options.size() && parsed.error.empty(); ++at)
        take_option(options, at, parsed);
    if (parsed.error.empty() && parsed.output.rfind("--", 0) == 0)
        parsed.error = "the output file must come last, after \"" + parsed.output + "\"";
    if (parsed.error.empty() && parsed.options.first_code_point && !parsed.map_path.empty())
        parsed.error = "--from and --map exclude each other";
    if (parsed.error.empty() && !parsed.options.ranges.empty()
        && (parsed.options.first_code_point || !parsed.map_path.empty()))
        parsed.error = "--range names the code points itself, so it excludes --from and --map";
    return parsed;
}

// Writes the made font to the output; the status of the whole command.
int write_made_font(FontReadResult& made, const std::string& source, const std::string& output, FontFormat format,
                    const WriteOptions& options)
{
    for (const std::string& warning : made.warnings)
        std::fprintf(stderr, "%s: warning: %s\n", source.c_str(), warning.c_str());
    const Font& model = made.font;
    FileResult saved = save_font_or_print(model, output, source, format, options);
    if (!saved.ok) {
        std::fprintf(stderr, "%s: %s\n", output == kStandardOutputPath ? "standard output" : output.c_str(), saved.error.c_str());
        return 1;
    }
    const std::string written = output == kStandardOutputPath ? "standard output" : output;
    for (const std::string& note : save_notes(model, format))
        std::fprintf(stderr, "%s: warning: %s\n", written.c_str(), note.c_str());
    return 0;
}

}  // namespace

int run_import(std::vector<std::string> arguments)
{
    std::optional<FontFormat> to;
    WriteOptions write_options;
    std::string problem = take_output_form(arguments, to, write_options);
    if (!problem.empty())
        return usage_error("--import: " + problem);
    Arguments parsed = parse_arguments(arguments);
    if (!parsed.error.empty())
        return usage_error("--import: " + parsed.error);
    std::optional<FontFormat> format = output_form(parsed.output, to, problem);
    if (!format)
        return usage_error(problem);
    if (!parsed.map_path.empty()) {
        CodePointMap map = read_code_point_map(parsed.map_path);
        if (!map.ok) {
            std::fprintf(stderr, "%s: %s\n", parsed.map_path.c_str(), map.message.c_str());
            return 1;
        }
        parsed.options.mapped_code_points = std::move(map.code_points);
    }
    FontReadResult imported = import_font(parsed.source, parsed.options);
    if (!imported.ok) {
        std::fprintf(stderr, "%s: %s\n", parsed.source.c_str(), imported.message.c_str());
        return 1;
    }
    return write_made_font(imported, parsed.source, parsed.output, *format, write_options);
}

int run_new(std::vector<std::string> arguments)
{
    std::optional<FontFormat> to;
    WriteOptions write_options;
    std::string problem = take_output_form(arguments, to, write_options);
    if (!problem.empty())
        return usage_error("--new: " + problem);
    Arguments parsed = parse_arguments(arguments);
    std::optional<CellSize> size = parse_cell_size(parsed.source);
    if (parsed.error.empty() && !size)
        parsed.error = "the size is written WxH, such as 8x16, not \"" + parsed.source + "\"";
    const ImportOptions& options = parsed.options;
    const ImportOptions defaults;
    const bool only_range = options.pixel_size == 0 && options.face_index == 0 && !options.first_code_point
                         && !options.cell && parsed.map_path.empty() && options.placement == defaults.placement
                         && options.rendering == defaults.rendering;
    if (parsed.error.empty() && !only_range)
        parsed.error = "a new font takes only --first and --count";
    if (!parsed.error.empty())
        return usage_error("--new: " + parsed.error);
    std::optional<FontFormat> format = output_form(parsed.output, to, problem);
    if (!format)
        return usage_error(problem);
    FontReadResult blank = make_blank_font({size->width, size->height, options.first_code, options.char_count});
    if (!blank.ok) {
        std::fprintf(stderr, "%s: %s\n", parsed.output.c_str(), blank.message.c_str());
        return 1;
    }
    return write_made_font(blank, parsed.source, parsed.output, *format, write_options);
}

}  // namespace glyphwright

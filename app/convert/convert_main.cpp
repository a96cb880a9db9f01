// glyphwright-convert: converts, checks and previews font files from the command line.

#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "app/convert/font_choice_arguments.h"
#include "app/convert/font_preview.h"
#include "app/convert/import_arguments.h"
#include "formats/font_conversion.h"
#include "text/text_file.h"

namespace {

using namespace glyphwright;

std::string usage()
{
    const std::string forms = form_names(FormSet::All, "|");
    return "Usage:\n"
           "  glyphwright-convert [--to " + forms + "] IN OUT\n"
           "      Convert one font, read in the form found in IN and written in the form --to names or\n"
           "      else OUT's extension.\n"
           "  glyphwright-convert --to " + forms + " --out-dir DIR FILE...\n"
           "      Convert many fonts into DIR, each named after its input.\n"
           "  glyphwright-convert --check FILE...\n"
           "      Print each font's size, character range, glyph count and memory usage, and warn where\n"
           "      the data does not match the header. Exit status 1 when any file is refused.\n"
           "  glyphwright-convert --preview PNG FILE [--text TEXT]\n"
           "      Draw every glyph of FILE with its character code into the picture PNG; with --text,\n"
           "      TEXT under it drawn with the font at 1:1 and at 2:1.\n"
           "  glyphwright-convert --help\n"
           "  glyphwright-convert --version\n"
         + import_usage() + font_choice_usage() + write_options_usage();
}

void print_error(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }

int usage_error(const std::string& message)
{
    print_error("glyphwright-convert: " + message);
    std::fputs(usage().c_str(), stderr);
    return 2;
}

int convert_one(const std::string& input, const std::string& output, std::optional<FontFormat> to, const FontChoice& choice,
                const WriteOptions& options)
{
    std::string problem;
    std::optional<FontFormat> format = output_form(output, to, problem);
    if (!format)
        return usage_error(problem);
    ConversionResult converted = convert_font_file(input, output, *format, choice, options);
    if (!converted.ok) {
        print_error(input + ": " + converted.message);
        return 1;
    }
    print_warnings(input, converted.warnings);
    return 0;
}

int convert_many(const std::vector<std::string>& arguments, std::optional<FontFormat> format, const FontChoice& choice,
                 const WriteOptions& options)
{
    std::string folder;
    std::vector<std::string> inputs;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        if (arguments[at] == "--out-dir" && at + 1 < arguments.size()) {
            folder = arguments[++at];
        } else {
            inputs.push_back(arguments[at]);
        }
    }
    if (!format || folder.empty() || inputs.empty())
        return usage_error("--to and --out-dir need a format, a folder and at least one file");
    int status = 0;
    for (const std::string& input : inputs) {
        ConversionResult converted = convert_font_file(input, output_path_in_folder(input, folder, *format), *format, choice, options);
        if (!converted.ok) {
            print_error(input + ": " + converted.message);
            status = 1;
        }
        print_warnings(input, converted.warnings);
    }
    return status;
}

int preview(const std::string& picture, const std::string& input, const std::string& text, const FontChoice& choice)
{
    FontReadResult read = read_chosen_font(input, choice);
    if (!read.ok) {
        print_error(input + ": " + read.message);
        return 1;
    }
    std::string png = png_bytes(render_font_preview(read.font, text));
    if (png.empty()) {
        print_error(picture + ": the picture could not be made");
        return 1;
    }
    if (FileResult written = write_whole_text_file(picture, png); !written.ok) {
        print_error(picture + ": the picture could not be written: " + written.error);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty())
        return usage_error("no files given");
    if (arguments.front() == "--version") {
        std::printf("glyphwright-convert %s\n", GLYPHWRIGHT_VERSION);
        return 0;
    }
    if (arguments.front() == "--help" || arguments.front() == "-h") {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    if (arguments.front() == "--import")
        return run_import({arguments.begin() + 1, arguments.end()});
    if (arguments.front() == "--new")
        return run_new({arguments.begin() + 1, arguments.end()});
    std::optional<FontFormat> to;
    WriteOptions options;
    FontChoice choice;
    std::string problem = take_output_form(arguments, to, options);
    if (problem.empty())
        problem = take_font_choice(arguments, choice);
    if (!problem.empty())
        return usage_error(problem);
    if (arguments.empty())
        return usage_error("no files given");
    const std::string& first = arguments.front();
    if (first == "--list")
        return run_list({arguments.begin() + 1, arguments.end()}, choice);
    if (first == "--in-place")
        return run_in_place({arguments.begin() + 1, arguments.end()}, choice);
    if (first == "--check")
        return run_check({arguments.begin() + 1, arguments.end()}, choice);
    if (first == "--preview") {
        bool with_text = arguments.size() == 5 && arguments[3] == "--text";
        if (arguments.size() != 3 && !with_text)
            return usage_error("--preview takes a picture, one font file and perhaps --text and a text");
        return preview(arguments[1], arguments[2], with_text ? arguments[4] : std::string(), choice);
    }
    if (first == "--out-dir")
        return convert_many(arguments, to, choice, options);
    if (arguments.size() == 2 && first.rfind("--", 0) != 0)
        return convert_one(arguments[0], arguments[1], to, choice, options);
    return usage_error("unknown arguments");
}

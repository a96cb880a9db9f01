#include "app/convert/font_choice_arguments.h"

#include <cstdio>

#include "formats/font_conversion.h"
#include "text/code_page.h"
#include "text/text_primitives.h"

namespace glyphwright {

std::string font_choice_usage()
{
    return "  glyphwright-convert --list FILE...\n"
           "      Print every font of each file, one a line: its number, form, name, size, characters and\n"
           "      lines.\n"
           "  glyphwright-convert --in-place FONTFILE --font N|NAME TARGET\n"
           "      Write the font of FONTFILE into font N (or the font NAME) of TARGET; nothing else in\n"
           "      TARGET changes.\n"
           "  Options for IN OUT, --to, --check and --preview:\n"
           "    --font N|NAME   read font N (from 1), the array NAME, or #N for DefineFont #N of a file\n"
           "                    with several; the first by default.\n"
           "    --format NAME   read the files in that form (" + form_names(FormSet::Readable, ", ")
         + "); by default every\n"
           "                    file is searched for fonts of each form. For --in-place, the form of\n"
           "                    TARGET.\n"
           "    --threshold T   read the grey pixels of smooth fonts (128 by default) and of LVGL fonts of\n"
           "                    2 to 8 bits a pixel as set when their coverage is T or more (0 to 255).\n"
           "    --cell WxH      read glcd arrays (a byte a column) as W columns a glyph, where the array's\n"
           "                    length leaves more than one answer (5x8, 6x8, 8x8).\n"
           "    --codepage NAME how codes 0 to 255 of the fonts read as Unicode where the output needs it\n"
           "                    (BDF): a character set such as CP1251 or CP437; Latin-1 by default.\n";
}

namespace {

void print_line(std::FILE* stream, const std::string& line) { std::fprintf(stream, "%s\n", line.c_str()); }

int usage_problem(const std::string& problem)
{
    print_line(stderr, "glyphwright-convert: " + problem);
    std::fputs(font_choice_usage().c_str(), stderr);
    return 2;
}

// The --check report of one font; fonts of a file with several are named.
int check_font(const std::string& path, const ScannedFontFile& file, std::size_t entry, bool named)
{
    FontReadResult read = read_font_entry(file, entry);
    if (!read.ok) {
        print_line(stderr, path + ": " + read.message);
        return 1;
    }
    const std::string& name = file.scan.entries[entry].name;
    std::string label = named ? path + ": " + (name.empty() ? "font " + std::to_string(entry + 1) : name) : path;
    print_report(check_report(label, read));
    return 0;
}

// Scans each file and hands it to `report`, which gives a status; a file that cannot be scanned
// is named on standard error.
template <typename Report>
int report_each_file(const std::vector<std::string>& files, const FontChoice& choice, const std::string& option, Report report)
{
    if (files.empty())
        return usage_problem(option + " needs at least one file");
    int status = 0;
    for (const std::string& path : files) {
        ScannedFontFile file = scan_font_file(path, choice.format);
        if (!file.ok) {
            print_line(stderr, path + ": " + file.message);
            status = 1;
            continue;
        }
        status |= report(path, file);
    }
    return status;
}

}  // namespace

std::string take_font_choice(std::vector<std::string>& arguments, FontChoice& choice)
{
    std::vector<std::string> rest;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument != "--font" && argument != "--format" && argument != "--codepage" && argument != "--threshold" && argument != "--cell") {
            rest.push_back(argument);
            continue;
        }
        if (at + 1 >= arguments.size())
            return argument + " needs a value";
        const std::string& value = arguments[++at];
        if (argument == "--font") {
            choice.font = value;
        } else if (argument == "--threshold") {
            const std::int64_t threshold = parse_value(value);
            if (value.empty() || to_decimal(threshold) != value || threshold < 0 || threshold > 255)
                return "--threshold takes a coverage from 0 to 255, not \"" + value + "\"";
            choice.read_options.threshold = static_cast<int>(threshold);
        } else if (argument == "--cell") {
            const std::size_t x = value.find_first_of("xX");
            const std::int64_t width = parse_value(value.substr(0, x == std::string::npos ? 0 : x));
            const std::int64_t height = x == std::string::npos ? 0 : parse_value(value.substr(x + 1));
            if (x == std::string::npos || width < 1 || width > 8 || height < 1 || height > 8)
                return "--cell takes the columns and rows of a glcd glyph, WxH of up to 8x8 such as 6x8, not \"" + value + "\"";
            choice.read_options.columns = static_cast<int>(width);
        } else if (argument == "--codepage") {
            if (!code_page_named(value))
                return "--codepage takes a single-byte character set the system knows, such as CP1251, not \"" + value + "\"";
            choice.code_page = value;
        } else if (const FileForm* form = form_named(value); form && form->readable()) {
            choice.format = form->format;
        } else {
            return "--format takes " + form_names(FormSet::Readable, " or ") + ", not \"" + value + "\"";
        }
    }
    arguments = std::move(rest);
    return {};
}

std::string write_options_usage()
{
    return "  OUT may be - for standard output, with --to naming the form; the font is then named after\n"
           "  its input file.\n"
           "  Options of the forms written:\n"
           "    --rle           tft-espi: run-length encoded glyphs, as TFT_eSPI's Fonts 4 to 8 hold them,\n"
           "                    instead of Font 2's rows of bits.\n"
           "    --vmap          font-to-py: columns of bits, bit 0 at the top (the vertical map of\n"
           "                    displays that take bytes as columns), instead of rows.\n"
           "    --u8g2-mode M   u8g2: the build mode, t (each glyph its own box, the default), h (a\n"
           "                    common height), m (monospace) or 8 (cells a multiple of 8).\n";
}

std::string take_output_form(std::vector<std::string>& arguments, std::optional<FontFormat>& form, WriteOptions& options)
{
    std::vector<std::string> rest;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        if (arguments[at] == "--rle") {
            options.run_length = true;
            continue;
        }
        if (arguments[at] == "--vmap") {
            options.vertical_map = true;
            continue;
        }
        if (arguments[at] == "--u8g2-mode") {
            const std::string_view modes = "thm8";
            if (at + 1 >= arguments.size() || arguments[at + 1].size() != 1 || modes.find(arguments[at + 1][0]) == std::string_view::npos)
                return "--u8g2-mode takes t, h, m or 8";
            options.u8g2_mode = static_cast<int>(modes.find(arguments[++at][0]));
            continue;
        }
        if (arguments[at] != "--to") {
            rest.push_back(arguments[at]);
            continue;
        }
        if (at + 1 >= arguments.size())
            return "--to needs a form";
        const std::string& name = arguments[++at];
        const FileForm* named = form_named(name);
        if (named == nullptr)
            return "--to takes " + form_names(FormSet::All, ", ") + ", not \"" + name + "\"";
        form = named->format;
    }
    arguments = std::move(rest);
    return {};
}

std::optional<FontFormat> output_form(const std::string& output, std::optional<FontFormat> form, std::string& problem)
{
    if (form)
        return form;
    if (output == kStandardOutputPath) {
        problem = "writing to standard output (\"-\") needs --to to name the form";
        return std::nullopt;
    }
    if (std::optional<FontFormat> by_extension = format_of_path(output))
        return by_extension;
    // The extensions that choose a form: a form whose extension an earlier one takes (a GFX ".h"
    // is C) is chosen by --to only.
    std::vector<std::string_view> extensions;
    for (const FileForm& candidate : file_forms())
        if (format_of_path("font." + std::string(candidate.extensions.front())) == candidate.format)
            extensions.push_back(candidate.extensions.front());
    std::string listed;
    for (std::size_t at = 0; at < extensions.size(); ++at)
        listed += (at == 0 ? "." : at + 1 == extensions.size() ? " or ." : ", .") + std::string(extensions[at]);
    problem = "\"" + output + "\": the output must end in " + listed + ", unless --to names its form";
    return std::nullopt;
}

void print_warnings(const std::string& path, const std::vector<std::string>& warnings)
{
    for (const std::string& warning : warnings)
        print_line(stderr, path + ": warning: " + warning);
}

void print_report(const std::vector<std::string>& lines)
{
    for (std::size_t at = 0; at < lines.size(); ++at)
        print_line(at == 0 ? stdout : stderr, lines[at]);
}

int run_list(const std::vector<std::string>& files, const FontChoice& choice)
{
    return report_each_file(files, choice, "--list", [](const std::string& path, const ScannedFontFile& file) {
        for (const std::string& line : font_listing(file))
            print_line(stdout, path + ": " + line);
        return 0;
    });
}

int run_check(const std::vector<std::string>& files, const FontChoice& choice)
{
    return report_each_file(files, choice, "--check", [&choice](const std::string& path, const ScannedFontFile& file) {
        bool several = file.scan.entries.size() > 1;
        int status = 0;
        if (choice.font.empty()) {
            for (std::size_t entry = 0; entry < file.scan.entries.size(); ++entry)
                status |= check_font(path, file, entry, several);
            return status;
        }
        std::string problem;
        std::optional<std::size_t> entry = find_font_entry(file.scan, choice.font, problem);
        if (!entry) {
            print_line(stderr, path + ": " + problem);
            return 1;
        }
        return check_font(path, file, *entry, several);
    });
}

int run_in_place(const std::vector<std::string>& arguments, const FontChoice& choice)
{
    if (arguments.size() != 2 || choice.font.empty())
        return usage_problem("--in-place takes a font file, --font and the target file");
    PutInPlaceResult put = put_font_in_place(arguments[0], arguments[1], choice);
    if (!put.ok) {
        print_line(stderr, arguments[1] + ": " + put.message);
        return 1;
    }
    print_warnings(arguments[0], put.warnings);
    return 0;
}

}  // namespace glyphwright

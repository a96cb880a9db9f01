#pragma once

// The converter's options for sources that hold several fonts: --font and --format choose the
// font read by a conversion, --check and --preview; --list prints every font of each file and
// --in-place puts a font into one of them.

#include <optional>
#include <string>
#include <vector>

#include "formats/font_choice.h"

namespace glyphwright {

// The usage lines of these options, for --help.
std::string font_choice_usage();

// Takes "--font N|NAME" and "--format NAME" out of `arguments` into `choice`. Returns the
// usage problem, or the empty text.
std::string take_font_choice(std::vector<std::string>& arguments, FontChoice& choice);

// Takes "--to NAME" out of `arguments` into `form`: the form an output is written in, by its name in
// the registry of forms; and the writers' options (--rle) into `options`. Returns the usage
// problem, or the empty text.
std::string take_output_form(std::vector<std::string>& arguments, std::optional<FontFormat>& form, WriteOptions& options);

// The usage lines of the writers' options, for --help.
std::string write_options_usage();

// The form of an output: `form` when --to named one, else the form of the path's extension; none,
// with `problem` set, when neither names one.
std::optional<FontFormat> output_form(const std::string& output, std::optional<FontFormat> form, std::string& problem);

// Prints the given lines: the first on standard output, the others (warnings) on standard error.
void print_report(const std::vector<std::string>& lines);

// Prints each warning on standard error as "PATH: warning: " and the warning.
void print_warnings(const std::string& path, const std::vector<std::string>& warnings);

// Each returns the exit status: 0 done, 1 when a file was refused (the reason on standard error),
// 2 a usage error. Warnings go to standard error and do not change the status.
int run_list(const std::vector<std::string>& files, const FontChoice& choice);
// Every font of each file, or the one --font chooses.
int run_check(const std::vector<std::string>& files, const FontChoice& choice);
// `arguments` are FONTFILE and TARGET; --font must name the font of TARGET.
int run_in_place(const std::vector<std::string>& arguments, const FontChoice& choice);

}  // namespace glyphwright

#pragma once

// The converter's options for sources that hold several fonts: --font and --format choose the
// font read by a conversion, --check and --preview; --list prints every font of each file and
// --in-place puts a font into one of them.

#include <string>
#include <vector>

#include "formats/font_choice.h"

namespace glyphwright {

// The usage lines of these options, for --help.
extern const char* const kFontChoiceUsage;

// Takes "--font N|NAME" and "--format c|bas" out of `arguments` into `choice`. Returns the
// usage problem, or the empty text.
std::string take_font_choice(std::vector<std::string>& arguments, FontChoice& choice);

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

#pragma once

// The converter's --import and --new: fonts made from another font file or from nothing,
// written in the form --to names or else the output's extension.

#include <string>
#include <vector>

namespace glyphwright {

// The usage lines of both options, for --help.
std::string import_usage();

// `arguments` are everything after --import (or --new): the options and the output path. Return
// the exit status: 0 written, 1 refused (the reason on standard error), 2 a usage error. Warnings
// go to standard error and do not change the status.
int run_import(std::vector<std::string> arguments);
int run_new(std::vector<std::string> arguments);

}  // namespace glyphwright

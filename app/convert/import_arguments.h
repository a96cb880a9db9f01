#pragma once

// The converter's --import and --new: fonts made from another font file or from nothing,
// written in the form the output's extension names.

#include <string>
#include <vector>

namespace glyphwright {

// The usage lines of both options, for --help.
extern const char* const kImportUsage;

// `arguments` are everything after --import (or --new): the options and the output path. Return
// the exit status: 0 written, 1 refused (the reason on standard error), 2 a usage error. Warnings
// go to standard error and do not change the status.
int run_import(const std::vector<std::string>& arguments);
int run_new(const std::vector<std::string>& arguments);

}  // namespace glyphwright

#pragma once

// Fonts of the Debian packages that scripts/setup.sh installs (fonts-dejavu-core, xfonts-base),
// which the importer's tests read.

#include <filesystem>
#include <string>

namespace glyphwright::testing {

inline const std::string kDejaVuSansMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
inline const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline const std::string kFixed6x13 = "/usr/share/fonts/X11/misc/6x13.pcf.gz";
inline const std::string kFixed9x15 = "/usr/share/fonts/X11/misc/9x15.pcf.gz";

}  // namespace glyphwright::testing

// Skips the test when a font it reads is not installed.
#define SKIP_WITHOUT_FONT(path)                                                                      \
    if (!std::filesystem::exists(path))                                                              \
    GTEST_SKIP() << path << " is not installed (scripts/setup.sh installs it)"

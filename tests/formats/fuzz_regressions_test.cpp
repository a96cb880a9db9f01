// Inputs on which a fuzz target once failed, kept under tests/regressions/<target>/ and checked
// here with the very property the target checks, so the fault stays mended.
#include "fuzz/font_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/formats/format_test_support.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;
using testing::escaped;
using testing::files_in;
using testing::read_file;

const fs::path kRegressionFolder = fs::path(GLYPHWRIGHT_GOLDEN_DIR).parent_path() / "regressions";

struct Target {
    const char* folder;
    std::function<std::string(std::string_view)> check;
};

TEST(FuzzRegressions, EveryKeptInputHoldsItsTargetsProperty)
{
    const Target targets[] = {
        {"c_reader_fuzz", fuzzing::check_c_reader},
        {"bas_reader_fuzz", fuzzing::check_bas_reader},
        {"glyph_codec_fuzz", fuzzing::check_glyph_codec},
        {"round_trip_fuzz", fuzzing::check_round_trip},
    };
    int inputs = 0;
    for (const Target& target : targets) {
        for (const fs::path& file : files_in(kRegressionFolder / target.folder)) {
            std::string input = read_file(file.string());
            EXPECT_EQ(target.check(input), "") << file << ": «" << escaped(input.substr(0, 200)) << "»";
            ++inputs;
        }
    }
    if (inputs == 0)
        GTEST_SKIP() << "no regression inputs under " << kRegressionFolder;
}

}  // namespace
}  // namespace glyphwright

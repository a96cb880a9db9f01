// Inputs on which the importer's fuzz target once failed, kept under
// tests/regressions/import_fuzz/, and the target's own seeds, checked with the target's property.
#include "fuzz/import_checks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;

TEST(ImportFuzzRegressions, EveryKeptInputAndSeedHoldsTheProperty)
{
    const fs::path source = fs::path(GLYPHWRIGHT_GOLDEN_DIR).parent_path().parent_path();
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(source / "tests/regressions/import_fuzz")) {
        std::string input = testing::read_file(entry.path().string());
        EXPECT_EQ(fuzzing::check_import(input), "") << entry.path();
        ++inputs;
    }
    // The seeds are font files; each is tried with the options the fuzz script's trailers ask for.
    for (const auto& entry : fs::directory_iterator(source / "fuzz/seeds/import_fuzz")) {
        std::string input = testing::read_file(entry.path().string());
        for (char flags : {'\0', '\4', '\12'}) {
            EXPECT_EQ(fuzzing::check_import(input + '\0' + flags + 'A'), "") << entry.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 2);
}

}  // namespace
}  // namespace glyphwright

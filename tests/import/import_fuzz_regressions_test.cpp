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
    for (const fs::path& folder : {source / "tests/regressions/import_fuzz", source / "fuzz/seeds/import_fuzz"}) {
        if (!fs::exists(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::string input = testing::read_file(entry.path().string());
            // Each flag combination, the way the fuzz script's trailers ask for it.
            for (char flags : {'\0', '\4', '\12'}) {
                EXPECT_EQ(fuzzing::check_import(input + '\0' + flags + 'A'), "") << entry.path();
                ++inputs;
            }
        }
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace glyphwright

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
        {"bdf_reader_fuzz", fuzzing::check_bdf_reader},
        {"vlw_reader_fuzz", [](std::string_view input) { return fuzzing::check_form_reader(input, FontFormat::Vlw); }},
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

// The properties hold on every well-formed and faulty file we know of too, not only on what the
// fuzzers made: the golden inputs and, when it is there, the corpus of real fonts.
TEST(FuzzRegressions, EveryGoldenAndRealFileHoldsTheReaderProperties)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& folder : fs::directory_iterator(GLYPHWRIGHT_GOLDEN_DIR)) {
        for (const fs::path& file : files_in(folder.path())) {
            if (file.stem() == "input")
                files.push_back(file);
        }
    }
    const fs::path corpus = GLYPHWRIGHT_CORPUS_DIR;
    for (const char* form : {"c", "mmbasic"}) {
        for (const fs::path& file : files_in(corpus / form))
            files.push_back(file);
    }
    ASSERT_GT(files.size(), 40u);
    for (const fs::path& file : files) {
        std::string input = read_file(file.string());
        const bool bas = testing::is_bas_path(file);
        EXPECT_EQ(bas ? fuzzing::check_bas_reader(input) : fuzzing::check_c_reader(input), "") << file;
        EXPECT_EQ(fuzzing::check_round_trip((bas ? "1" : "0") + input), "") << file;
    }
}

}  // namespace
}  // namespace glyphwright

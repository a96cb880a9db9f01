// Each folder under the golden folder is one case: an input file (input.c or input.bas) and an
// expected/ folder. expected/model.txt is the dump of what the reader gives back, message.txt its
// refusal, warnings.txt its warnings (none when absent), and every other file is the text that the
// writer of that file's form gives when saving under that file's name. Set
// GLYPHWRIGHT_UPDATE_GOLDEN=1 to write the actual outputs as new baselines, then review the diff.

#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "tests/formats/format_test_support.h"

namespace glyphwright::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenFolder = GLYPHWRIGHT_GOLDEN_DIR;

std::vector<fs::path> case_folders()
{
    std::vector<fs::path> folders;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(kGoldenFolder, ignored)) {
        if (entry.is_directory())
            folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

fs::path input_of(const fs::path& folder)
{
    for (const fs::path& file : files_in(folder)) {
        if (file.stem() == "input")
            return file;
    }
    return {};
}

FontReadResult read_input(const fs::path& input)
{
    std::string text = read_file(input.string());
    return is_bas_path(input) ? read_bas_font(text) : read_c_font(text);
}

// What the case's expected file `name` is compared with.
std::string actual_output(const FontReadResult& result, const std::string& name)
{
    if (name == "model.txt")
        return result.ok ? dump_of(result) : "not read: " + result.message + "\n";
    if (name == "message.txt")
        return result.message + "\n";
    if (name == "warnings.txt")
        return joined_lines(result.warnings);
    if (!result.ok)
        return "not read: " + result.message + "\n";
    return is_bas_path(name) ? write_bas_font(result.font, "C:\\fonts\\" + name) : write_c_font(result.font, name);
}

bool updating() { return std::getenv("GLYPHWRIGHT_UPDATE_GOLDEN") != nullptr; }

TEST(GoldenFiles, EveryCaseGivesItsExpectedFilesByteForByte)
{
    std::vector<fs::path> folders = case_folders();
    ASSERT_FALSE(folders.empty()) << "no golden cases in " << kGoldenFolder;
    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder.filename().string());
        fs::path input = input_of(folder);
        ASSERT_FALSE(input.empty()) << "no input file";
        FontReadResult result = read_input(input);
        std::vector<fs::path> expected_files = files_in(folder / "expected");
        ASSERT_FALSE(expected_files.empty()) << "no expected files";
        bool expects_message = fs::exists(folder / "expected" / "message.txt");
        EXPECT_EQ(result.ok, !expects_message) << result.message;
        if (!fs::exists(folder / "expected" / "warnings.txt")) {
            EXPECT_EQ(joined_lines(result.warnings), "");
        }
        for (const fs::path& expected : expected_files) {
            std::string actual = actual_output(result, expected.filename().string());
            if (updating())
                write_file(expected.string(), actual);
            std::string difference = first_difference(read_file(expected.string()), actual);
            EXPECT_TRUE(difference.empty()) << expected.filename().string() << ": " << difference;
        }
    }
}

// A truncated file is the commonest damage: every prefix must give a font or a message.
TEST(GoldenFiles, EveryPrefixOfEveryInputReadsWithoutCrashing)
{
    for (const fs::path& folder : case_folders()) {
        fs::path input = input_of(folder);
        std::string text = read_file(input.string());
        for (std::size_t length = 0; length <= text.size(); ++length) {
            std::string_view prefix = std::string_view(text).substr(0, length);
            FontReadResult result = is_bas_path(input) ? read_bas_font(prefix) : read_c_font(prefix);
            EXPECT_TRUE(result.ok || !result.message.empty()) << folder.filename() << " prefix " << length;
        }
    }
}

}  // namespace
}  // namespace glyphwright::testing

// Each folder under the golden folder is one case: an input file (input.c or input.bas) and an
// expected/ folder. expected/model.txt is the dump of what the reader gives back, message.txt its
// refusal, warnings.txt its warnings (none when absent), scan.txt the fonts the scan finds,
// font_N.txt the dump of the file's font N (from 1), in_place_N.* the file after the first pixel
// of font N's first glyph was flipped and the font saved in place, and every other file is the
// text that the writer of that file's form gives when saving under that file's name. Set
// GLYPHWRIGHT_UPDATE_GOLDEN=1 to write the actual outputs as new baselines, then review the diff.

#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "formats/font_in_place.h"
#include "text/line_reader.h"
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

struct CaseInput {
    FontFormat format = FontFormat::C;
    std::string text;
    FontReadResult result;
    FontScan scan;
};

CaseInput read_case(const fs::path& input)
{
    CaseInput read;
    read.format = is_bas_path(input) ? FontFormat::Bas : FontFormat::C;
    read.text = read_file(input.string());
    read.result = read_input(input);
    read.scan = read.format == FontFormat::Bas ? scan_bas_fonts(read.text) : scan_c_fonts(read.text);
    return read;
}

std::string scan_listing(const CaseInput& input)
{
    std::string listing = input.scan.refusal.empty() ? "" : "refused: " + input.scan.refusal + "\n";
    for (std::size_t at = 0; at < input.scan.entries.size(); ++at) {
        const FontEntry& entry = input.scan.entries[at];
        listing += font_entry_description(entry, at) + ", lines " + to_decimal(line_number_at(input.text, entry.begin))
                 + " to " + to_decimal(line_number_at(input.text, entry.end - 1)) + "\n";
    }
    return listing;
}

// The font numbered by the digits after `prefix` in `name`, when there is one.
const FontEntry* numbered_entry(const CaseInput& input, const std::string& name, const std::string& prefix)
{
    std::size_t number = static_cast<std::size_t>(parse_value(name.substr(prefix.size())));
    return number >= 1 && number <= input.scan.entries.size() ? &input.scan.entries[number - 1] : nullptr;
}

FontReadResult read_entry(const CaseInput& input, const FontEntry& entry)
{
    return input.format == FontFormat::Bas ? read_bas_font_entry(input.text, entry) : read_c_font_entry(input.text, entry);
}

std::string in_place_output(const CaseInput& input, const FontEntry& entry)
{
    FontReadResult read = read_entry(input, entry);
    if (!read.ok)
        return "not read: " + read.message + "\n";
    FontModel model;
    adopt_font(model, std::move(read.font));
    model.glyph_grid.toggle(0, 0);
    store_edited_glyph(model);
    InPlaceText text = text_with_font_in_place(input.text, input.format, entry, model);
    return text.ok ? text.text : "not saved: " + text.error + "\n";
}

// What the case's expected file `name` is compared with.
std::string actual_output(const CaseInput& input, const std::string& name)
{
    const FontReadResult& result = input.result;
    if (name == "model.txt")
        return result.ok ? dump_of(result) : "not read: " + result.message + "\n";
    if (name == "message.txt")
        return result.message + "\n";
    if (name == "warnings.txt")
        return joined_lines(result.warnings);
    if (name == "scan.txt")
        return scan_listing(input);
    for (const std::string prefix : {"font_", "in_place_"}) {
        if (name.rfind(prefix, 0) != 0)
            continue;
        const FontEntry* entry = numbered_entry(input, name, prefix);
        if (entry == nullptr)
            return "no such font\n";
        if (prefix == "in_place_")
            return in_place_output(input, *entry);
        FontReadResult read = read_entry(input, *entry);
        return (read.ok ? dump_of(read) : "not read: " + read.message + "\n") + joined_lines(read.warnings);
    }
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
        CaseInput read = read_case(input);
        const FontReadResult& result = read.result;
        std::vector<fs::path> expected_files = files_in(folder / "expected");
        ASSERT_FALSE(expected_files.empty()) << "no expected files";
        bool expects_message = fs::exists(folder / "expected" / "message.txt");
        EXPECT_EQ(result.ok, !expects_message) << result.message;
        if (!fs::exists(folder / "expected" / "warnings.txt")) {
            EXPECT_EQ(joined_lines(result.warnings), "");
        }
        for (const fs::path& expected : expected_files) {
            std::string actual = actual_output(read, expected.filename().string());
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

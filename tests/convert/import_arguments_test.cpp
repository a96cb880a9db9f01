#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "formats/bas_font.h"
#include "formats/c_font.h"
#include "formats/font_document.h"
#include "import/font_import.h"
#include "tests/support/system_fonts.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::TempFolder;
using testing::read_file;
using testing::write_file;

const std::string& kMono = testing::kDejaVuSansMono;
const std::string& kFixed = testing::kFixed6x13;

struct ConverterRun {
    int status = -1;
    std::string err;
    std::string out;
};

ConverterRun run_converter(const TempFolder& folder, const std::vector<std::string>& arguments)
{
    std::string command = "'" GLYPHWRIGHT_CONVERT_BINARY "'";
    for (const std::string& argument : arguments)
        command += " '" + argument + "'";
    command += " >'" + folder.file("stdout.txt") + "' 2>'" + folder.file("stderr.txt") + "'";
    int status = std::system(command.c_str());
    ConverterRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(folder.file("stderr.txt")),
                     read_file(folder.file("stdout.txt"))};
    std::filesystem::remove(folder.file("stderr.txt"));
    std::filesystem::remove(folder.file("stdout.txt"));
    return run;
}

// What the converter writes is what the importer makes, saved as the editor saves.
std::string expected_file(const FontReadResult& made, const std::string& output, FontFormat format)
{
    return font_file_text(made.font, format, output);
}

TEST(ImportArguments, ImportWritesTheImportedFontInTheFormOfTheOutput)
{
    SKIP_WITHOUT_FONT(kMono);
    SKIP_WITHOUT_FONT(kFixed);
    TempFolder folder;
    write_file(folder.file("greek.map"), "65 U+0391\n66 U+0392\n");
    ImportOptions options;
    options.pixel_size = 20;
    options.first_code = 65;
    options.char_count = 3;
    options.placement = Placement::Centred;
    options.mapped_code_points = {{65, 0x391}, {66, 0x392}};
    FontReadResult made = import_font(kMono, options);
    ASSERT_TRUE(made.ok) << made.message;
    for (const char* name : {"greek.c", "greek.bas", "greek.bdf"}) {
        ConverterRun run = run_converter(folder, {"--import", kMono, "--size", "20", "--first", "65", "--count", "3", "--center",
                                         "--map", folder.file("greek.map"), folder.file(name)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(read_file(folder.file(name)), expected_file(made, folder.file(name), *format_of_path(name))) << name;
    }
    // "-" is standard output: the same file, named after the font's file.
    ConverterRun printed = run_converter(folder, {"--import", kMono, "--size", "20", "--first", "65", "--count", "3", "--center",
                                                  "--map", folder.file("greek.map"), "--to", "c", "-"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, expected_file(made, "DejaVuSansMono.c", FontFormat::C));

    ImportOptions bitmap;
    bitmap.first_code = 0;
    bitmap.char_count = 255;
    FontReadResult fixed = import_font(kFixed, bitmap);
    ConverterRun run = run_converter(folder, {"--import", kFixed, "--first", "0", "--count", "255", folder.file("fixed.c")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(folder.file("fixed.c")), expected_file(fixed, folder.file("fixed.c"), FontFormat::C));
    // Warnings go to standard error and leave the status at 0: the font's, then what the C form
    // makes of a font 6 pixels wide.
    ASSERT_EQ(fixed.warnings.size(), 1u);
    EXPECT_EQ(run.err, kFixed + ": warning: " + fixed.warnings[0] + "\n" + folder.file("fixed.c")
                           + ": warning: the cell was widened from 6 to 8 pixels so that every glyph is whole bytes\n");
}

TEST(ImportArguments, NewWritesABlankFontAndBdfIsAnOutputOfEveryConversion)
{
    TempFolder folder;
    ASSERT_EQ(run_converter(folder, {"--new", "12x10", "--first", "48", "--count", "10", folder.file("digits.c")}).status, 0);
    FontReadResult digits = read_c_font(read_file(folder.file("digits.c")));
    ASSERT_TRUE(digits.ok) << digits.message;
    EXPECT_EQ(digits.font.header, (FontHeader{12, 10, 48, 10}));
    std::string clear;
    for (int byte = 0; byte < 12 * 10 / 8; ++byte)
        clear += "0x00,";
    EXPECT_EQ(digits.font.font_table[9].glyph_data, clear);

    ASSERT_EQ(run_converter(folder, {folder.file("digits.c"), folder.file("digits.bdf")}).status, 0);
    EXPECT_EQ(read_file(folder.file("digits.bdf")).rfind("STARTFONT 2.1\n", 0), 0u);
    std::filesystem::create_directory(folder.file("out"));
    ASSERT_EQ(run_converter(folder, {"--to", "bdf", "--out-dir", folder.file("out"), folder.file("digits.c")}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.file("out/digits.bdf")));
}

TEST(ImportArguments, MistakesAreUsageErrorsAndRefusalsExitWith1)
{
    TempFolder folder;
    const std::string out = folder.file("out.c");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message_part;
    };
    const Case cases[] = {
        {{"--import", kMono, "--size", "300", out}, 2, "--size takes a number from 1 to 255"},
        {{"--import", kMono, "--size", out}, 2, "--size needs a value"},
        {{"--import", kMono, "--bold", out}, 2, "unknown option \"--bold\""},
        {{"--import", kMono, "--from", "U+0410", "--map", "x.map", out}, 2, "--from and --map exclude each other"},
        {{"--import", kMono, "--cell", "8by8", out}, 2, "--cell takes a size such as 8x16"},
        {{"--import", kMono, "--size", "16", folder.file("out.png")}, 2, "the output must end in .c, .bas, .bdf, .vlw or .py"},
        {{"--new", "8x8", "--size", "16", out}, 2, "a new font takes only --first and --count"},
        {{"--new", "eight", out}, 2, "the size is written WxH"},
        {{"--new", "7x9", out}, 1, "multiple of 8"},
        {{"--import", kMono, "--map", folder.file("none.map"), out}, 1, "Cannot open"},
        {{"--import", folder.file("none.ttf"), "--size", "16", out}, 1, "Cannot open"},
        {{"--import", kMono, out}, 1, "needs a pixel size"},
        {{"--import", folder.file("empty.ttf"), "--size", "16", out}, 1, "cannot be imported"},
        {{"--import", folder.path(), "--size", "16", out}, 1, "is a folder, not a font file"},
        {{"--import", kMono, "--size", "16", "-"}, 2, "standard output (\"-\") needs --to"},
        {{"--import", kMono, "--size", "16", "--to", "tft-espi", "-"}, 1, "standard output cannot hold"},
    };
    write_file(folder.file("empty.ttf"), "");
    for (const Case& test : cases) {
        ConverterRun run = run_converter(folder, test.arguments);
        EXPECT_EQ(run.status, test.status) << test.arguments[1] << " " << run.err;
        EXPECT_NE(run.err.find(test.message_part), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace glyphwright

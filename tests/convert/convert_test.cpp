#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "editor/file_commands.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::FakeGuiServices;
using testing::TempFolder;
using testing::read_file;
using testing::write_file;
namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& argument)
{
    std::string result = "'";
    result += argument;
    result += "'";
    return result;
}

// Runs the converter with `arguments`, capturing its exit status and both output streams.
ProgramRun convert(const TempFolder& folder, const std::vector<std::string>& arguments)
{
    std::string command = quoted(GLYPHWRIGHT_CONVERT_BINARY);
    for (const std::string& argument : arguments) {
        command += " ";
        command += quoted(argument);
    }
    command += " >";
    command += quoted(folder.file("stdout.txt"));
    command += " 2>";
    command += quoted(folder.file("stderr.txt"));
    int status = std::system(command.c_str());
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = read_file(folder.file("stdout.txt"));
    run.err = read_file(folder.file("stderr.txt"));
    fs::remove(folder.file("stdout.txt"));
    fs::remove(folder.file("stderr.txt"));
    return run;
}

// What the editor writes when it opens `input` and saves it at once as `output`.
std::string saved_by_the_editor(const std::string& input, const std::string& output, FontFormat format)
{
    FakeGuiServices gui;
    gui.create_canvas(1, 10, 60, 320, 500);
    FontModel model;
    gui.choice_answers.push_back(0);  // the first font of a file with several, as the converter takes
    open_font_path(model, gui, input);
    save_font_path(model, gui, output, format);
    for (const auto& [title, text] : gui.messages)
        EXPECT_EQ(title.rfind("Cannot", 0), std::string::npos) << input << ": " << text;
    std::string written = read_file(output);
    fs::remove(output);
    return written;
}

std::vector<fs::path> font_files_in(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string extension = entry.path().extension().string();
        bool font = extension == ".c" || extension == ".bas" || extension == ".BAS";
        if (entry.is_regular_file() && font && entry.path().parent_path().filename() != "expected")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> readable_fonts()
{
    std::vector<fs::path> fonts;
    std::vector<fs::path> files = font_files_in(GLYPHWRIGHT_GOLDEN_DIR);
    if (fs::exists(GLYPHWRIGHT_CORPUS_DIR)) {
        std::vector<fs::path> corpus = font_files_in(GLYPHWRIGHT_CORPUS_DIR);
        files.insert(files.end(), corpus.begin(), corpus.end());
    }
    // Fonts the two forms hold (not glcdfont.c's 256 characters, which is refused).
    for (const fs::path& file : files) {
        if (const FontReadResult read = read_font_file(file.string()); read.ok && save_refusal(read.font, FontFormat::C).empty())
            fonts.push_back(file);
    }
    return fonts;
}

TEST(Convert, WritesExactlyWhatTheEditorWritesAfterOpeningAndSaving)
{
    TempFolder folder;
    std::vector<fs::path> fonts = readable_fonts();
    ASSERT_GT(fonts.size(), 10u);
    for (const fs::path& font : fonts) {
        for (FontFormat format : {FontFormat::C, FontFormat::Bas}) {
            std::string name = format == FontFormat::C ? "out.c" : "out.BAS";
            ProgramRun run = convert(folder, {font.string(), folder.file(name)});
            ASSERT_EQ(run.status, 0) << font << "\n" << run.err;
            fs::create_directories(folder.file("editor"));
            std::string expected = saved_by_the_editor(font.string(), folder.file("editor/" + name), format);
            // The same file name in another folder: the same file.
            std::string converted = read_file(folder.file(name));
            std::size_t line_end = converted.find('\n');
            std::size_t expected_end = expected.find('\n');
            ASSERT_EQ(converted.substr(line_end), expected.substr(expected_end)) << font;
            EXPECT_EQ(converted.substr(0, line_end), (format == FontFormat::C ? "// " : "' ") + name + "\r");
        }
    }
    EXPECT_EQ(folder.entry_count(), 3u);
}

TEST(Convert, BatchModeConvertsTheGoodFilesAndNamesTheRefusedOnes)
{
    TempFolder folder;
    fs::create_directory(folder.file("out"));
    write_file(folder.file("good.c"), read_file(std::string(GLYPHWRIGHT_GOLDEN_DIR) + "/c_worked_example/input.c"));
    write_file(folder.file("second.bas"), read_file(std::string(GLYPHWRIGHT_GOLDEN_DIR) + "/bas_worked_example/input.bas"));
    write_file(folder.file("broken.c"), "// no font here\r\n");
    write_file(folder.file("notes.h"), "int no_font_here;\r\n");
    write_file(folder.file("out/broken.bas"), "an older file\r\n");

    ProgramRun run = convert(folder, {"--to", "bas", "--out-dir", folder.file("out"), folder.file("good.c"),
                               folder.file("broken.c"), folder.file("second.bas"), folder.file("notes.h")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(folder.file("broken.c") + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(folder.file("notes.h") + ": "), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("good.c"), std::string::npos) << run.err;
    EXPECT_EQ(read_file(folder.file("out/good.bas")).rfind("' good.bas\r\n", 0), 0u);
    EXPECT_EQ(read_file(folder.file("out/second.bas")).rfind("' second.bas\r\n", 0), 0u);
    EXPECT_EQ(read_file(folder.file("out/broken.bas")), "an older file\r\n");
    std::size_t outputs = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.file("out")))
        ++outputs;
    EXPECT_EQ(outputs, 3u) << "no temporary or half-written file is left";
}

TEST(Convert, CheckPrintsEachFontAndWarnsWhereDataAndHeaderDisagree)
{
    TempFolder folder;
    write_file(folder.file("short.c"), "// x\r\nfontdatatype X[99] PROGMEM={\r\n0x08,0x01,0x41,0x03,\r\n"
                                       "0xFF,  // A\r\n0x81,  // B\r\n};\r\n");
    write_file(folder.file("fine.bas"), read_file(std::string(GLYPHWRIGHT_GOLDEN_DIR) + "/bas_worked_example/input.bas"));
    ProgramRun run = convert(folder, {"--check", folder.file("short.c"), folder.file("fine.bas")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(folder.file("short.c") + ": 8x1 pixels, characters 65 to 67, 3 glyphs, 7 bytes"),
              std::string::npos) << run.out;
    EXPECT_NE(run.out.find(folder.file("fine.bas") + ": 8x8 pixels, characters 65 to 68, 4 glyphs, 36 bytes"),
              std::string::npos) << run.out;
    EXPECT_NE(run.err.find(folder.file("short.c") + ": warning: line 2"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(folder.file("short.c") + ": warning: line"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("fine.bas"), std::string::npos) << run.err;

    write_file(folder.file("bad.bas"), "DefineFont #2\r\n  0441080 8\r\nEnd DefineFont\r\n");
    ProgramRun refused = convert(folder, {"--check", folder.file("fine.bas"), folder.file("bad.bas")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(folder.file("bad.bas") + ": "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("line 2"), std::string::npos) << refused.err;
}

TEST(Convert, PreviewDrawsEveryGlyphWithoutADisplay)
{
    TempFolder folder;
    write_file(folder.file("two.c"), "// x\r\nfontdatatype X[6] PROGMEM={\r\n0x08,0x01,0x41,0x02,\r\n"
                                     "0x80,  // A\r\n0x01,  // B\r\n};\r\n");
    ProgramRun run = convert(folder, {"--preview", folder.file("two.png"), folder.file("two.c")});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage picture(QString::fromStdString(folder.file("two.png")));
    ASSERT_FALSE(picture.isNull());
    // 16 cells a row, each the glyph at scale 4 (32 pixels) and a gap of 6, and a margin.
    constexpr int kCell = 8 * 4 + 6;
    EXPECT_EQ(picture.width(), 16 * kCell + 6);
    EXPECT_EQ(picture.height(), 1 * 4 + 14 + 6 + 6);
    int glyph_top = 6 + 14;
    EXPECT_EQ(QColor(picture.pixel(6 + 1, glyph_top + 1)), QColor(Qt::black)) << "A's first pixel";
    EXPECT_EQ(QColor(picture.pixel(6 + 4 + 1, glyph_top + 1)), QColor(230, 230, 230)) << "A's second pixel";
    EXPECT_EQ(QColor(picture.pixel(6 + kCell + 7 * 4 + 1, glyph_top + 1)), QColor(Qt::black)) << "B's last pixel";
    EXPECT_EQ(QColor(picture.pixel(6 + 2 * kCell + 1, glyph_top + 1)), QColor(Qt::white)) << "no third glyph";
}

TEST(Convert, PreviewTextIsDrawnUnderTheSheetAtBothScales)
{
    TempFolder folder;
    write_file(folder.file("two.c"), "// x\r\nfontdatatype X[6] PROGMEM={\r\n0x08,0x01,0x41,0x02,\r\n"
                                     "0x80,  // A\r\n0x01,  // B\r\n};\r\n");
    ProgramRun run = convert(folder, {"--preview", folder.file("two.png"), folder.file("two.c"), "--text", "AzB"});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage picture(QString::fromStdString(folder.file("two.png")));
    ASSERT_FALSE(picture.isNull());
    // The sheet is 30 pixels high; the 1:1 line (one pixel high) follows it, the 2:1 line 8 below.
    constexpr int kLine1 = 30;
    constexpr int kLine2 = kLine1 + 1 + 8;
    EXPECT_EQ(picture.height(), kLine2 + 2 + 6);
    const QColor black(Qt::black);
    const QColor clear(230, 230, 230);
    struct Probe {
        int x, y;
        QColor colour;
        const char* what;
    };
    const Probe probes[] = {
        {6, kLine1, black, "A's first pixel at 1:1"}, {7, kLine1, clear, "A's second pixel"},
        {14, kLine1, clear, "z is outside the font: an empty cell"}, {21, kLine1, clear, "z's last pixel"},
        {29, kLine1, black, "B's last pixel"}, {30, kLine1, QColor(Qt::white), "after the text"},
        {7, kLine2 + 1, black, "A at 2:1 is two pixels square"}, {8, kLine2, clear, "A's second pixel at 2:1"},
        {53, kLine2 + 1, black, "B's last pixel at 2:1"},
    };
    for (const Probe& probe : probes)
        EXPECT_EQ(QColor(picture.pixel(probe.x, probe.y)), probe.colour) << probe.what;
    EXPECT_EQ(convert(folder, {"--preview", folder.file("two.png"), folder.file("two.c"), "--text"}).status, 2);
}

TEST(Convert, UsageMistakesExitWithStatus2AndHelpWithZero)
{
    TempFolder folder;
    ProgramRun help = convert(folder, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("glyphwright-convert --check FILE..."), std::string::npos);
    EXPECT_EQ(convert(folder, {}).status, 2);
    EXPECT_EQ(convert(folder, {"--to", "png", "--out-dir", ".", "x.c"}).status, 2);
    EXPECT_EQ(convert(folder, {"in.c", "out.txt"}).status, 2);
    EXPECT_EQ(convert(folder, {"--preview", "only.png"}).status, 2);
}

// Two fonts in a header file, as display libraries ship them.
const std::string kTwoFontsH = "// fonts.h\nint before;\nconst fontdatatype Letters[8] PROGMEM={\n0x08,0x02,0x41,0x02,\n"
                               "0x18,0x24, // A\n0x3C,0x42, // B\n};\nint between;\n"
                               "uint8_t Digit[] PROGMEM = {\n  0x08,0x01,0x30,0x01,\n  0x7E, // 0\n};\nint after;\n";

TEST(Convert, ListCheckAndConvertChooseAmongTheFontsOfASource)
{
    TempFolder folder;
    write_file(folder.file("fonts.h"), kTwoFontsH);
    ProgramRun listed = convert(folder, {"--list", "--format", "c", folder.file("fonts.h")});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, folder.file("fonts.h") + ": 1: Letters: 8 x 2, 2 characters from 65 (c, lines 3 to 7)\n"
                          + folder.file("fonts.h") + ": 2: Digit: 8 x 1, 1 character from 48 (c, lines 9 to 12)\n");
    EXPECT_EQ(convert(folder, {"--list", folder.file("fonts.h")}).out, listed.out) << "found by content";

    ProgramRun checked = convert(folder, {"--check", "--format", "c", folder.file("fonts.h")});
    EXPECT_EQ(checked.status, 0) << checked.err;
    EXPECT_NE(checked.out.find(": Letters: 8x2 pixels"), std::string::npos) << checked.out;
    EXPECT_NE(checked.out.find(": Digit: 8x1 pixels"), std::string::npos) << checked.out;

    // By number, by name, and the refusal of a font that is not there.
    for (const char* font : {"2", "Digit"}) {
        ProgramRun run = convert(folder, {"--font", font, "--format", "c", folder.file("fonts.h"), folder.file("digit.bas")});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(read_file(folder.file("digit.bas")).find("  01300108 0000007E\r\n"), std::string::npos);
    }
    ProgramRun missing = convert(folder, {"--font", "Gone", "--format", "c", folder.file("fonts.h"), folder.file("x.c")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no font is called \"Gone\""), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(folder.file("x.c")));
    EXPECT_EQ(convert(folder, {"--format", "png", folder.file("fonts.h"), folder.file("x.c")}).status, 2);
}

TEST(Convert, InPlaceWritesTheFontIntoItsEntryOfTheTarget)
{
    TempFolder folder;
    write_file(folder.file("fonts.h"), kTwoFontsH);
    write_file(folder.file("digit.bas"), "DefineFont #2\r\n  01300108 000000FF\r\nEnd DefineFont\r\n");
    ProgramRun run = convert(folder, {"--in-place", folder.file("digit.bas"), "--font", "Digit", "--format", "c",
                                      folder.file("fonts.h")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string expected = kTwoFontsH;
    expected.replace(expected.find("  0x7E, // 0"), 12, "  0xFF, // 0");
    EXPECT_EQ(read_file(folder.file("fonts.h")), expected);

    EXPECT_EQ(convert(folder, {"--in-place", folder.file("digit.bas"), folder.file("fonts.h")}).status, 2) << "no --font";
    EXPECT_EQ(convert(folder, {"--in-place", folder.file("digit.bas"), "--font", "9", "--format", "c",
                               folder.file("fonts.h")}).status, 1);
    EXPECT_EQ(read_file(folder.file("fonts.h")), expected);
}

}  // namespace
}  // namespace glyphwright

// Files that no font editor should choke on: damaged fonts, endless lines, huge files, pipes,
// folders and devices. Each gives a font or a message, quickly, and a refused file leaves the open
// font as it was.
#include "editor/file_commands.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/controls.h"
#include "formats/font_document.h"
#include "fuzz/font_checks.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/formats/format_test_support.h"
#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;
using testing::FakeGuiServices;
using testing::TempFolder;
using testing::escaped;
using testing::is_bas_path;
using testing::read_file;
using testing::write_file;

const fs::path kGoldenFolder = GLYPHWRIGHT_GOLDEN_DIR;

std::vector<fs::path> golden_font_files()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kGoldenFolder)) {
        std::string extension = to_upper(file_extension(entry.path().string()));
        if (entry.is_regular_file() && (extension == "C" || extension == "BAS"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Every byte of every golden font replaced in turn by each of the bytes that matter to the readers:
// the read gives a sound font or a message, and a font that reads survives a round trip.
TEST(HostileInput, EveryByteOfEveryGoldenFontReplacedInTurnReads)
{
    const char replacements[] = {'\0', '\xFF', '\n', ',', '0', 'x', '}'};
    std::vector<fs::path> files = golden_font_files();
    ASSERT_GE(files.size(), 20u);
    int reads = 0;
    for (const fs::path& file : files) {
        std::string original = read_file(file.string());
        bool bas = is_bas_path(file);
        for (std::size_t position = 0; position < original.size(); ++position) {
            for (char replacement : replacements) {
                std::string damaged = original;
                damaged[position] = replacement;
                std::string problem = bas ? fuzzing::check_bas_reader(damaged) : fuzzing::check_c_reader(damaged);
                if (problem.empty())
                    problem = fuzzing::check_round_trip((bas ? "1" : "0") + damaged);
                ASSERT_EQ(problem, "") << file << " with byte " << position << " replaced by «"
                                       << escaped(std::string(1, replacement)) << "»";
                ++reads;
            }
        }
    }
    EXPECT_GT(reads, 7 * 5000);
}

// A small font is open with an edit on the canvas; each hostile file must leave all of it.
class HostileOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui.create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        gui.create_label(controls::kInfoLabel, 10, 40, 240, 25, "");
        write_file(folder.file("tiny.c"), "fontdatatype Tiny[8] PROGMEM={\r\n0x08,0x02,0x41,0x02,\r\n"
                                          "0x18,0x24,  // A\r\n0x3C,0x42,  // B\r\n};\r\n");
        gui.open_dialog_answers.push_back(folder.file("tiny.c"));
        open_font(model, gui);
        ASSERT_TRUE(gui.messages.empty());
        model.glyph_grid.toggle(1, 1);
        before = model;
        gui.clear_log();
    }

    // Opens `path` and checks that a message with `reason` came and that the open
    // font, its edit and the view stayed.
    void expect_refused(const std::string& path, const std::string& reason)
    {
        SCOPED_TRACE(path);
        gui.messages.clear();
        gui.open_dialog_answers.push_back(path);
        open_font(model, gui);
        ASSERT_EQ(gui.messages.size(), 1u);
        EXPECT_EQ(gui.messages[0].first, "Cannot open");
        EXPECT_NE(gui.messages[0].second.find(reason), std::string::npos) << gui.messages[0].second;
        EXPECT_EQ(model.header, before.header);
        EXPECT_EQ(model.font_table, before.font_table);
        EXPECT_EQ(model.glyph_grid, before.glyph_grid);
        EXPECT_EQ(gui.list_entries, (std::vector<std::string>{"Chr$(65)  A", "Chr$(66)  B"}));
        EXPECT_EQ(gui.drawing_passes, 0);
    }

    TempFolder folder;
    FakeGuiServices gui;
    FontModel model;
    FontModel before;
};

TEST_F(HostileOpen, SixteenMebibyteLineWithoutALineEnd)
{
    std::string line(16 << 20, 'x');
    write_file(folder.file("long.c"), line);
    write_file(folder.file("long.bas"), line);
    expect_refused(folder.file("long.c"), "fontdatatype");
    expect_refused(folder.file("long.bas"), "DefineFont");

    // Inside a block: the header word of four 8 x 8 glyphs, then words on one line that never ends.
    std::string words = "DefineFont #8\r\n04410808";
    while (words.size() < (16u << 20))
        words += " AA55AA55";
    write_file(folder.file("words.bas"), words);
    expect_refused(folder.file("words.bas"), "End DefineFont");
}

TEST_F(HostileOpen, FileOverTheSizeLimit)
{
    std::string path = folder.file("huge.c");
    std::ofstream(path) << "fontdatatype Huge[8] PROGMEM={\r\n";
    fs::resize_file(path, static_cast<std::uintmax_t>(kMaxTextFileBytes) + 1);  // sparse: quick to make
    expect_refused(path, "larger than 32 MiB");
}

TEST_F(HostileOpen, FifoFolderAndDevice)
{
    ASSERT_EQ(mkfifo(folder.file("pipe.c").c_str(), 0600), 0);
    fs::create_directory(folder.path() / "folder.bas");
    fs::create_symlink("/dev/zero", folder.path() / "zero.c");
    expect_refused(folder.file("pipe.c"), "not a regular file");
    expect_refused(folder.file("folder.bas"), "is a folder");
    expect_refused(folder.file("zero.c"), "not a regular file");
}

TEST_F(HostileOpen, UnreadableFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which reads regardless of permissions";
    write_file(folder.file("secret.bas"), "DefineFont #8\r\n08020141\r\nEnd DefineFont\r\n");
    ASSERT_EQ(chmod(folder.file("secret.bas").c_str(), 0), 0);
    expect_refused(folder.file("secret.bas"), "Permission denied");
}

}  // namespace
}  // namespace glyphwright

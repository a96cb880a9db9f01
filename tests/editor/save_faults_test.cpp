// Saves that fail part-way: each must say why, leave every file as it was (no temporary file
// either) and keep the font with its edits in memory, so the user can save elsewhere.
#include "editor/file_commands.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "editor/controls.h"
#include "tests/fakes/fake_gui_services.h"
#include "tests/support/temp_folder.h"
#include "text/text_primitives.h"

namespace glyphwright {
namespace {

namespace fs = std::filesystem;
using testing::FakeGuiServices;
using testing::TempFolder;
using testing::read_file;
using testing::write_file;

const std::string kOldContent = "// the file that was there before\r\n";

// 95 glyphs of 32 x 32 pixels: about 60 KB as C, 27 KB as BAS, more than the small disks below hold.
std::string big_font_c()
{
    std::string text = "// big.c\r\nfontdatatype Big[12164] PROGMEM={\r\n0x20,0x20,0x20,0x5F,\r\n";
    for (int glyph = 0; glyph < 95; ++glyph) {
        for (int byte = 0; byte < 128; ++byte)
            text += "0xA5,";
        text += "\r\n";
    }
    return text + "};\r\n";
}

enum class Form { C, Bas };

bool running_as_root() { return geteuid() == 0; }

// Every file and folder under `root` with its content, to show that nothing was added or changed.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> entries;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        std::string name = fs::relative(it->path(), root).string();
        entries[name] = it->is_regular_file() ? read_file(it->path().string()) : "<folder>";
    }
    return entries;
}

// Writes `text` to the pipe end in full.
void send(int descriptor, const std::string& text)
{
    std::size_t sent = 0;
    while (sent < text.size()) {
        ssize_t count = write(descriptor, text.data() + sent, text.size() - sent);
        if (count <= 0)
            return;
        sent += static_cast<std::size_t>(count);
    }
}

// Runs `body` in a child process, so that limits and mounts it sets die with it, and gives back
// the report it returned; a child killed by a signal (SIGXFSZ for one) reports that instead.
std::string run_in_child(const std::function<std::string()>& body)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "no pipe: " + std::string(std::strerror(errno));
    pid_t child = fork();
    if (child < 0)
        return "no child process: " + std::string(std::strerror(errno));
    if (child == 0) {
        close(ends[0]);
        send(ends[1], body());
        _exit(0);
    }
    close(ends[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t count; (count = read(ends[0], buffer, sizeof buffer)) != 0;) {
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            break;
        report.append(buffer, static_cast<std::size_t>(count));
    }
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        report += "the child process was ended by signal " + to_decimal(WTERMSIG(status));
    return report;
}

// A private mount namespace (inside a user namespace when not root), where a tmpfs may be mounted.
std::string enter_mount_namespace()
{
    if (running_as_root()) {
        if (unshare(CLONE_NEWNS) != 0)
            return std::string("skip: no mount namespace: ") + std::strerror(errno);
    } else {
        uid_t user = geteuid();
        gid_t group = getegid();
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return std::string("skip: no user and mount namespace: ") + std::strerror(errno);
        write_file("/proc/self/setgroups", "deny");
        write_file("/proc/self/uid_map", "0 " + to_decimal(user) + " 1");
        write_file("/proc/self/gid_map", "0 " + to_decimal(group) + " 1");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("skip: cannot make the mounts private: ") + std::strerror(errno);
    return {};
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        gui.create_canvas(controls::kGridCanvas, 10, 60, 320, 500);
        gui.create_list(controls::kCharacterList, 210, 10, 100, 25);
        gui.create_label(controls::kInfoLabel, 10, 40, 240, 25, "");
        write_file(folder.file("big.c"), big_font_c());
        gui.open_dialog_answers.push_back(folder.file("big.c"));
        open_font(model, gui);
        ASSERT_EQ(model.header, (FontHeader{32, 32, 32, 95})) << (gui.messages.empty() ? "" : gui.messages[0].second);
        model.glyph_grid.toggle(0, 0);  // an edit not yet saved
        store_edited_glyph(model);
    }

    // Saves to `answer` and returns every way in which the failure fell short: no message or one
    // without `reason`, a file added or changed under `watched`, the font or its edit lost.
    std::string failed_save_problems(const std::string& answer, Form form, const std::string& reason,
                                     const fs::path& watched)
    {
        FontModel expected = model;
        std::map<std::string, std::string> before = snapshot(watched);
        gui.messages.clear();
        gui.save_dialog_answers.push_back(answer);
        form == Form::C ? save_as_c(model, gui) : save_as_bas(model, gui);

        std::string problems;
        if (gui.messages.size() != 1)
            problems += "expected one message, got " + to_decimal(static_cast<std::int64_t>(gui.messages.size())) + "; ";
        else if (gui.messages[0].first != "Cannot save" || gui.messages[0].second.find(reason) == std::string::npos)
            problems += "the message «" + gui.messages[0].first + ": " + gui.messages[0].second + "» lacks «" + reason + "»; ";
        if (snapshot(watched) != before)
            problems += "files under " + watched.string() + " changed or were added; ";
        if (!(model.header == expected.header) || model.font_table != expected.font_table)
            problems += "the font in memory changed; ";
        if (!(model.glyph_grid == expected.glyph_grid))
            problems += "the glyph on the canvas changed; ";
        return problems;
    }

    TempFolder folder;
    FakeGuiServices gui;
    FontModel model;
};

TEST_F(SaveFaults, FullDiskKeepsTheOldFile)
{
    fs::path disk = folder.path() / "disk";
    fs::create_directory(disk);
    for (Form form : {Form::C, Form::Bas}) {
        std::string report = run_in_child([&]() -> std::string {
            if (std::string entered = enter_mount_namespace(); !entered.empty())
                return entered;
            if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k") != 0)
                return std::string("skip: cannot mount a tmpfs: ") + std::strerror(errno);
            write_file((disk / "font.c").string(), kOldContent);
            write_file((disk / "font.bas").string(), kOldContent);
            return failed_save_problems((disk / (form == Form::C ? "font.c" : "font.bas")).string(), form,
                                        "No space left on device", disk);
        });
        if (report.rfind("skip: ", 0) == 0)
            GTEST_SKIP() << report.substr(6);
        EXPECT_EQ(report, "");
    }
}

TEST_F(SaveFaults, FileSizeLimitKeepsTheOldFileAndTheProgram)
{
    write_file(folder.file("font.c"), kOldContent);
    for (Form form : {Form::C, Form::Bas}) {
        std::string report = run_in_child([&]() -> std::string {
            rlimit limit{8192, 8192};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return std::string("cannot set the file size limit: ") + std::strerror(errno);
            return failed_save_problems(folder.file("font.c"), form, "File too large", folder.path());
        });
        EXPECT_EQ(report, "");
    }
}

// Paths that cannot name a new file: each is refused before anything is written.
TEST_F(SaveFaults, PathsThatCannotBeWrittenKeepEverything)
{
    write_file(folder.file("font.c"), kOldContent);
    write_file(folder.file("plain"), kOldContent);
    fs::create_directory(folder.path() / "folder.bas");
    fs::create_directory(folder.path() / "folder.c");
    write_file(folder.file("folder.c/font.c"), kOldContent);
    struct Row {
        std::string answer;
        Form form;
        std::string reason;
    };
    const Row rows[] = {
        // a folder that does not exist
        {folder.file("missing/font.c"), Form::C, "No such file or directory"},
        {folder.file("missing/deeper/font"), Form::Bas, "No such file or directory"},
        // a folder given as the file name
        {folder.file("folder.bas"), Form::Bas, "is a folder"},
        {folder.file("folder.c"), Form::C, "is a folder"},
        // a path through a file
        {folder.file("plain/font.c"), Form::C, "Not a directory"},
        {folder.file("font.c/font.bas"), Form::Bas, "Not a directory"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(failed_save_problems(row.answer, row.form, row.reason, folder.path()), "") << row.answer;
}

TEST_F(SaveFaults, ReadOnlyTargetAndFolderKeepTheirFiles)
{
    if (running_as_root())
        GTEST_SKIP() << "running as root, which writes regardless of permissions";
    write_file(folder.file("font.c"), kOldContent);
    ASSERT_EQ(chmod(folder.file("font.c").c_str(), 0444), 0);
    EXPECT_EQ(failed_save_problems(folder.file("font.c"), Form::C, "Permission denied", folder.path()), "");

    fs::path locked = folder.path() / "locked";
    fs::create_directory(locked);
    write_file((locked / "font.bas").string(), kOldContent);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    EXPECT_EQ(failed_save_problems((locked / "font.bas").string(), Form::Bas, "Permission denied", folder.path()), "");
    EXPECT_EQ(failed_save_problems((locked / "new.c").string(), Form::C, "Permission denied", folder.path()), "");
    chmod(locked.c_str(), 0755);
}

// After a failed save the same font still saves, edit included, where the disk allows it.
TEST_F(SaveFaults, FontSavesElsewhereAfterAFailure)
{
    EXPECT_EQ(failed_save_problems(folder.file("missing/font.c"), Form::C, "No such file", folder.path()), "");
    gui.save_dialog_answers.push_back(folder.file("saved.c"));
    save_as_c(model, gui);
    ASSERT_EQ(gui.messages.size(), 1u);
    std::string saved = read_file(folder.file("saved.c"));
    EXPECT_NE(saved.find("\r\n0x25,0xA5,"), std::string::npos) << "the edit of pixel (0, 0) is missing";
}

}  // namespace
}  // namespace glyphwright

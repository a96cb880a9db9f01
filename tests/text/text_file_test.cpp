#include "text/line_reader.h"
#include "text/text_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace glyphwright {
namespace {

using testing::TempFolder;
using testing::read_file;
using testing::write_file;

TEST(LineReader, AcceptsEveryLineEndAndTellsTheEndFromAnEmptyLine)
{
    std::string text = std::string("A\rB\nC\r\nD");
    LineReader reader(text);
    EXPECT_EQ(reader.read_line(), "A");
    EXPECT_EQ(reader.read_line(), "B");
    EXPECT_EQ(reader.read_line(), "C");
    EXPECT_FALSE(reader.at_end());
    EXPECT_EQ(reader.read_line(), "D");
    EXPECT_TRUE(reader.at_end());
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_EQ(reader.line_number(), 4u);
}

TEST(LineReader, EmptyLinesAndByteZero)
{
    std::string text("\r\n\n\r\rX\0Y\n", 9);
    LineReader reader(text);
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_EQ(reader.read_line(), "");
    EXPECT_FALSE(reader.at_end());
    EXPECT_EQ(reader.read_line(), "X");
    EXPECT_EQ(reader.read_line(), "Y");
    EXPECT_TRUE(reader.at_end());
}

TEST(LineReader, KeepsAByteOrderMarkAsCharacters)
{
    std::string text = "\xEF\xBB\xBF// name\r\n";
    LineReader reader(text);
    EXPECT_EQ(reader.read_line(), "\xEF\xBB\xBF// name");
    EXPECT_TRUE(reader.at_end());
}

TEST(TextFile, ReadsBytesUnchanged)
{
    TempFolder folder;
    std::string content("a\r\nb\0\xff", 6);
    write_file(folder.file("f.c"), content);
    OpenedTextFile opened = open_text_file(folder.file("f.c"));
    ASSERT_TRUE(opened.ok) << opened.error;
    EXPECT_EQ(opened.content, content);
}

TEST(TextFile, RefusesWhatIsNotARegularFileWithAReason)
{
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0600), 0);
    struct Row { std::string path; std::string reason; };
    const Row rows[] = {
        {folder.file("missing.c"), "No such file"},
        {folder.path().string(), "is a folder"},
        {folder.file("fifo"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
    };
    for (const Row& row : rows) {
        OpenedTextFile opened = open_text_file(row.path);
        EXPECT_FALSE(opened.ok) << row.path;
        EXPECT_NE(opened.error.find(row.reason), std::string::npos) << opened.error;
        EXPECT_NE(opened.error.find(row.path), std::string::npos) << opened.error;
        // A file read piece by piece is refused for the same reason.
        ReadableFile readable = open_readable_file(row.path);
        EXPECT_FALSE(readable.ok()) << row.path;
        EXPECT_EQ(readable.error(), opened.error);
    }
}

// Pieces of a file: short at its end, and short rather than a fault when it shrinks while open.
TEST(TextFile, AFileReadPieceByPieceGivesShortReadsAtItsEnd)
{
    TempFolder folder;
    write_file(folder.file("f.ttf"), "0123456789");
    const ReadableFile file = open_readable_file(folder.file("f.ttf"));
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_EQ(file.size(), 10);
    char piece[8] = {};
    EXPECT_EQ(file.read_at(6, piece, sizeof piece), 4u);
    EXPECT_EQ(std::string(piece, 4), "6789");
    EXPECT_EQ(file.read_at(12, piece, sizeof piece), 0u);
    ASSERT_EQ(truncate(folder.file("f.ttf").c_str(), 3), 0);
    EXPECT_EQ(file.read_at(0, piece, sizeof piece), 3u);
}

TEST(TextFile, RefusesFilesOverTheSizeLimit)
{
    TempFolder folder;
    std::string path = folder.file("huge.c");
    write_file(path, "");
    ASSERT_EQ(truncate(path.c_str(), kMaxTextFileBytes + 1), 0);
    OpenedTextFile opened = open_text_file(path);
    EXPECT_FALSE(opened.ok);
    EXPECT_NE(opened.error.find("32 MiB"), std::string::npos) << opened.error;

    ASSERT_EQ(truncate(path.c_str(), kMaxTextFileBytes), 0);
    EXPECT_TRUE(open_text_file(path).ok);
}

TEST(TextFile, ReplacesAnExistingFileWholeAndKeepsItsPermissions)
{
    TempFolder folder;
    std::string path = folder.file("font.c");
    write_file(path, std::string(5000, 'x'));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);

    OutputTextFile file = create_text_file(path);
    ASSERT_TRUE(file.ok()) << file.error();
    write_text(file, "short\r\n");
    write_text(file, "");
    write_text(file, std::string(3u << 20, 'y'));  // more than the write buffer
    FileResult closed = close_text_file(file);
    ASSERT_TRUE(closed.ok) << closed.error;

    EXPECT_EQ(read_file(path), "short\r\n" + std::string(3u << 20, 'y'));
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.entry_count(), 1u);
}

TEST(TextFile, NewFilesFollowTheUmask)
{
    TempFolder folder;
    mode_t old_mask = umask(022);
    FileResult written = write_whole_text_file(folder.file("new.bas"), "x");
    umask(old_mask);
    ASSERT_TRUE(written.ok) << written.error;
    struct stat status {};
    ASSERT_EQ(stat(folder.file("new.bas").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}

TEST(TextFile, CreateFailsWithAReasonForMissingFoldersAndFolders)
{
    TempFolder folder;
    OutputTextFile missing = create_text_file(folder.file("no/such/font.c"));
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("No such file"), std::string::npos) << missing.error();
    FileResult closed = close_text_file(missing);
    EXPECT_FALSE(closed.ok);

    FileResult onto_folder = write_whole_text_file(folder.path().string(), "x");
    EXPECT_FALSE(onto_folder.ok);
    EXPECT_NE(onto_folder.error.find("is a folder"), std::string::npos) << onto_folder.error;
    EXPECT_EQ(folder.entry_count(), 0u);
}

TEST(TextFile, AnUnclosedFileLeavesNothingBehind)
{
    TempFolder folder;
    write_file(folder.file("font.c"), "old");
    {
        OutputTextFile file = create_text_file(folder.file("font.c"));
        write_text(file, "new");
    }
    EXPECT_EQ(read_file(folder.file("font.c")), "old");
    EXPECT_EQ(folder.entry_count(), 1u);
}

// A write that fails half-way (here: past the file-size limit, in a child process so the limit
// stays there) keeps the old file byte-identical and removes the temporary file.
TEST(TextFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    TempFolder folder;
    std::string path = folder.file("font.bas");
    std::string old_content = "' the old font\r\n";
    write_file(path, old_content);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct rlimit limit { 4096, 4096 };
        setrlimit(RLIMIT_FSIZE, &limit);
        FileResult written = write_whole_text_file(path, std::string(3u << 20, 'z'));
        bool reported = !written.ok && written.error.find("too large") != std::string::npos;
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failure was not reported";
    EXPECT_EQ(read_file(path), old_content);
    EXPECT_EQ(folder.entry_count(), 1u);
}

}  // namespace
}  // namespace glyphwright

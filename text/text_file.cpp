#include "text/text_file.h"

#include "text/text_primitives.h"

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glyphwright {

namespace {

constexpr std::size_t kWriteBufferBytes = 1 << 20;

std::string reason_of(int error_number) { return std::strerror(error_number); }

std::string folder_of(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string name_of(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A save through a symbolic link replaces the file it points to and keeps the link.
std::string resolve_link(const std::string& path)
{
    struct stat link_status {};
    if (lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

mode_t mode_for_new_file()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Past RLIMIT_FSIZE the kernel sends SIGXFSZ, whose default action ends the program and loses
// every unsaved edit; ignored, the write fails with EFBIG and the save reports it.
void ignore_file_size_signal()
{
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

FileStamp stamp_of(const struct stat& status)
{
    FileStamp stamp;
    stamp.size = status.st_size;
    stamp.modified_nanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return stamp;
}

std::string describe_non_regular(const std::string& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return quoted(path) + " is a folder, not a font file.";
    return quoted(path) + " is not a regular file.";
}

std::string too_large_message(const std::string& path)
{
    return quoted(path) + " is larger than 32 MiB; font files are far smaller.";
}

// A descriptor of the regular file at `path`, not over kMaxTextFileBytes, read-only, with its
// status; -1 and the reason when it is something else or cannot be opened. O_NONBLOCK keeps a FIFO
// from blocking the open; the fstat refuses it.
int open_font_file(const std::string& path, struct stat& status, std::string& error)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        error = "Cannot open " + quoted(path) + ": " + reason_of(errno) + ".";
        return -1;
    }
    status = {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        error = describe_non_regular(path, status.st_mode);
    else if (status.st_size > kMaxTextFileBytes)
        error = too_large_message(path);
    else
        return descriptor;
    close(descriptor);
    return -1;
}

}  // namespace

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_size(std::exchange(other.m_size, 0)),
      m_error(std::exchange(other.m_error, "no file"))
{
}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = std::exchange(other.m_size, 0);
        m_error = std::exchange(other.m_error, "no file");
    }
    return *this;
}

ReadableFile::~ReadableFile()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
}

std::size_t ReadableFile::read_at(std::int64_t offset, char* buffer, std::size_t count) const
{
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got = pread(m_descriptor, buffer + filled, count - filled, static_cast<off_t>(offset) + static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

ReadableFile open_readable_file(const std::string& path)
{
    ReadableFile result;
    struct stat status {};
    result.m_descriptor = open_font_file(path, status, result.m_error);
    if (result.m_descriptor >= 0) {
        result.m_size = status.st_size;
        result.m_error.clear();
    }
    return result;
}

OpenedTextFile open_text_file(const std::string& path)
{
    OpenedTextFile result;
    struct stat status {};
    const int descriptor = open_font_file(path, status, result.error);
    if (descriptor < 0)
        return result;
    result.stamp = stamp_of(status);
    // One byte beyond the size lets the read see the end of the file without growing the text.
    result.content.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.content.size()) {
            if (result.content.size() >= static_cast<std::size_t>(kMaxTextFileBytes) + 1)
                break;
            result.content.resize(result.content.size() + 4096);  // the file may have grown
        }
        ssize_t count = read(descriptor, result.content.data() + filled, result.content.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            result.error = "Cannot read " + quoted(path) + ": " + reason_of(errno) + ".";
            close(descriptor);
            result.content.clear();
            return result;
        }
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    close(descriptor);
    if (filled > static_cast<std::size_t>(kMaxTextFileBytes)) {
        result.error = too_large_message(path);
        result.content.clear();
        return result;
    }
    result.content.resize(filled);
    result.ok = true;
    return result;
}

FileStamp file_stamp(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return {};
    return stamp_of(status);
}

OutputTextFile::OutputTextFile(OutputTextFile&& other) noexcept { *this = std::move(other); }

OutputTextFile& OutputTextFile::operator=(OutputTextFile&& other) noexcept
{
    if (this == &other)
        return *this;
    discard();
    m_descriptor = other.m_descriptor;
    m_target_path = std::move(other.m_target_path);
    m_temporary_path = std::move(other.m_temporary_path);
    m_buffer = std::move(other.m_buffer);
    m_error = std::move(other.m_error);
    other.m_descriptor = -1;
    other.m_temporary_path.clear();
    return *this;
}

OutputTextFile::~OutputTextFile() { discard(); }

void OutputTextFile::discard()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary_path.empty())
        unlink(m_temporary_path.c_str());
    m_temporary_path.clear();
}

void OutputTextFile::flush_buffer()
{
    std::size_t written = 0;
    while (m_error.empty() && written < m_buffer.size()) {
        ssize_t count = write(m_descriptor, m_buffer.data() + written, m_buffer.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            m_error = "Cannot write " + quoted(m_target_path) + ": " + reason_of(count < 0 ? errno : EIO) + ".";
        else
            written += static_cast<std::size_t>(count);
    }
    m_buffer.clear();
}

OutputTextFile create_text_file(const std::string& path)
{
    OutputTextFile file;
    file.m_target_path = path;
    if (path.empty()) {
        file.m_error = "No file name was given.";
        return file;
    }
    ignore_file_size_signal();
    std::string target = resolve_link(path);
    struct stat status {};
    bool exists = stat(target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        file.m_error = describe_non_regular(path, status.st_mode);
        return file;
    }
    // The rename would replace a write-protected file as readily as any other; the protection is
    // the user's wish that it stay as it is.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        file.m_error = "Cannot write " + quoted(path) + ": " + reason_of(errno) + ".";
        return file;
    }
    std::string temporary = folder_of(target) + "/." + name_of(target) + ".XXXXXX";
    int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        file.m_error = "Cannot create " + quoted(path) + ": " + reason_of(errno) + ".";
        return file;
    }
    file.m_descriptor = descriptor;
    file.m_temporary_path = temporary;
    file.m_target_path = target;
    mode_t mode = stat(target.c_str(), &status) == 0 ? (status.st_mode & 07777) : mode_for_new_file();
    if (fchmod(descriptor, mode) != 0)
        file.m_error = "Cannot set the permissions of " + quoted(path) + ": " + reason_of(errno) + ".";
    return file;
}

void write_text(OutputTextFile& file, std::string_view text)
{
    if (!file.ok())
        return;
    file.m_buffer.append(text);
    if (file.m_buffer.size() >= kWriteBufferBytes)
        file.flush_buffer();
}

FileResult close_text_file(OutputTextFile& file)
{
    FileResult result;
    if (file.m_descriptor < 0) {
        result.error = file.m_error.empty() ? "The file was not created." : file.m_error;
        return result;
    }
    file.flush_buffer();
    if (file.m_error.empty() && fsync(file.m_descriptor) != 0)
        file.m_error = "Cannot write " + quoted(file.m_target_path) + ": " + reason_of(errno) + ".";
    int descriptor = file.m_descriptor;
    file.m_descriptor = -1;
    if (close(descriptor) != 0 && file.m_error.empty())
        file.m_error = "Cannot write " + quoted(file.m_target_path) + ": " + reason_of(errno) + ".";
    if (file.m_error.empty() && rename(file.m_temporary_path.c_str(), file.m_target_path.c_str()) != 0)
        file.m_error = "Cannot replace " + quoted(file.m_target_path) + ": " + reason_of(errno) + ".";
    if (!file.m_error.empty()) {
        file.discard();
        result.error = file.m_error;
        return result;
    }
    file.m_temporary_path.clear();
    // Make the rename itself durable; a failure here cannot lose the new content any more.
    int folder = open(folder_of(file.m_target_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    result.ok = true;
    return result;
}

FileResult write_whole_text_file(const std::string& path, std::string_view text)
{
    OutputTextFile file = create_text_file(path);
    write_text(file, text);
    return close_text_file(file);
}

FileResult write_standard_output(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return {false, "Cannot write to standard output: " + reason_of(errno) + "."};
    return {true, {}};
}

}  // namespace glyphwright

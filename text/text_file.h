#pragma once

// Text files read and written as 8-bit bytes without conversion. Reading loads a whole regular file
// into memory; writing replaces a file atomically, so a failed save never leaves a file half-written.

#include <cstdint>
#include <string>
#include <string_view>

namespace glyphwright {

// Files larger than this are refused: no font comes near it, and it bounds memory use.
inline constexpr std::int64_t kMaxTextFileBytes = 32LL * 1024 * 1024;

struct FileResult {
    bool ok = false;
    std::string error;  // a sentence a message box can show when !ok
};

// Size and modification time of a file: what tells that it changed since it was read.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified_nanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

struct OpenedTextFile {
    bool ok = false;
    std::string content;
    std::string error;
    FileStamp stamp;  // the file's as it was opened
};

// The stamp of the file at `path` now; a size of -1 when it cannot be examined.
FileStamp file_stamp(const std::string& path);

// The whole content of the file at `path`. Refuses, with a reason, what is not a regular file
// (a folder, a FIFO, a device), files over kMaxTextFileBytes and unreadable files; never blocks.
OpenedTextFile open_text_file(const std::string& path);

// A regular file open for reading piece by piece, for readers that look at a small part of a large
// file (an outline font's tables for a few characters). Refuses what open_text_file refuses, with
// the same reasons. A file that shrinks while it is read gives short reads, never a fault.
class ReadableFile {
public:
    ReadableFile() = default;
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();

    bool ok() const { return m_descriptor >= 0; }
    const std::string& error() const { return m_error; }
    std::int64_t size() const { return m_size; }  // as it was opened
    // Reads up to `count` bytes from `offset` into `buffer`; how many were read (0 past the end or
    // on an error).
    std::size_t read_at(std::int64_t offset, char* buffer, std::size_t count) const;

private:
    friend ReadableFile open_readable_file(const std::string& path);

    int m_descriptor = -1;
    std::int64_t m_size = 0;
    std::string m_error = "no file";
};

ReadableFile open_readable_file(const std::string& path);

// A file being written. Text goes to a temporary file beside the target; close_text_file renames
// it over the target. Destroying an unclosed file removes the temporary file.
class OutputTextFile {
public:
    OutputTextFile() = default;
    OutputTextFile(OutputTextFile&& other) noexcept;
    OutputTextFile& operator=(OutputTextFile&& other) noexcept;
    OutputTextFile(const OutputTextFile&) = delete;
    OutputTextFile& operator=(const OutputTextFile&) = delete;
    ~OutputTextFile();

    bool ok() const { return m_error.empty() && m_descriptor >= 0; }
    const std::string& error() const { return m_error; }

private:
    friend OutputTextFile create_text_file(const std::string& path);
    friend void write_text(OutputTextFile& file, std::string_view text);
    friend FileResult close_text_file(OutputTextFile& file);

    void flush_buffer();
    void discard();

    int m_descriptor = -1;
    std::string m_target_path;
    std::string m_temporary_path;
    std::string m_buffer;
    std::string m_error;
};

// Starts replacing (or creating) the file at `path`. Check ok(): it fails, with a reason, when the
// folder is missing or not writable, when `path` names a folder, or when the file exists and is not
// writable.
OutputTextFile create_text_file(const std::string& path);

// Appends the bytes of `text`. A failed write is remembered and reported by close_text_file.
void write_text(OutputTextFile& file, std::string_view text);

// Flushes, syncs and renames the temporary file over the target; an existing target keeps its
// permissions. On any failure the temporary file is removed, the old file is left as it was, and
// the result gives the reason.
FileResult close_text_file(OutputTextFile& file);

// create_text_file, write_text and close_text_file for one whole text.
FileResult write_whole_text_file(const std::string& path, std::string_view text);

// Writes the whole text to standard output and flushes it.
FileResult write_standard_output(std::string_view text);

}  // namespace glyphwright

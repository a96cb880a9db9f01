#pragma once

// Opening a font file into the model and saving the model to a file, shared by the editor's File
// commands and by the command-line converter so that both write exactly the same bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/font_file.h"
#include "model/font_model.h"
#include "text/text_file.h"

namespace glyphwright {

// The two forms the editor reads and writes, and BDF, which it only writes (BDF fonts come in
// through the importer).
enum class FontFormat { C, Bas, Bdf };

// The format of a path by its extension, without regard to case: "c", "bas" or "bdf"; none otherwise.
std::optional<FontFormat> format_of_path(std::string_view path);

// ".c", ".bas" or ".bdf".
std::string_view default_extension(FontFormat format);

// The path with the format's default extension appended when it has no extension at all.
std::string with_default_extension(std::string path, FontFormat format);

// Reads the font file at `path` in the format its extension names. Refuses, with a message, paths
// of other extensions, BDF files (they are imported), files that cannot be read and files the reader refuses.
FontReadResult read_font_file(const std::string& path);

// A font source read whole and searched for fonts.
struct ScannedFontFile {
    bool ok = false;
    std::string message;  // when !ok: why the file cannot be opened, naming it
    FontFormat format = FontFormat::C;
    std::string content;
    FileStamp stamp;      // the file's when it was read
    FontScan scan;        // when ok, at least one entry
};

// Reads the file at `path` and finds its fonts, in `format` or else by the path's extension.
// Refuses, with a message, paths of other extensions, unreadable files and files without a font.
ScannedFontFile scan_font_file(const std::string& path, std::optional<FontFormat> format = std::nullopt);

// Reads font `entry` (from 0) of a scanned file; an entry out of range gives a failed result.
FontReadResult read_font_entry(const ScannedFontFile& file, std::size_t entry);

// The font among the file's chosen by `choice`: a 1-based number, an array name, or "#N" for a
// DefineFont number. None, with `problem` set, when nothing matches.
std::optional<std::size_t> find_font_entry(const FontScan& scan, std::string_view choice, std::string& problem);

// One line for a font of a file: «BigFont: 16 x 16, 95 characters from 32». A font without a
// name is called by its number `position` (from 0) in the file.
std::string font_entry_description(const FontEntry& entry, std::size_t position);

// The warnings of a read, one a line, at most the first ten and then how many more there are.
std::string warning_summary(const std::vector<std::string>& warnings);

// What no display draws of a font saved in the C or DefineFont form: codes past 255 and, for C,
// widths that are not multiples of 8. A BDF font carries any code and width.
std::vector<std::string> drawing_problems(const FontHeader& header, FontFormat format);

// Makes a successfully read font the open one: header, header texts and glyph table are replaced,
// the grid is fresh for the new size and holds row 0, which is the glyph being edited. The font
// has no source file until the caller sets one.
void adopt_font(FontModel& model, FontReadResult& read);

// Stores the glyph being edited into its row, as every save does first.
void store_edited_glyph(FontModel& model);

// The file text of the model in `format`, named after `save_path`.
std::string font_file_text(const FontModel& model, FontFormat format, std::string_view save_path);

// Stores the glyph being edited into its row, then replaces the file at `path` atomically with the
// model in `format`. On failure the old file is untouched and the result gives the reason; the
// model keeps everything.
FileResult save_font(FontModel& model, const std::string& path, FontFormat format);

}  // namespace glyphwright

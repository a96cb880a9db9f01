#pragma once

// Opening a font file into the model and saving the model to a file, shared by the editor's File
// commands and by the command-line converter so that both write exactly the same bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_forms.h"
#include "formats/font_file.h"
#include "model/font.h"
#include "text/text_file.h"

namespace glyphwright {

// Reads the first font of the file at `path`, found as scan_font_file finds it. Refuses, with a
// message, files that cannot be read and files without a font of a form that can be read.
FontReadResult read_font_file(const std::string& path);

// A font source read whole and searched for fonts.
struct ScannedFontFile {
    bool ok = false;
    std::string message;  // when !ok: why the file cannot be opened, naming it
    FontFormat format = FontFormat::C;
    std::string content;
    FileStamp stamp;      // the file's when it was read
    FontScan scan;        // when ok, at least one entry
    std::optional<std::string> companion;  // the text of the form's companion file beside it, when there is one
};

// Reads the file at `path` and finds its fonts: in `format` when it is given, else in every form
// that can be read. When several forms find fonts, a form whose claim is certain (a declared font
// type, a DefineFont block) goes before one that only guesses (a plain byte array), then the form
// of the path's extension, then the first in the registry. Refuses, with a message, unreadable
// files and files without a font.
ScannedFontFile scan_font_file(const std::string& path, std::optional<FontFormat> format = std::nullopt);

// Reads font `entry` (from 0) of a scanned file with the reader's options; an entry out of range
// gives a failed result, and options of a form that takes none a warning.
FontReadResult read_font_entry(const ScannedFontFile& file, std::size_t entry, const ReadOptions& options = {});

// The font among the file's chosen by `choice`: a 1-based number, an array name, or "#N" for a
// DefineFont number. None, with `problem` set, when nothing matches.
std::optional<std::size_t> find_font_entry(const FontScan& scan, std::string_view choice, std::string& problem);

// One line for a font of a file: «BigFont: 16 x 16, 95 characters from 32». A font without a
// name is called by its number `position` (from 0) in the file.
std::string font_entry_description(const FontEntry& entry, std::size_t position);

// The warnings of a read, one a line, at most the first ten and then how many more there are.
std::string warning_summary(const std::vector<std::string>& warnings);

// What no display draws of a font saved in `format` (codes past 255 in C and DefineFont, widths not
// multiples of 8 in C), as warnings.
std::vector<std::string> drawing_problems(const Font& model, FontFormat format);

// Why the font cannot be saved in `format` (a code the form cannot hold), or the empty text.
std::string save_refusal(const Font& model, FontFormat format);

// What saving in `format` changes of the font, one sentence each: a form of one cell keeps no
// advance of each glyph and pads the cell to whole bytes. Empty when the form holds the font as it is.
std::vector<std::string> save_notes(const Font& model, FontFormat format);

// The file text of the model in `format`, named after `save_path`: the font fitted to the form's
// cell where the form has one (see save_notes). The font must not be refused by save_refusal.
std::string font_file_text(const Font& model, FontFormat format, std::string_view save_path, const WriteOptions& options = {});

// Replaces the file at `path` atomically with the font in `format`, and the form's companion
// beside it when the form has one. On failure (a font the form cannot hold included) the old file
// is untouched and the result gives the reason.
FileResult save_font(const Font& font, const std::string& path, FontFormat format, const WriteOptions& options = {});

// The path that stands for standard output where a font is saved.
inline constexpr std::string_view kStandardOutputPath = "-";

// As save_font, but to standard output when `path` is kStandardOutputPath, the file then named
// after `name_source` (the font's input file) as a file of the form's extension beside it would be.
// A form written as two files is refused there.
FileResult save_font_or_print(const Font& font, const std::string& path, std::string_view name_source, FontFormat format,
                              const WriteOptions& options = {});

}  // namespace glyphwright

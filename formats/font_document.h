#pragma once

// Opening a font file into the model and saving the model to a file, shared by the editor's File
// commands and by the command-line converter so that both write exactly the same bytes.

#include <optional>
#include <string>
#include <string_view>

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

// Makes a successfully read font the open one: header, header texts and glyph table are replaced,
// the grid is fresh for the new size and holds row 0, which is the glyph being edited.
void adopt_font(FontModel& model, FontReadResult& read);

// The file text of the model in `format`, named after `save_path`.
std::string font_file_text(const FontModel& model, FontFormat format, std::string_view save_path);

// Stores the glyph being edited into its row, then replaces the file at `path` atomically with the
// model in `format`. On failure the old file is untouched and the result gives the reason; the
// model keeps everything.
FileResult save_font(FontModel& model, const std::string& path, FontFormat format);

}  // namespace glyphwright

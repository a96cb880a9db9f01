#pragma once

// Conversions between the program's 8-bit texts and Qt's strings.

#include <QString>
#include <QStringList>

#include <string>

namespace glyphwright::qt {

// Text for the screen: UTF-8 when the bytes are valid UTF-8, else one character per byte
// (Latin-1), so that no byte is ever lost or shown as a replacement mark. CR LF becomes a line feed.
QString to_screen_text(const std::string& text);

// A path from a file dialog, in the file system's own encoding.
std::string from_qt_path(const QString& path);

// The "Label|pattern|Label|pattern" filter text as Qt's name filters («Label (pattern)»). A label
// that already ends with its pattern in brackets is kept as it is; several patterns joined by ";"
// are separated by blanks; a label without a pattern is dropped.
QStringList to_name_filters(const std::string& filter);

}  // namespace glyphwright::qt

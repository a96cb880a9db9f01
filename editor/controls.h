#pragma once

// Ids of the windows, their controls and the menus' items.

namespace glyphwright::controls {

inline constexpr int kGridCanvas = 1;
inline constexpr int kCopyButton = 7;
inline constexpr int kPasteButton = 8;
inline constexpr int kRestoreButton = 9;
inline constexpr int kCharacterList = 10;
inline constexpr int kFileButton = 13;
inline constexpr int kFileMenu = 14;
inline constexpr int kInfoLabel = 20;

inline constexpr int kOpenItem = 15;
inline constexpr int kSaveAsCItem = 16;
inline constexpr int kSaveAsBasItem = 17;
inline constexpr int kNewItem = 18;
inline constexpr int kQuitItem = 19;
// Shows the header lines kept from the opened file; the sixth item of the File menu.
inline constexpr int kFileInfoItem = 21;
// Writes the open font back into the file and font it was opened from.
inline constexpr int kSaveInPlaceItem = 24;

// The Overview window and its controls.
inline constexpr int kOverviewWindow = 50;
inline constexpr int kGlyphMap = 51;
inline constexpr int kSampleField = 52;
inline constexpr int kSampleCanvas = 53;

}  // namespace glyphwright::controls

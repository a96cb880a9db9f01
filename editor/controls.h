#pragma once

// Ids of the windows, their controls, the menus' items and the key commands.

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
// Import font... and Save as BDF follow File Info.
inline constexpr int kImportFontItem = 22;
inline constexpr int kSaveAsBdfItem = 23;
// Writes the open font back into the file and font it was opened from.
inline constexpr int kSaveInPlaceItem = 24;

inline constexpr int kEditButton = 30;
inline constexpr int kEditMenu = 31;
inline constexpr int kUndoItem = 32;
inline constexpr int kRedoItem = 33;
inline constexpr int kShiftLeftItem = 34;
inline constexpr int kShiftRightItem = 35;
inline constexpr int kShiftUpItem = 36;
inline constexpr int kShiftDownItem = 37;
inline constexpr int kFlipHorizontallyItem = 38;
inline constexpr int kFlipVerticallyItem = 39;
inline constexpr int kInvertItem = 40;
inline constexpr int kClearItem = 41;
// Opens or closes the Overview window.
inline constexpr int kOverviewItem = 42;
// After Overview: the advance of the glyph being edited, and which characters the font has.
inline constexpr int kNarrowerItem = 43;
inline constexpr int kWiderItem = 44;
inline constexpr int kAddCharacterItem = 45;
inline constexpr int kRemoveCharacterItem = 46;
// How the font's codes 0 to 255 read as Unicode characters.
inline constexpr int kCodePageItem = 47;
// The cells one screen pixel larger or smaller, or as large as the window shows whole.
inline constexpr int kZoomInItem = 92;
inline constexpr int kZoomOutItem = 93;
inline constexpr int kZoomToFitItem = 94;

// A key command carries the id of the menu item or button it stands for, and runs what choosing
// that item or pressing that button runs. Keys with neither have ids of their own.
inline constexpr int kPreviousCharacterKey = 90;
inline constexpr int kNextCharacterKey = 91;
inline constexpr int kCancelStrokeKey = 95;

// File menu items after the first design's.
inline constexpr int kSaveItem = 60;
inline constexpr int kSaveAsItem = 61;
inline constexpr int kOpenRecentItem = 62;

// The Overview window and its controls.
inline constexpr int kOverviewWindow = 50;
inline constexpr int kGlyphMap = 51;
inline constexpr int kSampleField = 52;
inline constexpr int kSampleCanvas = 53;

}  // namespace glyphwright::controls

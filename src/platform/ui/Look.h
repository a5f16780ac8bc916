#pragma once

// The classic look of the native lists, in pixels at 96 dots per inch, scaled with the dpi.
namespace discmenu::ui::look {

// The small list font's height, and the rows of a list in it.
inline constexpr int ListFontPixels = 11;
inline constexpr int ListRowPixels = 13;
// Folder rows, as high as their small folder icons.
inline constexpr int FolderRowPixels = 17;

} // namespace discmenu::ui::look

#pragma once

#include <windows.h>

namespace discmenu::win32 {

// Dots per inch of the monitor a window is on (96 at 100 %). Read through the system's
// per-monitor functions where it has them (Windows 10), else the screen's.
UINT dpiOf(HWND window);
UINT systemDpi();
// Looks the per-monitor functions up now rather than on first use: a look-up waits for
// the system's loader, which a library loading on another thread may hold for a while.
void lookUpDpiFunctions();
// The outer rectangle of a window whose client area is clientW by clientH pixels.
RECT outerRect(int clientW, int clientH, DWORD style, DWORD exStyle, UINT dpi);

// Twips to pixels at a dpi, and back: 1440 twips to the inch.
inline int twipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline int pixelsToTwips(int pixels, UINT dpi) {
    return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

} // namespace discmenu::win32

#pragma once

#include <windows.h>

namespace discmenu::win32 {

// A picture built into the program as a resource (RCDATA, by name), decoded by the
// Windows Imaging Component into a bitmap; null when it cannot be. Only its top left part
// of at most maxWidth by maxHeight pixels is decoded: a window shows no more of it. COM
// must be started.
HBITMAP loadPicture(HINSTANCE instance, const wchar_t* name, int maxWidth, int maxHeight);

} // namespace discmenu::win32

#pragma once

#include <windows.h>

namespace discmenu::win32 {

// A picture built into the program as a resource (RCDATA, by name), decoded by the
// Windows Imaging Component into a bitmap; null when it cannot be. COM must be started.
HBITMAP loadPicture(HINSTANCE instance, const wchar_t* name);

} // namespace discmenu::win32

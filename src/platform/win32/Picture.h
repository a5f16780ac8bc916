#pragma once

#include "platform/win32/Shell.h"

#include <windows.h>

namespace discmenu::win32 {

// A picture built into the program as a resource (RCDATA, by name), decoded by the
// Windows Imaging Component into a bitmap; null when it cannot be. Only its top left part
// of at most maxWidth by maxHeight pixels is copied out: a window shows no more of it. A
// resource NAME_TOP, a top left part of the picture, stands in for it when large enough.
HBITMAP loadPicture(Shell& shell, HINSTANCE instance, const wchar_t* name, int maxWidth,
                    int maxHeight);

} // namespace discmenu::win32

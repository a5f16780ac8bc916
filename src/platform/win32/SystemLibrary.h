#pragma once

#include <windows.h>

#include <string>

namespace discmenu::win32 {

// A library of Windows loaded when the program first needs it, only from the system folder:
// never a file of the same name beside the program (the disc's folder, or a download folder
// where anyone may have put one). Null when it cannot be loaded.
inline HMODULE loadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

// A function of such a library, by its exported name, with its own type; null when missing.
template <class F> F libraryFunction(HMODULE library, const char* name) {
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

} // namespace discmenu::win32

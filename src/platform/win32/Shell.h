#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <string>

namespace discmenu::win32 {

// The shell, COM and what they bring (the image codecs), loaded on first use. None of them
// is needed before the main window shows, and mapping and starting them is a good part of
// a start-up's time where system libraries are not already shared (Wine, a cold machine).
// One per program, on the thread of its windows; COM is started on that thread when first
// needed and ended with this object.
class Shell {
public:
    Shell() = default;
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // The shell's "open" of a file with FOLDER as working folder; the result is not told:
    // a failed open leaves the program as it was.
    void open(HWND owner, const std::wstring& file, const std::wstring& folder);
    // An in-process COM object; COM is started first.
    HRESULT createInstance(REFCLSID type, REFIID iid, void** object);
    // The small icons of folders and drives that Windows' own lists show; null when the
    // shell has none. Kept for the program's life.
    HICON folderIcon(bool open);
    HICON driveIcon(char letter);
    // Starts COM on this thread (single-threaded apartment), once; whether it runs.
    bool startCom();

private:
    FARPROC shellFunction(const char* name);
    FARPROC comFunction(const char* name);

    HMODULE m_shell32 = nullptr;
    HMODULE m_ole32 = nullptr;
    bool m_comTried = false;
    bool m_comStarted = false;
    std::array<HICON, 2> m_folderIcons{};
    std::array<HICON, SIID_MAX_ICONS> m_driveIcons{};
};

} // namespace discmenu::win32

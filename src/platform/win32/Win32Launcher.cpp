#include "platform/win32/Win32Launcher.h"

#include "platform/win32/Wide.h"

namespace discmenu::win32 {

void Win32Launcher::shellOpen(const ui::Form& owner, const std::string& file,
                              const std::string& folder) {
    const HWND window = m_windows ? m_windows->handleOf(owner) : nullptr;
    m_shell.open(window, toWide(file), toWide(folder));
}

Outcome Win32Launcher::runProgram(const std::string& commandLine) {
    std::wstring line = toWide(commandLine); // CreateProcessW may write into it
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // A console program (the console rows' cmd) gets a console window of its own, whatever
    // the program was started from: Wine otherwise gives it the starter's standard handles.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &start, &process))
        return fail(Err::FileNotFound);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

} // namespace discmenu::win32

#pragma once

#include "platform/Launcher.h"
#include "platform/win32/Shell.h"
#include "platform/win32/WindowHandles.h"

namespace discmenu::win32 {

// The shell's "open" for documents and folders; CreateProcess for command lines, which
// are started exactly as the program builds them.
class Win32Launcher : public Launcher {
public:
    // SHELL must outlive the launcher.
    explicit Win32Launcher(Shell& shell, const WindowHandles* windows = nullptr)
        : m_shell(shell), m_windows(windows) {}

    void shellOpen(const ui::Form& owner, const std::string& file,
                   const std::string& folder) override;
    // A program that cannot be started fails with 53.
    Outcome runProgram(const std::string& commandLine) override;

private:
    Shell& m_shell;
    const WindowHandles* m_windows;
};

} // namespace discmenu::win32

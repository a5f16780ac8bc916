#include "platform/win32/Win32MessageBoxes.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Win32Desktop.h"

namespace discmenu::win32 {

Answer Win32MessageBoxes::show(const std::string& prompt, Buttons buttons) {
    m_desktop.sync();
    const HWND owner = m_desktop.activeWindow();
    // The box disables its owner; the program's other windows wait as well.
    m_desktop.enableWindows(false, owner);
    m_desktop.awaitCommonControls(); // the box's buttons are common controls
    const int answer =
        MessageBoxW(owner, toWide(prompt).c_str(), Title,
                    (buttons == Buttons::Ok ? MB_OK : MB_OKCANCEL) | MB_SETFOREGROUND);
    m_desktop.enableWindows(true, owner);
    return answer == IDOK ? Answer::Ok : Answer::Cancel;
}

} // namespace discmenu::win32

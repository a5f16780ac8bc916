#pragma once

#include "platform/MessageBoxes.h"

namespace discmenu::win32 {

class Win32Desktop;

// The system's message box: the prompt, no icon, the application's title, OK or OK and
// Cancel, owned by the program's active window. While it shows, the program's other
// windows take no input, so that no handler runs inside another.
class Win32MessageBoxes : public MessageBoxes {
public:
    static constexpr const wchar_t* Title = L"Tidewell CD";

    explicit Win32MessageBoxes(Win32Desktop& desktop) : m_desktop(desktop) {}
    Answer show(const std::string& prompt, Buttons buttons) override;

private:
    Win32Desktop& m_desktop;
};

} // namespace discmenu::win32

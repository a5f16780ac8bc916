#pragma once

#include "platform/win32/Wnd.h"

#include <string>

namespace discmenu::win32 {

// The note that a long copy is under way: a line of text over a progress bar, centred on
// its owner.
class ProgressWindow : public Wnd {
public:
    static constexpr const wchar_t* Class = L"TidewellDiscMenuProgress";

    ProgressWindow(HINSTANCE instance, HWND owner);
    void show(const std::wstring& text, int percent);

private:
    HWND m_text = nullptr;
    HWND m_bar = nullptr;
};

} // namespace discmenu::win32

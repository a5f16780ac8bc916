#include "platform/win32/ProgressWindow.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Win32MessageBoxes.h"

#include <commctrl.h>

namespace discmenu::win32 {

ProgressWindow::ProgressWindow(HINSTANCE instance, HWND owner) {
    const int dpi = static_cast<int>(dpiOf(owner));
    const auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
    const int w = px(360), h = px(110);
    RECT area{};
    if (owner)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    createOwn(WS_EX_DLGMODALFRAME, Class, WS_POPUP | WS_CAPTION, (area.left + area.right - w) / 2,
              (area.top + area.bottom - h) / 2, w, h, owner, instance);
    SetWindowTextW(hwnd(), Win32MessageBoxes::Title);
    RECT client{};
    GetClientRect(hwnd(), &client);
    m_text = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFT, px(12), px(10),
                             client.right - px(24), px(20), hwnd(), nullptr, instance, nullptr);
    SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    m_bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, px(12), px(36),
                            client.right - px(24), px(18), hwnd(), nullptr, instance, nullptr);
    ShowWindow(hwnd(), SW_SHOW);
}

void ProgressWindow::show(const std::wstring& text, int percent) {
    SetWindowTextW(m_text, text.c_str());
    SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

} // namespace discmenu::win32

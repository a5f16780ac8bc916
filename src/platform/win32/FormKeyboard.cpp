#include "platform/win32/FormKeyboard.h"

namespace discmenu::win32 {

void FormKeyboard::keepTabOrder(const std::vector<HWND>& stops) {
    if (stops == m_order)
        return;
    m_order = stops;
    // Each after the one before, the first on top. A window made later lies below the
    // others, so a page with new items is put in order again.
    HWND after = HWND_TOP;
    for (HWND stop : stops) {
        SetWindowPos(stop, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = stop;
    }
}

void FormKeyboard::focus(HWND control) {
    if (!control || !IsWindowVisible(control))
        return;
    SetFocus(control);
    if (GetFocus() == control && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
        SendMessageW(control, EM_SETSEL, 0, -1);
}

bool FormKeyboard::activated(HWND window, WPARAM wp, bool keyboardInUse) {
    if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        m_left = focus && IsChild(window, focus) ? focus : nullptr;
        return false;
    }
    // A click that activates the window is the mouse's.
    if (LOWORD(wp) != WA_ACTIVE || !keyboardInUse || !m_left || !IsChild(window, m_left) ||
        !IsWindowVisible(m_left) || !IsWindowEnabled(m_left) || IsIconic(window))
        return false;
    SetFocus(m_left);
    return true;
}

} // namespace discmenu::win32

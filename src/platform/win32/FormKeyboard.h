#pragma once

#include <windows.h>

#include <vector>

namespace discmenu::win32 {

// The focus in one form's window, as the form's data asks. The event loop's
// IsDialogMessage moves it by Tab through the controls' windows in their z-order, which is
// kept equal to the form's tab order; the program's requests move it; and where a keyboard
// user left it when the window lost the activation, it is again when the window gets it
// back. The mouse's user gets the window itself focused, as Windows does by default.
class FormKeyboard {
public:
    // STOPS: the windows of the form's visible tab stops, in the form's order.
    void keepTabOrder(const std::vector<HWND>& stops);
    // Moves the focus to a control's window. A text box is focused as a dialog focuses
    // one: all its text selected, to be typed over.
    static void focus(HWND control);
    // WM_ACTIVATE of WINDOW: true when the focus went back to a control, so that the
    // default handling (the window itself focused) must not run.
    bool activated(HWND window, WPARAM wp, bool keyboardInUse);

private:
    std::vector<HWND> m_order; // as last put into the z-order
    HWND m_left = nullptr;     // the control that had the focus when the window lost it
};

} // namespace discmenu::win32

#pragma once

#include <windows.h>

namespace discmenu::ui {
class Form;
}

namespace discmenu::win32 {

// Finds the window that shows a form.
class WindowHandles {
public:
    virtual ~WindowHandles() = default;
    // Null when the form has no window.
    virtual HWND handleOf(const ui::Form& form) const = 0;
    // The window a message box belongs to: the active window of the program, else the main
    // window; null when there is none.
    virtual HWND activeWindow() const = 0;
};

} // namespace discmenu::win32

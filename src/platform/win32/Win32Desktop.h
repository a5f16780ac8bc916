#pragma once

#include "platform/Desktop.h"
#include "platform/ui/FormWindows.h"
#include "platform/win32/Accessible.h"
#include "platform/win32/CommonControlsLoader.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/ProgressWindow.h"
#include "platform/win32/Shell.h"
#include "platform/win32/WindowHandles.h"

#include <map>
#include <memory>
#include <string>

namespace discmenu::win32 {

// The Win32 side of the program's windows: one FormWindow per loaded form (kept by
// ui::FormWindows), the pictures they share, the progress note and the event loop.
class Win32Desktop : public Desktop, public WindowHandles {
public:
    static constexpr const wchar_t* FormClass = L"TidewellDiscMenuForm";

    // SHELL must outlive the desktop.
    Win32Desktop(HINSTANCE instance, Shell& shell);
    ~Win32Desktop() override;

    void attach(ui::FormSet& forms) { m_windows.attach(forms); }
    ui::FormWindows<FormWindow>& windows() { return m_windows; }
    const ui::FormWindows<FormWindow>& windows() const { return m_windows; }
    HINSTANCE instance() const { return m_instance; }
    Shell& shell() const { return m_shell; }
    Accessibility& accessibility() { return m_accessibility; }
    // The user's last input was a key rather than a mouse button (as the event loop saw
    // them): a focus that moves now was moved by the keyboard.
    bool keyboardInUse() const { return m_keyboardInUse; }
    // Before the first native control or message box: the common controls are loaded.
    void awaitCommonControls() { m_commonControls.wait(); }

    void sync() { m_windows.sync(); }
    void doEvents() override;
    void endProgram() override;
    bool ended() const { return m_windows.ended(); }
    void showProgress(const std::string& text, int percent) override;
    void endProgress() override;
    // Runs the event loop until the program ends; the process's exit code.
    int run();
    // Hands a message of the loop to its window, with the keyboard navigation of dialogs.
    void dispatch(MSG& msg);

    HWND handleOf(const ui::Form& form) const override;
    HWND activeWindow() const override;
    // A picture built into the program, by name, with at least its top left width by
    // height pixels; null for none.
    HBITMAP picture(const std::string& name, int width, int height);
    // Takes input from every window of the program but one, or gives it back.
    void enableWindows(bool enable, HWND except);

private:
    // The hidden window that owns the windows without a task-bar button.
    HWND owner();

    HINSTANCE m_instance;
    Shell& m_shell;
    HWND m_owner = nullptr; // hidden: owns the windows that have no task-bar button
    bool m_keyboardInUse = false;
    // Before the windows: the objects they give to screen readers are cut off first.
    Accessibility m_accessibility{m_shell};
    struct Picture {
        HBITMAP bitmap = nullptr;
        int width = 0;
        int height = 0;
    };
    std::map<std::string, Picture> m_pictures;
    std::unique_ptr<ProgressWindow> m_progress;
    ui::FormWindows<FormWindow> m_windows;
    // Last, so that its thread is waited for first.
    CommonControlsLoader m_commonControls;
};

} // namespace discmenu::win32

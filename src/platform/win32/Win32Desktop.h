#pragma once

#include "platform/Desktop.h"
#include "platform/ui/FormSet.h"
#include "platform/ui/UiEvent.h"
#include "platform/win32/CommonControlsLoader.h"
#include "platform/win32/Shell.h"
#include "platform/win32/WindowHandles.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace discmenu::win32 {

class FormWindow;
class ProgressWindow;

// The Win32 side of the program's windows: one FormWindow per loaded form, kept in line
// with the forms' data after each event, before each message box and whenever pending
// events are let through; the event loop.
class Win32Desktop : public Desktop, public WindowHandles {
public:
    static constexpr const wchar_t* FormClass = L"TidewellDiscMenuForm";

    // SHELL must outlive the desktop.
    Win32Desktop(HINSTANCE instance, Shell& shell);
    ~Win32Desktop() override;

    void attach(ui::FormSet& forms) { m_forms = &forms; }
    HINSTANCE instance() const { return m_instance; }
    Shell& shell() const { return m_shell; }
    // Before the first native control or message box: the common controls are loaded.
    void awaitCommonControls() { m_commonControls.wait(); }

    // Creates windows for new forms, brings every window in line, drops windows of forms
    // that are gone.
    void sync();
    bool syncing() const { return m_syncing; }
    void doEvents() override;
    void endProgram() override;
    bool ended() const { return m_ended; }
    void showProgress(const std::string& text, int percent) override;
    void endProgress() override;
    // Runs the event loop until the program ends; the process's exit code.
    int run();
    // Hands a message of the loop to its window, with the keyboard navigation of dialogs.
    static void dispatch(MSG& msg);

    // Delivers a user's event to a form, then brings the windows in line.
    void raise(ui::Form& form, const ui::UiEvent& event);
    // Carries out a user's edit of the forms' data, then brings the windows in line.
    void act(const std::function<void()>& edit);
    // The user closed a form's window: the form is unloaded; with no window left showing,
    // the program ends.
    void closeByFrame(ui::Form& form);

    HWND handleOf(const ui::Form& form) const override;
    HWND activeWindow() const override;
    FormWindow* windowOf(const ui::Form& form) const;
    // The main window (the one with a task-bar button), unless it is the one asking.
    HWND mainWindowBesides(const FormWindow* asking) const;
    // A picture built into the program, by name, with at least its top left width by
    // height pixels; null for none.
    HBITMAP picture(const std::string& name, int width, int height);
    // Takes input from every window of the program but one, or gives it back.
    void enableWindows(bool enable, HWND except);

private:
    void bury(std::unique_ptr<FormWindow> window);
    // The hidden window that owns the windows without a task-bar button.
    HWND owner();
    void disposeBuried();

    HINSTANCE m_instance;
    Shell& m_shell;
    ui::FormSet* m_forms = nullptr;
    std::vector<std::pair<const ui::Form*, std::unique_ptr<FormWindow>>> m_windows;
    // Windows of forms that are gone, deleted once no handler of theirs is running.
    std::vector<std::unique_ptr<FormWindow>> m_buried;
    int m_depth = 0;
    bool m_ended = false;
    bool m_syncing = false;
    HWND m_owner = nullptr; // hidden: owns the windows that have no task-bar button
    struct Picture {
        HBITMAP bitmap = nullptr;
        int width = 0;
        int height = 0;
    };
    std::map<std::string, Picture> m_pictures;
    std::unique_ptr<ProgressWindow> m_progress;
    // Last, so that its thread is waited for first.
    CommonControlsLoader m_commonControls;
};

} // namespace discmenu::win32

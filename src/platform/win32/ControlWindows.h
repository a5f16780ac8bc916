#pragma once

#include "platform/ui/Form.h"
#include "platform/win32/Controls.h"
#include "platform/win32/FormKeyboard.h"
#include "platform/win32/ItemWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace discmenu::win32 {

// The child windows of one form's window: a native control for each control but a label
// (Controls.h), and a window over each label for the keyboard and screen readers
// (ItemWindow); and the focus among them as the form asks (FormKeyboard). Enter and Escape,
// which the event loop's IsDialogMessage turns into IDOK and IDCANCEL, go to the focused
// control, the default button and the cancel button.
class ControlWindows {
public:
    ControlWindows(ControlHost& host, ui::Form& form) : m_host(host), m_form(form) {}
    ~ControlWindows();
    ControlWindows(const ControlWindows&) = delete;
    ControlWindows& operator=(const ControlWindows&) = delete;

    // Makes the windows of new controls and brings every one in line with the data;
    // beforeNative runs before the first native control is made.
    void sync(const std::function<void()>& beforeNative);
    // From now on the labels have their windows too. Not before the form's window has
    // shown: no one needs them before, and the main window shows sooner without them.
    void makeItemWindows();
    // Tab order and the program's focus request, once the form's window shows.
    void syncFocus();
    // IDOK or IDCANCEL from the keyboard navigation. The form may be gone afterwards.
    void keyCommand(int id);
    // WM_ACTIVATE of the form's window: true when the focus went back to a control.
    bool activated(WPARAM wp, bool keyboardInUse) {
        return m_keyboard.activated(m_host.window(), wp, keyboardInUse);
    }
    void dpiChanged();

    // WM_COMMAND and WM_DRAWITEM name a native control by its id.
    NativeControl* byId(int id) const;
    // The window of a control: its native control, or its item window once made.
    HWND windowOf(const ui::Control& control) const;
    HWND windowNamed(const std::string& displayName) const;
    // The control a native window draws; null for none.
    const ui::Control* controlOf(HWND window) const;

private:
    void syncItems();

    ControlHost& m_host;
    ui::Form& m_form;
    // One per control of the form, in its order; null for labels.
    std::vector<std::unique_ptr<NativeControl>> m_natives;
    // One per label, in the form's order; null for other controls.
    std::vector<std::unique_ptr<ItemWindow>> m_items;
    bool m_itemsMade = false;
    FormKeyboard m_keyboard;
};

} // namespace discmenu::win32

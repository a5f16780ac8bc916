#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/UiEvent.h"
#include "platform/win32/Accessible.h"
#include "platform/win32/Shell.h"
#include "platform/win32/Wnd.h"

#include <functional>
#include <memory>
#include <string>

namespace discmenu::ui {
struct Font;
class TextBox;
} // namespace discmenu::ui

namespace discmenu::win32 {

// What a native control needs of the form window that holds it.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    virtual HWND window() const = 0;
    virtual UINT dpi() const = 0;
    virtual HFONT controlFont() = 0;
    // The font a label's text is drawn in.
    virtual HFONT labelFont(const ui::Font& font) = 0;
    // Paints AREA of the client area as the form shows it there (its picture and labels)
    // into DC, whose logical coordinates are the client area's.
    virtual void paintArea(HDC dc, const RECT& area) = 0;
    virtual Shell& shell() = 0;
    virtual Accessibility& accessibility() = 0;
    // The user's last input was a key, not a mouse button: a focus that moves now was moved
    // by the keyboard.
    virtual bool keyboardInUse() const = 0;
    // The form is gone: its controls' data must not be touched any more.
    virtual bool detached() const = 0;
    virtual bool syncing() const = 0;
    // A user's event of the control. The control, its window and its form may be gone
    // afterwards, so the caller returns right after.
    virtual void raise(const ui::UiEvent& event) = 0;
    // A user's edit that the data carries out itself (a folder opened, a drive chosen).
    virtual void userAction(const std::function<void()>& edit) = 0;
    // The control of this window that a native window draws; null for none.
    virtual const ui::Control* controlOf(HWND window) const = 0;
    // A text box lost the focus to pressed (a button's name, or empty): true when that
    // button's press must be cancelled, its click having been run already.
    virtual bool lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) = 0;
};

// A control drawn by a native window of its kind, one small class per kind: it makes its
// window at the control's place, brings it in line with the data, and handles its own
// notifications, which the form window hands back to it (WM_COMMAND, WM_DRAWITEM). A
// screen reader reads it by Windows' own object for its kind, named as the data names it;
// the focus that the keyboard moves to it is its GotFocus.
class NativeControl : public Wnd, private AccessibleFacts {
public:
    NativeControl(ControlHost& host, ui::Control& control) : m_host(host), m_control(control) {}

    ui::Control& control() const { return m_control; }
    // Place, size, content, visibility and tab stop as the data has them.
    void sync();
    virtual void onCommand(int /*code*/) {}
    virtual void drawItem(const DRAWITEMSTRUCT& /*item*/) const {}
    // Enter while the control has the focus: true when it is the control's own (a button's
    // press, a list's double-click), false when it goes to the form's default button.
    virtual bool pressEnter() { return false; }
    // The window moved to a monitor of another dpi: font and row heights follow.
    virtual void dpiChanged();

protected:
    // Makes the native window at the control's place, with the controls' font.
    void create(DWORD exStyle, const wchar_t* className, DWORD style, int id);
    virtual void syncContent() = 0;
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // An event of this control, the control's name and index filled in.
    ui::UiEvent event(ui::EventKind kind) const {
        return ui::UiEvent::of(kind, m_control.name(), m_control.index());
    }

    ControlHost& m_host;
    ui::Control& m_control;

private:
    // AccessibleFacts
    bool gone() const override { return m_host.detached(); }
    std::wstring accessibleName() const override;

    AccessibleLink m_accessible;
};

// A control's box in its window's client area, in pixels at a dpi.
RECT boxOf(const ui::Control& control, UINT dpi);
// Moves the child window of a control to the control's box in parent and gives it the
// control's tab stop; what is already so is left alone.
void placeAsControl(HWND child, HWND parent, const ui::Control& control, UINT dpi);

// The native control of any control but a label; id is its WM_COMMAND id.
std::unique_ptr<NativeControl> makeNativeControl(ControlHost& host, ui::Control& control, int id);
// The list kinds (ListControls.cpp): job list, file list, folder list, drive list.
std::unique_ptr<NativeControl> makeListControl(ControlHost& host, ui::Control& control, int id);

} // namespace discmenu::win32

#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/win32/ControlWindows.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Fonts.h"
#include "platform/win32/LabelLayer.h"
#include "platform/win32/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace discmenu::win32 {

class Win32Desktop;

// The window of one form: its frame, place, dpi and icons; the picture with the labels
// painted over it (LabelLayer); the windows of its controls (ControlWindows), to which it
// hands their notifications and the keyboard navigation's Enter and Escape. It draws from
// the form's data only.
class FormWindow : public Wnd, private ControlHost {
public:
    // owner: the window that keeps a form without a task-bar button off the task bar.
    FormWindow(Win32Desktop& desktop, ui::Form& form, HWND owner);
    ~FormWindow() override;

    ui::Form& form() const { return m_form; }
    // Brings the window and every control in line with the form's data.
    void sync();
    // The form is gone: the window no longer reaches it and hides.
    void detach();
    // The window of a control, by its display name: its native control, or the item window
    // of a label once made; null for none.
    HWND controlWindow(const std::string& displayName) const {
        return m_children.windowNamed(displayName);
    }
    UINT dpi() const override { return m_fonts.dpi(); }
    // The label under a point of the client area, or null.
    const ui::Label* labelAt(POINT p) const { return m_labels.at(m_form, p); }
    // The font a label's text is drawn in at the window's dpi; kept by the window.
    HFONT fontFor(const ui::Font& font) { return m_fonts.font(font); }

protected:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // ControlHost
    HWND window() const override { return hwnd(); }
    HFONT controlFont() override { return m_fonts.controlFont(); }
    HFONT labelFont(const ui::Font& font) override { return m_fonts.font(font); }
    void paintArea(HDC dc, const RECT& area) override;
    Shell& shell() override;
    Accessibility& accessibility() override;
    bool keyboardInUse() const override;
    bool detached() const override { return m_detached; }
    bool syncing() const override;
    void raise(const ui::UiEvent& event) override;
    void userAction(const std::function<void()>& edit) override;
    const ui::Control* controlOf(HWND window) const override {
        return m_children.controlOf(window);
    }
    bool lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) override;

    void create(HWND owner);
    void placeAtStart();
    // What the window is centred on when it first shows: its owner, where that shows, else
    // the work area of MONITOR.
    RECT startArea(HMONITOR monitor) const;
    // Sizes the window so that its client area is the form's at the window's dpi.
    void fitClientArea(int left, int top);
    void setIcons();

    void onPaint();
    void onMouseMove(POINT p);
    void onSize(WPARAM kind);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    Win32Desktop& m_desktop;
    ui::Form& m_form;
    Fonts m_fonts;
    LabelLayer m_labels{m_fonts};
    ControlWindows m_children{*this, m_form};
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    bool m_detached = false;
    bool m_placed = false;
    bool m_resizePending = false;
    bool m_iconsSet = false;
    bool m_itemWindowsAsked = false;
    std::string m_caption; // as last given to the window
    HICON m_icons[2] = {}; // big and small, owned
};

} // namespace discmenu::win32

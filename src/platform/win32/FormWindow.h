#pragma once

#include "platform/ui/Font.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/win32/Wnd.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace discmenu::win32 {

class Win32Desktop;

// The window of one form: paints the form's picture and its labels (transparent, top
// aligned, wrapped at word boundaries, clipped to their boxes, double-buffered), holds a
// native control for each other control, and turns the user's input into the form's
// events. It draws from the form's data only.
class FormWindow : public Wnd {
public:
    // owner: the window that keeps a form without a task-bar button off the task bar.
    FormWindow(Win32Desktop& desktop, ui::Form& form, HWND owner);
    ~FormWindow() override;

    ui::Form& form() const { return m_form; }
    // Brings the window and every control in line with the form's data.
    void sync();
    // The form is gone: the window no longer reaches it and hides.
    void detach();
    bool detached() const { return m_detached; }
    // The native control of a control, by its display name; null for labels and unknowns.
    HWND controlWindow(const std::string& displayName) const;
    UINT dpi() const { return m_dpi; }
    // The label under a point of the client area, or null.
    const ui::Label* labelAt(POINT p) const;
    // The font text in FONT is drawn with at the window's dpi; kept by the window.
    HFONT fontFor(const ui::Font& font);

protected:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // What a label looked like when last painted; a change repaints its old and new boxes.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Box&) const = default;
    };
    struct LabelLook {
        Box box;
        std::string caption;
        ui::Font font;
        ui::Color color = 0;
        bool visible = false;
        bool transparent = true;
        ui::Alignment alignment = ui::Alignment::Left;
        bool operator==(const LabelLook&) const = default;
    };
    struct Item {
        ui::Control* control = nullptr;
        int id = 0;
        std::unique_ptr<Wnd> native;
        LabelLook drawn;
    };

    void create(HWND owner);
    void createNative(Item& item);
    void syncItem(Item& item);
    void invalidateDirty();
    void placeAtStart();
    // What the window is centred on when it first shows: its owner, where that shows, else
    // the work area of MONITOR.
    RECT startArea(HMONITOR monitor) const;
    // Sizes the window so that its client area is the form's at the window's dpi.
    void fitClientArea(int left, int top);
    void setIcons();
    void applyWindowState();
    RECT boxOf(const ui::Control& c) const;
    HFONT controlFont();
    void dropFonts();

    // Delivers an event to the form; the caller returns right after, since any handler may
    // end this window.
    void raise(const ui::UiEvent& event);
    void userAction(const std::function<void()>& edit);
    Item* itemById(int id);
    const Item* itemByHwnd(HWND control) const;

    void onPaint();
    void onMouseMove(POINT p);
    void onButtonUp(POINT p);
    void onDoubleClick(POINT p);
    void onCommand(int id, int code);
    void onSize(WPARAM kind);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    Win32Desktop& m_desktop;
    ui::Form& m_form;
    std::vector<Item> m_items;
    std::map<std::string, HFONT> m_fonts;
    HFONT m_controlFont = nullptr;
    UINT m_dpi = 96;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    bool m_detached = false;
    bool m_placed = false;
    ui::WindowState m_shownState = ui::WindowState::Normal;
    const ui::Label* m_pressed = nullptr;
    bool m_afterDoubleClick = false;
    bool m_resizePending = false;
    bool m_iconsSet = false;
    std::string m_caption;     // as last given to the window
    std::vector<RECT> m_dirty; // label boxes to repaint, gathered over one sync
    HICON m_icons[2] = {};     // big and small, owned
};

} // namespace discmenu::win32

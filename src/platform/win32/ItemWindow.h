#pragma once

#include "platform/ui/Label.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Wnd.h"

#include <string>

namespace discmenu::win32 {

// A window of the program's own over a label that the form's window paints (LabelLayer),
// so that the keyboard and screen readers find the label. A label that is a tab stop (a
// menu item) takes the focus, and Enter and Space are its Click. Any other label never
// takes the focus. The mouse passes through to the form's window (HTTRANSPARENT), so that hover and
// clicks stay the form's; the window paints its box as the form shows it there, and adds a
// focus cue around the text only while it has the focus.
class ItemWindow : public Wnd {
public:
    static constexpr const wchar_t* Class = L"TidewellDiscMenuItem";
    static void registerClass(HINSTANCE instance);

    ItemWindow(ControlHost& host, const ui::Label& label);

    const ui::Label& label() const { return m_label; }
    // Place, visibility, tab stop and name as the data has them. An empty label that is no
    // stop has nothing to be read: it stays hidden.
    void sync();

protected:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Whether the window shows: an empty label that is no stop has nothing to be read.
    bool wanted() const;
    void paint();
    // The focus cue: around the label's text, inside the window.
    RECT cueRect(HDC dc) const;
    void click();

    ControlHost& m_host;
    const ui::Label& m_label;
};

} // namespace discmenu::win32

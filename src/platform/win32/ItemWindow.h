#pragma once

#include "platform/ui/Label.h"
#include "platform/win32/Accessible.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Wnd.h"

#include <string>

namespace discmenu::win32 {

// A window of the program's own over a label that the form's window paints (LabelLayer),
// so that the keyboard and screen readers find the label. A label that is a tab stop (a
// menu item) takes the focus, and Enter, Space and a reader's default action are its Click;
// to a reader it is a link. Any other label is static text to a reader and never takes the
// focus. The mouse passes through to the form's window (HTTRANSPARENT), so that hover and
// clicks stay the form's; the window paints its box as the form shows it there, and adds a
// focus cue around the text only while it has the focus.
class ItemWindow : public Wnd, private OwnAccessibleFacts {
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
    // OwnAccessibleFacts
    bool gone() const override { return m_host.detached(); }
    std::wstring accessibleName() const override;
    LONG accessibleRole() const override;
    LONG accessibleState() const override;
    std::wstring defaultAction() const override;
    void doDefaultAction() override;

    // Whether the window shows: an empty label that is no stop has nothing to be read.
    bool wanted() const;
    void paint();
    // The focus cue: around the label's text, inside the window.
    RECT cueRect(HDC dc) const;
    void click();

    ControlHost& m_host;
    const ui::Label& m_label;
    AccessibleLink m_accessible;
    std::wstring m_name; // as last told to readers
};

} // namespace discmenu::win32

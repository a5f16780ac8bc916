#include "platform/win32/Controls.h"

#include "platform/ui/Button.h"
#include "platform/ui/TextBox.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Wide.h"

#include <commctrl.h>

#include <algorithm>

namespace discmenu::win32 {

namespace {

constexpr DWORD ChildStyle = WS_CHILD | WS_TABSTOP;

// A push button.
class ButtonCtrl : public NativeControl {
public:
    ButtonCtrl(ControlHost& host, ui::Button& button, int id)
        : NativeControl(host, button), m_button(button) {
        create(0, WC_BUTTONW, ChildStyle | BS_PUSHBUTTON, id);
    }
    void onCommand(int code) override {
        // Space on the focused button clicks it too.
        if (code == BN_CLICKED)
            click(m_host.keyboardInUse());
    }
    bool pressEnter() override {
        click(true);
        return true;
    }

protected:
    void syncContent() override {
        const std::wstring caption = toWide(m_button.caption());
        wchar_t shown[256] = {};
        GetWindowTextW(hwnd(), shown, 256);
        if (caption != shown)
            SetWindowTextW(hwnd(), caption.c_str());
        // The default button's frame says that Enter presses it.
        const bool isDefault =
            (GetWindowLongW(hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != m_button.isDefault())
            SendMessageW(hwnd(), BM_SETSTYLE,
                         m_button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }

private:
    void click(bool byKeyboard) {
        ui::UiEvent click = event(ui::EventKind::Click);
        click.byKeyboard = byKeyboard;
        m_host.raise(click);
    }

    ui::Button& m_button;
};

// A single-line text box: what the user types is the box's text at once; Enter and the
// focus moving to another control of the same window (not another window coming up, such
// as a message box) are the box's events.
class EditCtrl : public NativeControl {
public:
    EditCtrl(ControlHost& host, ui::TextBox& box, int id) : NativeControl(host, box), m_box(box) {
        create(WS_EX_CLIENTEDGE, WC_EDITW, ChildStyle | ES_AUTOHSCROLL, id);
    }
    void onCommand(int code) override {
        if (code == EN_CHANGE && !m_host.syncing())
            m_box.setText(toUtf8(text()));
    }

protected:
    void syncContent() override {
        const std::wstring wanted = toWide(m_box.text());
        if (text() != wanted)
            SetWindowTextW(hwnd(), wanted.c_str());
    }
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::wstring text() const {
        std::wstring t(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
        t.resize(
            static_cast<std::size_t>(GetWindowTextW(hwnd(), t.data(), static_cast<int>(t.size()))));
        return t;
    }
    void lostFocusTo(HWND next);

    ui::TextBox& m_box;
};

LRESULT EditCtrl::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter belongs to the box, not to the window's keyboard navigation.
        if (lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
            return DLGC_WANTALLKEYS;
        break;
    case WM_CHAR:
        if (wp == L'\r') {
            if (!m_host.detached()) {
                m_box.setText(toUtf8(text()));
                ui::UiEvent event = ui::UiEvent::of(ui::EventKind::KeyPress, m_box.name());
                event.key = ui::TextBox::KeyEnter;
                m_host.raise(event);
            }
            return 0; // no beep; the handler may have ended this window
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT r = NativeControl::onMessage(msg, wp, lp);
        const HWND next = reinterpret_cast<HWND>(wp);
        if (next && GetAncestor(next, GA_ROOT) == GetAncestor(hwnd(), GA_ROOT))
            lostFocusTo(next);
        return r;
    }
    default:
        break;
    }
    return NativeControl::onMessage(msg, wp, lp);
}

void EditCtrl::lostFocusTo(HWND next) {
    if (m_host.detached())
        return;
    // A press on a button of this window takes the focus before it is released.
    const ui::Control* to = m_host.controlOf(next);
    const bool toButton =
        to && to->kind() == ui::ControlKind::Button && (GetKeyState(VK_LBUTTON) & 0x8000);
    if (m_host.lostFocus(m_box, toUtf8(text()), toButton ? to->name() : std::string()))
        PostMessageW(next, WM_CANCELMODE, 0, 0);
}

} // namespace

RECT boxOf(const ui::Control& c, UINT dpi) {
    const int x = twipsToPixels(c.left(), dpi);
    const int y = twipsToPixels(c.top(), dpi);
    return {x, y, x + std::max(0, twipsToPixels(c.width(), dpi)),
            y + std::max(0, twipsToPixels(c.height(), dpi))};
}

void placeAsControl(HWND child, HWND parent, const ui::Control& control, UINT dpi) {
    const RECT box = boxOf(control, dpi);
    RECT now{};
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &box))
        SetWindowPos(child, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (static_cast<bool>(style & WS_TABSTOP) != control.tabStop())
        SetWindowLongW(child, GWL_STYLE, style ^ WS_TABSTOP);
}

void NativeControl::create(DWORD exStyle, const wchar_t* className, DWORD style, int id) {
    createNative(exStyle, className, style, m_host.window(), id, boxOf(m_control, m_host.dpi()));
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_host.controlFont()), FALSE);
}

void NativeControl::dpiChanged() {
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_host.controlFont()), FALSE);
}

LRESULT NativeControl::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETOBJECT && !m_host.detached()) {
        if (const LRESULT object =
                m_accessible.answerNative(m_host.accessibility(), hwnd(), wp, lp, *this))
            return object;
    }
    const LRESULT r = Wnd::onMessage(msg, wp, lp);
    // Last: the handler may end this window.
    if (msg == WM_SETFOCUS && m_host.keyboardInUse() && !m_host.detached())
        m_host.raise(event(ui::EventKind::GotFocus));
    return r;
}

std::wstring NativeControl::accessibleName() const {
    return toWide(m_control.spokenName());
}

void NativeControl::sync() {
    placeAsControl(hwnd(), m_host.window(), m_control, m_host.dpi());
    syncContent();
    if (static_cast<bool>(IsWindowVisible(hwnd())) != m_control.visible())
        ShowWindow(hwnd(), m_control.visible() ? SW_SHOWNA : SW_HIDE);
}

std::unique_ptr<NativeControl> makeNativeControl(ControlHost& host, ui::Control& control, int id) {
    if (control.kind() == ui::ControlKind::Button)
        return std::make_unique<ButtonCtrl>(host, static_cast<ui::Button&>(control), id);
    if (control.kind() == ui::ControlKind::TextBox)
        return std::make_unique<EditCtrl>(host, static_cast<ui::TextBox&>(control), id);
    // A label is drawn by the window itself.
    return control.kind() == ui::ControlKind::Label ? nullptr : makeListControl(host, control, id);
}

} // namespace discmenu::win32

#include "platform/win32/ItemWindow.h"

#include "platform/win32/Wide.h"

#include <algorithm>

namespace discmenu::win32 {

namespace {

// A reader's default action, run from the event loop after its request has returned.
constexpr UINT ClickLater = WM_APP + 1;

} // namespace

void ItemWindow::registerClass(HINSTANCE instance) {
    Wnd::registerClass(instance, Class, 0, nullptr);
}

ItemWindow::ItemWindow(ControlHost& host, const ui::Label& label) : m_host(host), m_label(label) {
    // Made as the data has it: each later change is a trip to the window server (Wine).
    const RECT box = boxOf(label, host.dpi());
    const DWORD style = WS_CHILD | (label.tabStop() ? WS_TABSTOP : 0) | (wanted() ? WS_VISIBLE : 0);
    createOwn(0, Class, style, box.left, box.top, box.right - box.left, box.bottom - box.top,
              host.window(),
              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(host.window(), GWLP_HINSTANCE)));
    m_name = accessibleName();
}

bool ItemWindow::wanted() const {
    return m_label.visible() && (m_label.tabStop() || !m_label.caption().empty());
}

void ItemWindow::sync() {
    placeAsControl(hwnd(), m_host.window(), m_label, m_host.dpi());
    const bool shown = wanted();
    if (static_cast<bool>(IsWindowVisible(hwnd())) != shown)
        ShowWindow(hwnd(), shown ? SW_SHOWNA : SW_HIDE);
    // A page that reuses the item for another caption is told to readers.
    std::wstring name = accessibleName();
    if (name != m_name) {
        m_name = std::move(name);
        if (shown)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
    }
}

std::wstring ItemWindow::accessibleName() const {
    return toWide(m_label.spokenName());
}

LONG ItemWindow::accessibleRole() const {
    return m_label.tabStop() ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
}

LONG ItemWindow::accessibleState() const {
    LONG state = IsWindowVisible(hwnd()) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (!m_label.tabStop())
        return state | STATE_SYSTEM_READONLY;
    state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    return GetFocus() == hwnd() ? state | STATE_SYSTEM_FOCUSED : state;
}

std::wstring ItemWindow::defaultAction() const {
    return m_label.tabStop() ? L"Click" : L"";
}

void ItemWindow::doDefaultAction() {
    PostMessageW(hwnd(), ClickLater, 0, 0);
}

void ItemWindow::click() {
    if (m_host.detached() || !m_label.tabStop())
        return;
    ui::UiEvent click = ui::UiEvent::of(ui::EventKind::Click, m_label.name(), m_label.index());
    click.byKeyboard = true;
    m_host.raise(click);
}

RECT ItemWindow::cueRect(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const std::wstring text = toWide(m_label.caption());
    RECT extent{0, 0, client.right, 0};
    const HGDIOBJ old = SelectObject(dc, m_host.labelFont(m_label.font()));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    // The text's width, placed as the label aligns it; a pixel more where the box has room
    // (an italic's last letter leans out of its extent).
    const int width = std::min<int>(extent.right + 2, client.right);
    const int left = m_label.alignment() == ui::Alignment::Center  ? (client.right - width) / 2
                     : m_label.alignment() == ui::Alignment::Right ? client.right - width
                                                                   : 0;
    return {left, 0, left + width, std::min<int>(extent.bottom + 1, client.bottom)};
}

void ItemWindow::paint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (!m_host.detached() && client.right > 0 && client.bottom > 0) {
        POINT at{0, 0};
        MapWindowPoints(hwnd(), m_host.window(), &at, 1);
        // Off screen first, as the form's window does: a hover change never flickers.
        paintOffScreen(dc, ps, client, [&](HDC mem) {
            SetViewportOrgEx(mem, -at.x, -at.y, nullptr);
            m_host.paintArea(mem, RECT{at.x, at.y, at.x + client.right, at.y + client.bottom});
            SetViewportOrgEx(mem, 0, 0, nullptr);
            if (GetFocus() == hwnd()) {
                const RECT cue = cueRect(mem);
                DrawFocusRect(mem, &cue);
            }
        });
    }
    EndPaint(hwnd(), &ps);
}

LRESULT ItemWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the pointer is the form window's
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_GETDLGCODE:
        // Enter is the item's own, not the window's keyboard navigation (IDOK).
        if (lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN &&
            m_label.tabStop())
            return DLGC_WANTALLKEYS;
        return m_label.tabStop() ? 0 : DLGC_STATIC;
    case WM_KEYDOWN:
        // Held down, the key repeats: one click.
        if ((wp == VK_RETURN || wp == VK_SPACE) && !(lp & (1 << 30)))
            click();
        return 0;
    case ClickLater:
        click();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, FALSE); // the focus cue
        if (msg == WM_SETFOCUS) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, CHILDID_SELF);
            if (m_host.keyboardInUse() && !m_host.detached())
                m_host.raise(
                    ui::UiEvent::of(ui::EventKind::GotFocus, m_label.name(), m_label.index()));
        }
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT object =
                m_accessible.answerOwn(m_host.accessibility(), hwnd(), wp, lp, *this))
            return object;
        break;
    default:
        break;
    }
    return Wnd::onMessage(msg, wp, lp);
}

} // namespace discmenu::win32

#include "platform/win32/FormWindow.h"

#include "platform/ui/Look.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Desktop.h"

#include <windowsx.h>

#include <algorithm>

namespace discmenu::win32 {

namespace {

constexpr UINT ResizeLater = WM_APP + 1;
// The icons are set once the window shows: making them is slow where the window system
// converts them (Wine), and no one sees them before. The windows over the labels are made
// once the window is first drawn.
constexpr UINT SetIconsLater = WM_APP + 2;
constexpr UINT MakeItemWindowsLater = WM_APP + 3;

DWORD styleFor(ui::BorderStyle border) {
    const DWORD common = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    switch (border) {
    case ui::BorderStyle::FixedToolWindow:
        return WS_OVERLAPPED | common;
    case ui::BorderStyle::SizableToolWindow:
        return WS_OVERLAPPED | WS_THICKFRAME | common;
    case ui::BorderStyle::FixedDialog:
        return WS_POPUP | common;
    }
    return WS_OVERLAPPED | common;
}

DWORD exStyleFor(const ui::Form& form) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (form.borderStyle() == ui::BorderStyle::FixedDialog)
        ex |= WS_EX_DLGMODALFRAME;
    else
        ex |= WS_EX_TOOLWINDOW;
    if (form.showInTaskbar())
        ex |= WS_EX_APPWINDOW;
    return ex;
}

} // namespace

FormWindow::FormWindow(Win32Desktop& desktop, ui::Form& form, HWND owner)
    : m_desktop(desktop), m_form(form) {
    create(owner);
}

FormWindow::~FormWindow() {
    for (WPARAM which : {ICON_BIG, ICON_SMALL})
        SendMessageW(hwnd(), WM_SETICON, which, 0);
    for (HICON icon : m_icons)
        if (icon)
            DestroyIcon(icon);
}

void FormWindow::create(HWND owner) {
    m_style = styleFor(m_form.borderStyle());
    m_exStyle = exStyleFor(m_form);
    // Made at its size for the dpi of the main display, where it most likely opens; resized
    // only when it opened elsewhere or the frame came out otherwise than predicted.
    const UINT mainDpi = systemDpi();
    const RECT outer =
        outerRect(twipsToPixels(m_form.clientWidth(), mainDpi),
                  twipsToPixels(m_form.clientHeight(), mainDpi), m_style, m_exStyle, mainDpi);
    // Where it will show, as far as can be told now; checked again when it first shows.
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    const RECT area = startArea(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    createOwn(m_exStyle, Win32Desktop::FormClass, m_style, (area.left + area.right - w) / 2,
              (area.top + area.bottom - h) / 2, w, h, m_form.showInTaskbar() ? nullptr : owner,
              m_desktop.instance());
    m_fonts.setDpi(dpiOf(hwnd()));
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (client.right != twipsToPixels(m_form.clientWidth(), dpi()) ||
        client.bottom != twipsToPixels(m_form.clientHeight(), dpi())) {
        RECT at{};
        GetWindowRect(hwnd(), &at);
        fitClientArea(at.left, at.top);
    }
}

void FormWindow::fitClientArea(int left, int top) {
    const int width = twipsToPixels(m_form.clientWidth(), dpi());
    const int height = twipsToPixels(m_form.clientHeight(), dpi());
    RECT outer = outerRect(width, height, m_style, m_exStyle, dpi());
    SetWindowPos(hwnd(), nullptr, left, top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system drew may differ from the one it predicted (a frame not scaled
    // with the dpi, as under Wine): the client area decides.
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (client.right != width || client.bottom != height) {
        GetWindowRect(hwnd(), &outer);
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::setIcons() {
    if (m_form.icon().empty())
        return;
    const std::wstring name = toWide(m_form.icon());
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        HICON& icon = m_icons[which == ICON_BIG ? 0 : 1];
        icon = static_cast<HICON>(
            LoadImageW(m_desktop.instance(), name.c_str(), IMAGE_ICON, size, size, 0));
        SendMessageW(hwnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void FormWindow::detach() {
    m_detached = true;
    ShowWindow(hwnd(), SW_HIDE);
}

void FormWindow::sync() {
    if (m_detached)
        return;
    // A window is filled in when it first shows, not before: the scan of a disc changes the
    // main window's job list once per folder while the window waits to show, and each of
    // those changes would be carried into controls no one sees.
    if (!m_placed && !m_form.visible())
        return;
    if (m_form.caption() != m_caption) {
        m_caption = m_form.caption();
        SetWindowTextW(hwnd(), toWide(m_caption).c_str());
    }
    m_children.sync([this] { m_desktop.awaitCommonControls(); });
    m_labels.sync(m_form, hwnd());

    if (m_form.visible()) {
        if (!m_placed)
            placeAtStart();
        const bool wasVisible = IsWindowVisible(hwnd());
        if (!wasVisible) {
            ShowWindow(hwnd(), SW_SHOW);
            if (!m_iconsSet) {
                m_iconsSet = true;
                PostMessageW(hwnd(), SetIconsLater, 0, 0);
            }
        }
        // Only a change made by the program; what the user did is in the form already.
        if (const auto state = m_form.takeWindowStateChange())
            ShowWindow(hwnd(), *state == ui::WindowState::Minimized   ? SW_MINIMIZE
                               : *state == ui::WindowState::Maximized ? SW_MAXIMIZE
                                                                      : SW_RESTORE);
        if (m_form.takeBringToFront() && wasVisible) {
            if (IsIconic(hwnd()))
                ShowWindow(hwnd(), SW_RESTORE);
            SetForegroundWindow(hwnd());
            BringWindowToTop(hwnd());
        }
        m_children.syncFocus();
    } else if (IsWindowVisible(hwnd())) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

RECT FormWindow::startArea(HMONITOR monitor) const {
    RECT area{};
    const FormWindow* main = m_desktop.windows().mainWindowBesides(this);
    if (m_form.startPosition() == ui::StartPosition::CenterOwner && main &&
        IsWindowVisible(main->hwnd()) && !IsIconic(main->hwnd())) {
        GetWindowRect(main->hwnd(), &area);
        return area;
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

void FormWindow::placeAtStart() {
    m_placed = true;
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const RECT area = startArea(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY));
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const int x = (area.left + area.right - w) / 2;
    const int y = (area.top + area.bottom - h) / 2;
    // Mostly made there already; a move is a trip to the window server (Wine).
    if (x != window.left || y != window.top)
        SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Shell& FormWindow::shell() {
    return m_desktop.shell();
}

Accessibility& FormWindow::accessibility() {
    return m_desktop.accessibility();
}

bool FormWindow::keyboardInUse() const {
    return m_desktop.keyboardInUse();
}

bool FormWindow::syncing() const {
    return m_desktop.windows().syncing();
}

void FormWindow::raise(const ui::UiEvent& event) {
    if (!m_detached)
        m_desktop.windows().raise(m_form, event);
}

void FormWindow::userAction(const std::function<void()>& edit) {
    if (!m_detached)
        m_desktop.windows().act(edit);
}

bool FormWindow::lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) {
    return !m_detached && m_desktop.windows().lostFocus(m_form, box, std::move(typed), pressed);
}

void FormWindow::paintArea(HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (const HBITMAP picture = m_desktop.picture(m_form.picture(), client.right, client.bottom)) {
        // One image pixel to one screen pixel, at the top left, clipped by the window.
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        const RECT shown{0, 0, std::min<int>(client.right, info.bmWidth),
                         std::min<int>(client.bottom, info.bmHeight)};
        RECT part{};
        if (IntersectRect(&part, &shown, &area)) {
            const HDC src = CreateCompatibleDC(dc);
            const HGDIOBJ old = SelectObject(src, picture);
            BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, src,
                   part.left, part.top, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
        }
    }
    m_labels.paint(dc, m_form, area);
}

void FormWindow::onPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Drawn off screen first, so that a hover change never flickers.
    paintOffScreen(dc, ps, client, [&](HDC mem) { paintArea(mem, client); });
    EndPaint(hwnd(), &ps);
    // The windows over the labels once the window has been drawn: the user sees it sooner.
    if (!m_itemWindowsAsked) {
        m_itemWindowsAsked = true;
        PostMessageW(hwnd(), MakeItemWindowsLater, 0, 0);
    }
}

void FormWindow::onMouseMove(POINT p) {
    if (const ui::Label* label = labelAt(p))
        raise(ui::UiEvent::of(ui::EventKind::MouseMove, label->name(), label->index()));
    else
        raise(ui::UiEvent::form(ui::EventKind::MouseMove));
}

void FormWindow::onSize(WPARAM kind) {
    if (m_detached)
        return;
    m_form.userSetWindowState(kind == SIZE_MINIMIZED   ? ui::WindowState::Minimized
                              : kind == SIZE_MAXIMIZED ? ui::WindowState::Maximized
                                                       : ui::WindowState::Normal);
    if (kind == SIZE_MINIMIZED)
        return;
    // The form keeps its outer size: frame and caption bar included.
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    m_form.setOuterSize(pixelsToTwips(outer.right - outer.left, dpi()),
                        pixelsToTwips(outer.bottom - outer.top, dpi()));
    if (m_form.borderStyle() == ui::BorderStyle::SizableToolWindow && !m_resizePending) {
        // Raised from the event loop, never from inside a sync or another handler.
        m_resizePending = true;
        PostMessageW(hwnd(), ResizeLater, 0, 0);
    }
}

void FormWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    m_fonts.setDpi(dpi);
    m_children.dpiChanged();
    m_labels.forgetLooks();
    // Fixed windows keep their client size in twips; a sizable one takes the system's rect.
    if (m_form.borderStyle() != ui::BorderStyle::SizableToolWindow)
        fitClientArea(suggested.left, suggested.top);
    else
        SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    sync();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT FormWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A window whose form is gone waits, hidden, to be destroyed: its controls' data may be
    // gone with the form, so nothing of it is looked at any more.
    if (m_detached && msg != WM_CLOSE)
        return Wnd::onMessage(msg, wp, lp);
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        onMouseMove(p);
        return 0;
    case WM_LBUTTONDOWN:
        m_labels.press(labelAt(p));
        if (labelAt(p))
            SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd())
            ReleaseCapture();
        if (const auto click = m_labels.release(labelAt(p)))
            raise(*click);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (const auto twice = m_labels.doubleClick(labelAt(p)))
            raise(*twice);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)
            m_children.keyCommand(LOWORD(wp));
        else if (NativeControl* native = m_children.byId(LOWORD(wp)))
            native->onCommand(HIWORD(wp));
        return 0;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (const NativeControl* native = m_children.byId(static_cast<int>(draw->CtlID)))
            native->drawItem(*draw);
        return TRUE;
    }
    case WM_MEASUREITEM: // sent while an owner-drawn list is made, before it is ours
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight =
            static_cast<UINT>(MulDiv(ui::look::FolderRowPixels, static_cast<int>(dpi()), 96));
        return TRUE;
    case WM_SIZE:
        onSize(wp);
        return 0;
    case SetIconsLater:
        setIcons();
        return 0;
    case MakeItemWindowsLater:
        m_children.makeItemWindows();
        m_children.syncFocus();
        return 0;
    case WM_ACTIVATE:
        if (m_children.activated(wp, m_desktop.keyboardInUse()))
            return 0;
        return Wnd::onMessage(msg, wp, lp);
    case ResizeLater:
        m_resizePending = false;
        raise(ui::UiEvent::form(ui::EventKind::Resize));
        return 0;
    case WM_CLOSE:
        // The form decides: it is unloaded, and whatever its Terminate step does follows.
        if (m_detached)
            ShowWindow(hwnd(), SW_HIDE);
        else
            m_desktop.windows().closeByFrame(m_form);
        return 0;
    case 0x02E0: // WM_DPICHANGED
        onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    default:
        return Wnd::onMessage(msg, wp, lp);
    }
}

} // namespace discmenu::win32

#include "platform/win32/FormWindow.h"

#include "platform/ui/Button.h"
#include "platform/ui/DriveList.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Desktop.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace discmenu::win32 {

namespace {

constexpr int FirstControlId = 100; // below: the ids of keyboard navigation (IDOK, IDCANCEL)
constexpr UINT ResizeLater = WM_APP + 1;
// The icons are set once the window shows: making them is slow where the window system
// converts them (Wine), and no one sees them before.
constexpr UINT SetIconsLater = WM_APP + 2;

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

COLORREF toColorRef(ui::Color c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

UINT alignmentFlag(ui::Alignment a) {
    return a == ui::Alignment::Center ? DT_CENTER : a == ui::Alignment::Right ? DT_RIGHT : DT_LEFT;
}

std::vector<ListCtrl::Row> plainRows(const std::vector<std::string>& texts) {
    std::vector<ListCtrl::Row> rows;
    for (const std::string& t : texts)
        rows.push_back({toWide(t), 0, false});
    return rows;
}

} // namespace

FormWindow::FormWindow(Win32Desktop& desktop, ui::Form& form, HWND owner)
    : m_desktop(desktop), m_form(form) {
    create(owner);
}

FormWindow::~FormWindow() {
    m_items.clear(); // the controls go before their parent
    dropFonts();
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
    const UINT dpi = systemDpi();
    const RECT outer =
        outerRect(twipsToPixels(m_form.clientWidth(), dpi),
                  twipsToPixels(m_form.clientHeight(), dpi), m_style, m_exStyle, dpi);
    // Where it will show, as far as can be told now; checked again when it first shows.
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    const RECT area = startArea(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    createOwn(m_exStyle, Win32Desktop::FormClass, m_style, (area.left + area.right - w) / 2,
              (area.top + area.bottom - h) / 2, w, h, m_form.showInTaskbar() ? nullptr : owner,
              m_desktop.instance());
    m_dpi = dpiOf(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (client.right != twipsToPixels(m_form.clientWidth(), m_dpi) ||
        client.bottom != twipsToPixels(m_form.clientHeight(), m_dpi)) {
        RECT at{};
        GetWindowRect(hwnd(), &at);
        fitClientArea(at.left, at.top);
    }
}

void FormWindow::fitClientArea(int left, int top) {
    const int width = twipsToPixels(m_form.clientWidth(), m_dpi);
    const int height = twipsToPixels(m_form.clientHeight(), m_dpi);
    RECT outer = outerRect(width, height, m_style, m_exStyle, m_dpi);
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

HFONT FormWindow::fontFor(const ui::Font& font) {
    const std::string key = font.face + "|" + std::to_string(font.points) + "|" +
                            std::to_string(font.bold) + std::to_string(font.italic) +
                            std::to_string(font.underline);
    HFONT& f = m_fonts[key];
    if (!f) {
        LOGFONTW lf{};
        // Exact point sizes: 8.25 pt is 11 pixels at 96 dots per inch. At other dpis a
        // fraction of a pixel is dropped, never rounded up: the label boxes were laid out for
        // 96 dpi, some with a pixel to spare, and a font that grew faster than its box would
        // wrap the last word out of it (9.75 pt "Browse this CD" at 144 dpi).
        lf.lfHeight = -static_cast<LONG>(std::floor(font.points * m_dpi / 72.0 + 1e-6));
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = font.italic;
        lf.lfUnderline = font.underline;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        const std::wstring face = toWide(font.face);
        wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        f = CreateFontIndirectW(&lf);
    }
    return f;
}

HFONT FormWindow::controlFont() {
    if (!m_controlFont) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW lf = metrics.lfMessageFont;
        lf.lfHeight = -MulDiv(11, static_cast<int>(m_dpi), 96);
        m_controlFont = CreateFontIndirectW(&lf);
    }
    return m_controlFont;
}

void FormWindow::dropFonts() {
    for (auto& [key, font] : m_fonts)
        DeleteObject(font);
    m_fonts.clear();
    if (m_controlFont)
        DeleteObject(m_controlFont);
    m_controlFont = nullptr;
}

RECT FormWindow::boxOf(const ui::Control& c) const {
    const int x = twipsToPixels(c.left(), m_dpi);
    const int y = twipsToPixels(c.top(), m_dpi);
    return {x, y, x + std::max(0, twipsToPixels(c.width(), m_dpi)),
            y + std::max(0, twipsToPixels(c.height(), m_dpi))};
}

void FormWindow::createNative(Item& item) {
    const HWND parent = hwnd();
    ui::Control& c = *item.control;
    const RECT box = boxOf(c);
    if (c.kind() == ui::ControlKind::Label)
        return;
    m_desktop.awaitCommonControls();
    switch (c.kind()) {
    case ui::ControlKind::Label:
        return;
    case ui::ControlKind::ListBox:
    case ui::ControlKind::FileList:
    case ui::ControlKind::FolderList: {
        auto list = std::make_unique<ListCtrl>(
            ListArgs{parent, item.id, box, c.kind() == ui::ControlKind::FileList,
                     c.kind() == ui::ControlKind::FolderList, &m_desktop.shell()});
        const std::string name = c.name();
        const int index = c.index();
        list->onMouseMove = [this, name, index] {
            raise(ui::UiEvent::of(ui::EventKind::MouseMove, name, index));
        };
        item.native = std::move(list);
        break;
    }
    case ui::ControlKind::Button:
        item.native = std::make_unique<ButtonCtrl>(ButtonArgs{parent, item.id, box});
        break;
    case ui::ControlKind::TextBox: {
        auto edit = std::make_unique<EditCtrl>(EditArgs{parent, item.id, box});
        auto* box = static_cast<ui::TextBox*>(&c);
        EditCtrl* e = edit.get();
        edit->onEnter = [this, box, e] {
            if (m_detached)
                return; // the form, and so the box, may be gone
            box->setText(toUtf8(e->text()));
            ui::UiEvent event = ui::UiEvent::of(ui::EventKind::KeyPress, box->name());
            event.key = ui::TextBox::KeyEnter;
            raise(event);
        };
        edit->onLostFocus = [this, box, e](HWND next) {
            if (m_detached)
                return;
            box->setText(toUtf8(e->text()));
            ui::UiEvent lost = ui::UiEvent::of(ui::EventKind::LostFocus, box->name());
            // A press on a button of this window takes the focus before it is released.
            const Item* to = itemByHwnd(next);
            const bool toButton = to && to->control->kind() == ui::ControlKind::Button &&
                                  (GetKeyState(VK_LBUTTON) & 0x8000);
            if (toButton)
                lost.focusTo = to->control->name();
            ui::Form& form = m_form;
            Win32Desktop& desktop = m_desktop;
            raise(lost); // this window may be gone afterwards; the desktop knows
            // The form ran that click itself (its message took the press's release): the
            // press ends at the button without a click of its own.
            if (toButton && desktop.windowOf(form) && form.takeClickRunOnFocus())
                PostMessageW(next, WM_CANCELMODE, 0, 0);
        };
        item.native = std::move(edit);
        break;
    }
    case ui::ControlKind::DriveList:
        item.native =
            std::make_unique<DriveCombo>(DriveArgs{parent, item.id, box, &m_desktop.shell()});
        break;
    }
    SendMessageW(item.native->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(controlFont()), FALSE);
    if (auto* list = dynamic_cast<ListCtrl*>(item.native.get()))
        list->setRowHeight(
            MulDiv(c.kind() == ui::ControlKind::FolderList ? 17 : 13, static_cast<int>(m_dpi), 96));
}

void FormWindow::syncItem(Item& item) {
    ui::Control& c = *item.control;
    const RECT box = boxOf(c);
    if (c.kind() == ui::ControlKind::Label) {
        const auto& label = static_cast<const ui::Label&>(c);
        const LabelLook look{{box.left, box.top, box.right, box.bottom},
                             label.caption(),
                             label.font(),
                             label.foreColor(),
                             label.visible(),
                             label.transparent(),
                             label.alignment()};
        if (look != item.drawn) {
            m_dirty.push_back({item.drawn.box.left, item.drawn.box.top, item.drawn.box.right,
                               item.drawn.box.bottom});
            m_dirty.push_back(box);
            item.drawn = look;
        }
        return;
    }
    const HWND w = item.native->hwnd();
    RECT now{};
    GetWindowRect(w, &now);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &box))
        SetWindowPos(w, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    switch (c.kind()) {
    case ui::ControlKind::ListBox: {
        auto& list = static_cast<ui::ListBox&>(c);
        auto* ctrl = static_cast<ListCtrl*>(item.native.get());
        ctrl->setRows(plainRows(list.entries()));
        ctrl->setCurrent(list.listIndex());
        break;
    }
    case ui::ControlKind::FileList: {
        auto& files = static_cast<ui::FileList&>(c);
        auto* ctrl = static_cast<ListCtrl*>(item.native.get());
        ctrl->setRows(plainRows(files.names()));
        std::vector<bool> selected;
        for (int i = 0; i < files.listCount(); ++i)
            selected.push_back(files.selected(i));
        ctrl->setSelection(selected);
        break;
    }
    case ui::ControlKind::FolderList: {
        auto& folders = static_cast<ui::FolderList&>(c);
        std::vector<ListCtrl::Row> rows;
        for (const ui::FolderItem& f : folders.items())
            rows.push_back({toWide(f.name), f.depth, f.open});
        auto* ctrl = static_cast<ListCtrl*>(item.native.get());
        ctrl->setRows(rows);
        ctrl->setCurrent(folders.listIndex());
        break;
    }
    case ui::ControlKind::Button:
        static_cast<ButtonCtrl*>(item.native.get())
            ->setCaption(toWide(static_cast<ui::Button&>(c).caption()));
        break;
    case ui::ControlKind::TextBox:
        static_cast<EditCtrl*>(item.native.get())
            ->setText(toWide(static_cast<ui::TextBox&>(c).text()));
        break;
    case ui::ControlKind::DriveList: {
        auto& drives = static_cast<ui::DriveList&>(c);
        static_cast<DriveCombo*>(item.native.get())->setDrives(drives.drives(), drives.drive());
        break;
    }
    case ui::ControlKind::Label:
        break;
    }
    if (static_cast<bool>(IsWindowVisible(w)) != c.visible())
        ShowWindow(w, c.visible() ? SW_SHOWNA : SW_HIDE);
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
    const auto& controls = m_form.controls();
    while (m_items.size() < controls.size()) {
        Item& item = m_items.emplace_back();
        item.control = controls[m_items.size() - 1].get();
        item.id = FirstControlId + static_cast<int>(m_items.size()) - 1;
        createNative(item);
    }
    for (Item& item : m_items)
        syncItem(item);
    invalidateDirty();

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
        applyWindowState();
        if (m_form.takeBringToFront() && wasVisible) {
            if (IsIconic(hwnd()))
                ShowWindow(hwnd(), SW_RESTORE);
            SetForegroundWindow(hwnd());
            BringWindowToTop(hwnd());
        }
    } else if (IsWindowVisible(hwnd())) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

void FormWindow::invalidateDirty() {
    // A hidden window is painted whole when it shows. A shown one gets one region for all
    // the boxes that changed: a call per box is a trip to the window server each (Wine).
    if (!m_dirty.empty() && IsWindowVisible(hwnd())) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& r : m_dirty) {
            HRGN box = CreateRectRgnIndirect(&r);
            CombineRgn(region, region, box, RGN_OR);
            DeleteObject(box);
        }
        InvalidateRgn(hwnd(), region, FALSE);
        DeleteObject(region);
    }
    m_dirty.clear();
}

void FormWindow::applyWindowState() {
    // Only a change made by the program is carried out; what the user did to the window
    // is already written into the form.
    if (m_form.windowState() == m_shownState)
        return;
    m_shownState = m_form.windowState();
    ShowWindow(hwnd(), m_shownState == ui::WindowState::Minimized   ? SW_MINIMIZE
                       : m_shownState == ui::WindowState::Maximized ? SW_MAXIMIZE
                                                                    : SW_RESTORE);
}

RECT FormWindow::startArea(HMONITOR monitor) const {
    RECT area{};
    const HWND owner = m_desktop.mainWindowBesides(this);
    if (m_form.startPosition() == ui::StartPosition::CenterOwner && owner &&
        IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
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

HWND FormWindow::controlWindow(const std::string& displayName) const {
    for (const Item& item : m_items) {
        if (item.native && item.control->displayName() == displayName)
            return item.native->hwnd();
    }
    return nullptr;
}

const ui::Label* FormWindow::labelAt(POINT p) const {
    // The label created last lies on top.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (it->control->kind() != ui::ControlKind::Label || !it->control->visible())
            continue;
        const RECT box = boxOf(*it->control);
        if (PtInRect(&box, p))
            return static_cast<const ui::Label*>(it->control);
    }
    return nullptr;
}

const FormWindow::Item* FormWindow::itemByHwnd(HWND control) const {
    for (const Item& item : m_items) {
        if (control && item.native && item.native->hwnd() == control)
            return &item;
    }
    return nullptr;
}

FormWindow::Item* FormWindow::itemById(int id) {
    const int i = id - FirstControlId;
    if (i < 0 || i >= static_cast<int>(m_items.size()))
        return nullptr;
    return &m_items[static_cast<std::size_t>(i)];
}

void FormWindow::raise(const ui::UiEvent& event) {
    if (!m_detached)
        m_desktop.raise(m_form, event);
}

void FormWindow::userAction(const std::function<void()>& edit) {
    if (!m_detached)
        m_desktop.act(edit);
}

void FormWindow::onPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    // Drawn off screen first, so that a hover change never flickers.
    const HDC mem = CreateCompatibleDC(dc);
    const HBITMAP canvas = CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1));
    const HGDIOBJ oldCanvas = SelectObject(mem, canvas);
    FillRect(mem, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (const HBITMAP picture = m_desktop.picture(m_form.picture(), w, h)) {
        // One image pixel to one screen pixel, at the top left, clipped by the window.
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        const HDC src = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(src, picture);
        BitBlt(mem, 0, 0, std::min<int>(w, info.bmWidth), std::min<int>(h, info.bmHeight), src, 0,
               0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    }
    SetBkMode(mem, TRANSPARENT);
    for (const Item& item : m_items) {
        if (item.control->kind() != ui::ControlKind::Label || !item.control->visible())
            continue;
        const auto& label = static_cast<const ui::Label&>(*item.control);
        RECT box = boxOf(label);
        if (!label.transparent())
            FillRect(mem, &box, GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ oldFont = SelectObject(mem, fontFor(label.font()));
        SetTextColor(mem, toColorRef(label.foreColor()));
        const std::wstring text = toWide(label.caption());
        DrawTextW(mem, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_TOP | DT_WORDBREAK | DT_NOPREFIX | alignmentFlag(label.alignment()));
        SelectObject(mem, oldFont);
    }
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(mem, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(mem);
    EndPaint(hwnd(), &ps);
}

void FormWindow::onMouseMove(POINT p) {
    if (const ui::Label* label = labelAt(p))
        raise(ui::UiEvent::of(ui::EventKind::MouseMove, label->name(), label->index()));
    else
        raise(ui::UiEvent::form(ui::EventKind::MouseMove));
}

void FormWindow::onButtonUp(POINT p) {
    const ui::Label* pressed = std::exchange(m_pressed, nullptr);
    // The release that ends a double-click makes no second Click.
    if (std::exchange(m_afterDoubleClick, false))
        return;
    if (pressed && labelAt(p) == pressed)
        raise(ui::UiEvent::of(ui::EventKind::Click, pressed->name(), pressed->index()));
}

void FormWindow::onDoubleClick(POINT p) {
    m_afterDoubleClick = true;
    m_pressed = nullptr;
    if (const ui::Label* label = labelAt(p))
        raise(ui::UiEvent::of(ui::EventKind::DblClick, label->name(), label->index()));
}

void FormWindow::onCommand(int id, int code) {
    Item* item = itemById(id);
    if (!item || !item->native)
        return;
    ui::Control& c = *item->control;
    switch (c.kind()) {
    case ui::ControlKind::ListBox: {
        auto& list = static_cast<ui::ListBox&>(c);
        auto* ctrl = static_cast<ListCtrl*>(item->native.get());
        if (code == LBN_SELCHANGE && ctrl->current() >= 0) {
            list.userSelect(ctrl->current());
            raise(ui::UiEvent::of(ui::EventKind::Click, c.name(), c.index()));
        } else if (code == LBN_DBLCLK) {
            raise(ui::UiEvent::of(ui::EventKind::DblClick, c.name(), c.index()));
        }
        return;
    }
    case ui::ControlKind::FileList: {
        if (code != LBN_SELCHANGE && code != LBN_DBLCLK)
            return;
        auto& files = static_cast<ui::FileList&>(c);
        auto* ctrl = static_cast<ListCtrl*>(item->native.get());
        for (int i = 0; i < ctrl->count(); ++i)
            files.userSetSelected(i, ctrl->isSelected(i));
        files.userSetCurrent(ctrl->caret());
        raise(ui::UiEvent::of(code == LBN_DBLCLK ? ui::EventKind::DblClick : ui::EventKind::Click,
                              c.name()));
        return;
    }
    case ui::ControlKind::FolderList:
        if (code == LBN_DBLCLK) {
            auto* folders = static_cast<ui::FolderList*>(&c);
            const int row = static_cast<ListCtrl*>(item->native.get())->current();
            userAction([folders, row] { folders->userOpen(row); });
        }
        return;
    case ui::ControlKind::DriveList:
        if (code == CBN_SELCHANGE) {
            auto* drives = static_cast<ui::DriveList*>(&c);
            const std::string drive = static_cast<DriveCombo*>(item->native.get())->chosen();
            userAction([drives, drive] { drives->setDrive(drive); });
        }
        return;
    case ui::ControlKind::Button:
        if (code == BN_CLICKED)
            raise(ui::UiEvent::of(ui::EventKind::Click, c.name(), c.index()));
        return;
    case ui::ControlKind::TextBox:
        // What the user types is the box's text at once.
        if (code == EN_CHANGE && !m_desktop.syncing())
            static_cast<ui::TextBox&>(c).setText(
                toUtf8(static_cast<EditCtrl*>(item->native.get())->text()));
        return;
    case ui::ControlKind::Label:
        return;
    }
}

void FormWindow::onSize(WPARAM kind) {
    if (m_detached)
        return;
    if (kind == SIZE_MINIMIZED) {
        m_shownState = ui::WindowState::Minimized;
        m_form.setWindowState(m_shownState);
        return;
    }
    m_shownState = kind == SIZE_MAXIMIZED ? ui::WindowState::Maximized : ui::WindowState::Normal;
    m_form.setWindowState(m_shownState);
    // The form keeps its outer size: frame and caption bar included.
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    m_form.setOuterSize(pixelsToTwips(outer.right - outer.left, m_dpi),
                        pixelsToTwips(outer.bottom - outer.top, m_dpi));
    if (m_form.borderStyle() == ui::BorderStyle::SizableToolWindow && !m_resizePending) {
        // Raised from the event loop, never from inside a sync or another handler.
        m_resizePending = true;
        PostMessageW(hwnd(), ResizeLater, 0, 0);
    }
}

void FormWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    m_dpi = dpi;
    dropFonts();
    for (Item& item : m_items) {
        if (item.native)
            SendMessageW(item.native->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(controlFont()),
                         FALSE);
        if (auto* list = dynamic_cast<ListCtrl*>(item.native.get()))
            list->setRowHeight(MulDiv(item.control->kind() == ui::ControlKind::FolderList ? 17 : 13,
                                      static_cast<int>(m_dpi), 96));
        item.drawn = {};
    }
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
        m_pressed = labelAt(p);
        m_afterDoubleClick = false;
        if (m_pressed)
            SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd())
            ReleaseCapture();
        onButtonUp(p);
        return 0;
    case WM_LBUTTONDBLCLK:
        onDoubleClick(p);
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (Item* item = itemById(static_cast<int>(draw->CtlID))) {
            if (auto* list = dynamic_cast<ListCtrl*>(item->native.get()))
                list->drawItem(*draw);
            else if (auto* combo = dynamic_cast<DriveCombo*>(item->native.get()))
                combo->drawItem(*draw);
        }
        return TRUE;
    }
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight =
            static_cast<UINT>(MulDiv(17, static_cast<int>(m_dpi), 96));
        return TRUE;
    case WM_SIZE:
        onSize(wp);
        return 0;
    case SetIconsLater:
        setIcons();
        return 0;
    case ResizeLater:
        m_resizePending = false;
        raise(ui::UiEvent::form(ui::EventKind::Resize));
        return 0;
    case WM_CLOSE:
        // The form decides: it is unloaded, and whatever its Terminate step does follows.
        if (m_detached)
            ShowWindow(hwnd(), SW_HIDE);
        else
            m_desktop.closeByFrame(m_form);
        return 0;
    case 0x02E0: // WM_DPICHANGED
        onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    default:
        return Wnd::onMessage(msg, wp, lp);
    }
}

} // namespace discmenu::win32

#include "platform/win32/Controls.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>

namespace discmenu::win32 {

namespace {

constexpr DWORD ChildStyle = WS_CHILD | WS_TABSTOP;

void drawRowBackground(const DRAWITEMSTRUCT& item) {
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
}

void drawRow(const DRAWITEMSTRUCT& item, int indent, HICON icon, const std::wstring& text) {
    drawRowBackground(item);
    RECT r = item.rcItem;
    const int height = r.bottom - r.top;
    const int iconSize = std::min(GetSystemMetrics(SM_CXSMICON), height);
    r.left += indent;
    if (icon)
        DrawIconEx(item.hDC, r.left + 1, r.top + (height - iconSize) / 2, icon, iconSize, iconSize,
                   0, nullptr, DI_NORMAL);
    r.left += iconSize + 4;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

} // namespace

ListCtrl::ListCtrl(const ListArgs& args) : m_shell(args.shell), m_folders(args.folderRows) {
    DWORD style = ChildStyle | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (args.multiSelection)
        style |= LBS_MULTIPLESEL;
    if (args.folderRows)
        style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    createNative(WS_EX_CLIENTEDGE, WC_LISTBOXW, style, args.parent, args.id, args.box);
}

void ListCtrl::setRows(const std::vector<Row>& rows) {
    if (rows == m_rows)
        return;
    m_rows = rows;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
    for (const Row& r : rows)
        SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.text.c_str()));
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListCtrl::setCurrent(int row) {
    if (current() != row)
        SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ListCtrl::setSelection(const std::vector<bool>& selected) {
    for (int i = 0; i < count() && i < static_cast<int>(selected.size()); ++i) {
        const bool on = selected[static_cast<std::size_t>(i)];
        if (isSelected(i) != on)
            SendMessageW(hwnd(), LB_SETSEL, on, i);
    }
}

int ListCtrl::current() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
}

bool ListCtrl::isSelected(int row) const {
    return SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
}

int ListCtrl::caret() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0));
}

int ListCtrl::count() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

void ListCtrl::setRowHeight(int pixels) {
    SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, pixels);
}

void ListCtrl::drawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_rows.size()) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    const Row& row = m_rows[item.itemID];
    const int indent = row.depth * GetSystemMetrics(SM_CXSMICON) / 2;
    drawRow(item, indent, m_folders && m_shell ? m_shell->folderIcon(row.open) : nullptr, row.text);
}

LRESULT ListCtrl::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE && onMouseMove) {
        const LRESULT r = Wnd::onMessage(msg, wp, lp);
        onMouseMove(); // last: the handler may end this window
        return r;
    }
    return Wnd::onMessage(msg, wp, lp);
}

ButtonCtrl::ButtonCtrl(const ButtonArgs& args) {
    createNative(0, WC_BUTTONW, ChildStyle | BS_PUSHBUTTON, args.parent, args.id, args.box);
}

void ButtonCtrl::setCaption(const std::wstring& caption) {
    wchar_t shown[256] = {};
    GetWindowTextW(hwnd(), shown, 256);
    if (caption != shown)
        SetWindowTextW(hwnd(), caption.c_str());
}

EditCtrl::EditCtrl(const EditArgs& args) {
    createNative(WS_EX_CLIENTEDGE, WC_EDITW, ChildStyle | ES_AUTOHSCROLL, args.parent, args.id,
                 args.box);
}

std::wstring EditCtrl::text() const {
    std::wstring t(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
    t.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd(), t.data(), static_cast<int>(t.size()))));
    return t;
}

void EditCtrl::setText(const std::wstring& text) {
    if (this->text() != text)
        SetWindowTextW(hwnd(), text.c_str());
}

LRESULT EditCtrl::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter belongs to the box, not to the window's keyboard navigation.
        if (lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
            return DLGC_WANTALLKEYS;
        break;
    case WM_CHAR:
        if (wp == L'\r') {
            if (onEnter)
                onEnter();
            return 0; // no beep; the handler may end this window
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT r = Wnd::onMessage(msg, wp, lp);
        const HWND next = reinterpret_cast<HWND>(wp);
        if (next && onLostFocus && GetAncestor(next, GA_ROOT) == GetAncestor(hwnd(), GA_ROOT))
            onLostFocus(next);
        return r;
    }
    default:
        break;
    }
    return Wnd::onMessage(msg, wp, lp);
}

DriveCombo::DriveCombo(const DriveArgs& args) : m_shell(args.shell) {
    createNative(0, WC_COMBOBOXW,
                 ChildStyle | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                 args.parent, args.id, args.box);
}

void DriveCombo::setDrives(const std::vector<char>& letters, const std::string& current) {
    if (letters != m_letters) {
        m_letters = letters;
        m_texts.clear();
        SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
        for (char letter : letters) {
            std::wstring text{
                static_cast<wchar_t>(std::tolower(static_cast<unsigned char>(letter))), L':'};
            const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
            // A floppy drive is not asked for its label: the question would spin it up.
            wchar_t label[MAX_PATH + 1] = {};
            if (GetDriveTypeW(root) != DRIVE_REMOVABLE &&
                GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                      0) &&
                label[0])
                text += std::wstring(L" [") + label + L"]";
            m_texts.push_back(text);
            SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    int index = -1;
    for (std::size_t i = 0; i < m_letters.size(); ++i) {
        if (current.size() >= 1 &&
            std::toupper(static_cast<unsigned char>(current[0])) == m_letters[i])
            index = static_cast<int>(i);
    }
    if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != index)
        SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string DriveCombo::chosen() const {
    const auto i = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<std::size_t>(i) >= m_letters.size())
        return {};
    return {static_cast<char>(std::tolower(static_cast<unsigned char>(m_letters[i]))), ':'};
}

void DriveCombo::drawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_letters.size()) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    drawRow(item, 0, m_shell ? m_shell->driveIcon(m_letters[item.itemID]) : nullptr,
            m_texts[item.itemID]);
}

} // namespace discmenu::win32

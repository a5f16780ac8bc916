// The list kinds of native controls: the job list, the file list, the folder list and the
// drive list.

#include "platform/ui/DriveList.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Look.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Wide.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace discmenu::win32 {

namespace {

constexpr DWORD ChildStyle = WS_CHILD | WS_TABSTOP;

void drawRow(const DRAWITEMSTRUCT& item, int indent, HICON icon, const std::wstring& text) {
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
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

// A list box; the pointer moving over it is the control's MouseMove.
class ListCtrl : public NativeControl {
public:
    struct Row {
        std::wstring text;
        int depth = 0;
        bool open = false;
        bool operator==(const Row&) const = default;
    };

    // multiSelection: a click toggles a row, as a file list offers; folderRows: rows
    // indented under folder icons.
    ListCtrl(ControlHost& host, ui::Control& control, int id, bool multiSelection, bool folderRows)
        : NativeControl(host, control), m_folders(folderRows) {
        DWORD style = ChildStyle | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        if (multiSelection)
            style |= LBS_MULTIPLESEL;
        if (folderRows)
            style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        create(WS_EX_CLIENTEDGE, WC_LISTBOXW, style, id);
        setRowHeight();
    }
    void dpiChanged() override {
        NativeControl::dpiChanged();
        setRowHeight();
    }
    void drawItem(const DRAWITEMSTRUCT& item) const override {
        if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_rows.size()) {
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
            return;
        }
        const Row& row = m_rows[item.itemID];
        const int indent = row.depth * GetSystemMetrics(SM_CXSMICON) / 2;
        drawRow(item, indent, m_folders ? m_host.shell().folderIcon(row.open) : nullptr, row.text);
    }

protected:
    // Rebuilds the rows only when they differ, so that a sync keeps the scroll position;
    // whether they did.
    bool setRows(const std::vector<Row>& rows) {
        if (rows == m_rows)
            return false;
        m_rows = rows;
        SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
        SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
        for (const Row& r : rows)
            SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.text.c_str()));
        SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd(), nullptr, TRUE);
        return true;
    }
    void setPlainRows(const std::vector<std::string>& texts) {
        std::vector<Row> rows;
        for (const std::string& t : texts)
            rows.push_back({toWide(t), 0, false});
        setRows(rows);
    }
    void setCurrent(int row) {
        if (current() != row)
            SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    }
    int current() const { return static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)); }
    int count() const { return static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }
    bool isSelected(int row) const {
        return SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
    }
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        const LRESULT r = NativeControl::onMessage(msg, wp, lp);
        if (msg == WM_MOUSEMOVE && !m_host.detached()) // last: the handler may end this window
            m_host.raise(event(ui::EventKind::MouseMove));
        return r;
    }

private:
    void setRowHeight() {
        const int pixels = m_folders ? ui::look::FolderRowPixels : ui::look::ListRowPixels;
        SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0,
                     MulDiv(pixels, static_cast<int>(m_host.dpi()), 96));
    }

    bool m_folders;
    std::vector<Row> m_rows;
};

// A list box drawing a control of kind C.
template <class C> class ListOf : public ListCtrl {
public:
    ListOf(ControlHost& host, C& data, int id, bool multiSelection = false, bool folderRows = false)
        : ListCtrl(host, data, id, multiSelection, folderRows), m_data(data) {}

protected:
    C& m_data;
};

// The job list: one row chosen, which is the list's Click.
class ListBoxCtrl : public ListOf<ui::ListBox> {
public:
    using ListOf::ListOf;
    void onCommand(int code) override {
        if (code == LBN_SELCHANGE && current() >= 0) {
            m_data.userSelect(current());
            m_host.raise(ui::UiEvent::of(ui::EventKind::Click, m_data.name(), m_data.index()));
        } else if (code == LBN_DBLCLK) {
            m_host.raise(event(ui::EventKind::DblClick));
        }
    }
    // Enter on the chosen job is its double-click: the job's folder opens.
    bool pressEnter() override {
        if (current() >= 0)
            m_host.raise(event(ui::EventKind::DblClick));
        return true;
    }

protected:
    void syncContent() override {
        setPlainRows(m_data.entries());
        setCurrent(m_data.listIndex());
    }
};

// The file list: a click toggles a file's selection.
class FileListCtrl : public ListOf<ui::FileList> {
public:
    FileListCtrl(ControlHost& host, ui::FileList& files, int id) : ListOf(host, files, id, true) {}
    void onCommand(int code) override {
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
            userEvent(code == LBN_DBLCLK ? ui::EventKind::DblClick : ui::EventKind::Click);
    }
    // Enter on the file with the caret is its double-click: the file opens.
    bool pressEnter() override {
        if (count() > 0)
            userEvent(ui::EventKind::DblClick);
        return true;
    }

protected:
    void syncContent() override {
        setPlainRows(m_data.names());
        const std::vector<bool>& selected = m_data.selection();
        for (int i = 0; i < count() && i < static_cast<int>(selected.size()); ++i) {
            const bool on = selected[static_cast<std::size_t>(i)];
            if (isSelected(i) != on)
                SendMessageW(hwnd(), LB_SETSEL, on, i);
        }
    }

    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        const LRESULT r = ListOf::onMessage(msg, wp, lp);
        // Space toggles the file at the caret; Wine's list tells no one (no LBN_SELCHANGE),
        // and the next sync would undo it.
        if (msg == WM_KEYDOWN && wp == VK_SPACE && !m_host.detached() && selectionMoved())
            userEvent(ui::EventKind::Click);
        return r;
    }

private:
    bool selectionMoved() const {
        const std::vector<bool>& known = m_data.selection();
        for (int i = 0; i < count(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (isSelected(i) != (at < known.size() && known[at]))
                return true;
        }
        return false;
    }
    // The list's selection and caret go into the data first.
    void userEvent(ui::EventKind kind) {
        for (int i = 0; i < count(); ++i)
            m_data.userSetSelected(i, isSelected(i));
        m_data.userSetCurrent(static_cast<int>(SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0)));
        m_host.raise(event(kind));
    }
};

// The folder tree: a double-click opens a folder.
class FolderListCtrl : public ListOf<ui::FolderList> {
public:
    FolderListCtrl(ControlHost& host, ui::FolderList& folders, int id)
        : ListOf(host, folders, id, false, true) {}
    void onCommand(int code) override {
        if (code == LBN_DBLCLK)
            open();
    }
    // Enter opens the chosen folder, as a double-click does.
    bool pressEnter() override {
        open();
        return true;
    }

protected:
    void syncContent() override {
        std::vector<Row> rows;
        for (const ui::FolderItem& f : m_data.items())
            rows.push_back({toWide(f.name), f.depth, f.open});
        // The row the keyboard moved to stays lit for Enter until the list moves; after
        // the mouse, the current folder's row is lit again.
        const bool moved = setRows(rows) || m_data.listIndex() != m_shownIndex;
        if (moved || !m_host.keyboardInUse())
            setCurrent(m_data.listIndex());
        m_shownIndex = m_data.listIndex();
    }

private:
    void open() {
        const int row = current();
        if (row >= 0)
            m_host.userAction([this, row] { m_data.userOpen(row); });
    }

    int m_shownIndex = -1;
};

// A drop-down of the machine's drives, each shown as Windows shows it ("c: [SYSTEM]")
// beside its drive icon.
class DriveCombo : public NativeControl {
public:
    DriveCombo(ControlHost& host, ui::DriveList& drives, int id)
        : NativeControl(host, drives), m_drives(drives) {
        create(0, WC_COMBOBOXW,
               ChildStyle | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
               id);
    }
    void onCommand(int code) override {
        const auto i = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
        if (code == CBN_SELCHANGE && i >= 0 && static_cast<std::size_t>(i) < m_letters.size()) {
            const char letter =
                static_cast<char>(std::tolower(static_cast<unsigned char>(m_letters[i])));
            m_host.userAction([this, letter] { m_drives.setDrive({letter, ':'}); });
        }
    }
    void drawItem(const DRAWITEMSTRUCT& item) const override {
        if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_letters.size()) {
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
            return;
        }
        drawRow(item, 0, m_host.shell().driveIcon(m_letters[item.itemID]), m_texts[item.itemID]);
    }

protected:
    void syncContent() override;

private:
    ui::DriveList& m_drives;
    std::vector<char> m_letters;
    std::vector<std::wstring> m_texts;
};

void DriveCombo::syncContent() {
    const std::vector<char> letters = m_drives.drives();
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
    const std::string& current = m_drives.drive();
    int index = -1;
    for (std::size_t i = 0; i < m_letters.size(); ++i) {
        if (!current.empty() &&
            std::toupper(static_cast<unsigned char>(current[0])) == m_letters[i])
            index = static_cast<int>(i);
    }
    if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != index)
        SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace

std::unique_ptr<NativeControl> makeListControl(ControlHost& host, ui::Control& control, int id) {
    switch (control.kind()) {
    case ui::ControlKind::ListBox:
        return std::make_unique<ListBoxCtrl>(host, static_cast<ui::ListBox&>(control), id);
    case ui::ControlKind::FileList:
        return std::make_unique<FileListCtrl>(host, static_cast<ui::FileList&>(control), id);
    case ui::ControlKind::FolderList:
        return std::make_unique<FolderListCtrl>(host, static_cast<ui::FolderList&>(control), id);
    case ui::ControlKind::DriveList:
        return std::make_unique<DriveCombo>(host, static_cast<ui::DriveList&>(control), id);
    default:
        return nullptr;
    }
}

} // namespace discmenu::win32

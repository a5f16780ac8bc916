// The forms as the Win32 adapter draws them, in real windows under Wine: controls where
// the form's data puts them, in pixels, at any dpi; the hover colour painted; clicks,
// double-clicks and buttons reaching their handlers once; the file browser laid out from
// its outer size; the progress note. (Message boxes and which window lies on top are the
// walks' under Wine.)

#include "Win32Forms.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Desktop.h"
#include "savedlg/FormFileSave.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace discmenu::test {
namespace {

TEST_F(Win32Forms, TheMainWindowHasTheClientAreaAndControlsItsDataGives) {
    const HWND main = mainHwnd();
    const UINT dpi = window(m_mod->formMain()).dpi();
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, win32::twipsToPixels(8310, dpi));
    EXPECT_EQ(client.bottom, win32::twipsToPixels(4800, dpi));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(GetWindowLongW(main, GWL_STYLE) &
                 (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW); // a task-bar button

    const ui::ListBox& jobs = m_mod->formMain().lstRMA();
    const HWND list = window(m_mod->formMain()).controlWindow("lstRMA");
    ASSERT_TRUE(list);
    const RECT r = clientRect(list);
    EXPECT_EQ(r.left, win32::twipsToPixels(jobs.left(), dpi));
    EXPECT_EQ(r.top, win32::twipsToPixels(jobs.top(), dpi));
    EXPECT_EQ(r.right - r.left, win32::twipsToPixels(jobs.width(), dpi));
    EXPECT_EQ(r.bottom - r.top, win32::twipsToPixels(jobs.height(), dpi));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), jobs.listIndex());

    // Each label is found where its box lies, the topmost where boxes overlap.
    FormMain& f = m_mod->formMain();
    for (const ui::Label* label :
         {&f.Label1(), &f.lblTitle(), &f.lblMain(0), &f.lblMain(1), &f.lblMain(2), &f.lblMain(4)})
        EXPECT_EQ(window(f).labelAt(centreOf(*label)), label) << label->displayName();
    // Label2 starts inside Label1's box; created later, it lies on top there.
    const POINT overlap{200, win32::twipsToPixels(780, dpi)};
    EXPECT_EQ(window(f).labelAt(overlap), &f.Label2());
}

TEST_F(Win32Forms, TheWindowFollowsTheMonitorsDpi) {
    // The run under a display of 144 dots per inch says so in DISCMENU_DPI.
    wchar_t wanted[8] = L"96";
    GetEnvironmentVariableW(L"DISCMENU_DPI", wanted, 8);
    const UINT dpi = window(m_mod->formMain()).dpi();
    EXPECT_EQ(dpi, static_cast<UINT>(_wtoi(wanted)));
    RECT client{};
    GetClientRect(mainHwnd(), &client);
    EXPECT_EQ(client.right, 8310 * static_cast<int>(dpi) / 1440);
    // The picture is drawn one image pixel to one screen pixel, so the larger client area
    // shows more of it: its far corner is water, not the window's plain background.
    UpdateWindow(mainHwnd());
    HDC dc = GetDC(mainHwnd());
    const COLORREF corner = GetPixel(dc, client.right - 2, client.bottom - 2);
    ReleaseDC(mainHwnd(), dc);
    EXPECT_NE(corner, GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(GetBValue(corner), GetRValue(corner)); // blue
}

// A window moved to a monitor of another dpi is told so and lays itself out again there:
// client area, controls and fonts at the new dpi, the labels found where they now lie.
TEST_F(Win32Forms, AMoveToAMonitorOfAnotherDpiLaysTheWindowOutAgain) {
    win32::FormWindow& w = window(m_mod->formMain());
    const UINT other = w.dpi() == 96 ? 144 : 96;
    RECT suggested{};
    GetWindowRect(w.hwnd(), &suggested);
    SendMessageW(w.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(w.dpi(), other);
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, win32::twipsToPixels(8310, other));
    EXPECT_EQ(client.bottom, win32::twipsToPixels(4800, other));
    const ui::ListBox& jobs = m_mod->formMain().lstRMA();
    const RECT r = clientRect(w.controlWindow("lstRMA"));
    EXPECT_EQ(r.left, win32::twipsToPixels(jobs.left(), other));
    EXPECT_EQ(r.bottom - r.top, win32::twipsToPixels(jobs.height(), other));
    const ui::Label& item = m_mod->formMain().lblMain(2);
    LOGFONTW font{};
    GetObjectW(w.fontFor(item.font()), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(item.font().points * other / 72));
    EXPECT_EQ(w.labelAt(centreOf(item)), &item);
}

// Fonts grow with the dpi no faster than the label boxes: an item that is one line at 96 dpi
// stays one line at any other, instead of wrapping its last word out of its box.
TEST_F(Win32Forms, EveryMenuItemStaysOnOneLine) {
    win32::FormWindow& w = window(m_mod->formMain());
    HDC dc = GetDC(w.hwnd());
    for (int i = 0; i <= m_mod->formMain().lblMainUBound(); ++i) {
        const ui::Label& item = m_mod->formMain().lblMain(i);
        if (!item.visible())
            continue;
        const HGDIOBJ old = SelectObject(dc, w.fontFor(item.font()));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const std::wstring text = win32::toWide(item.caption());
        RECT box{0, 0, win32::twipsToPixels(item.width(), w.dpi()), 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        EXPECT_EQ(box.bottom, metrics.tmHeight) << item.caption() << " at " << w.dpi() << " dpi";
    }
    ReleaseDC(w.hwnd(), dc);
}

TEST_F(Win32Forms, HoverPaintsTheItemInItsHighlightColour) {
    FormMain& f = m_mod->formMain();
    const ui::Label& row = f.lblMain(3);
    const POINT p = centreOf(row);
    SendMessageW(mainHwnd(), WM_MOUSEMOVE, 0, at(p.x, p.y));
    ASSERT_NE(row.foreColor(), ui::White);
    UpdateWindow(mainHwnd());
    // Some pixel of the row's text is drawn in its colour.
    const UINT dpi = window(f).dpi();
    HDC dc = GetDC(mainHwnd());
    const COLORREF wanted =
        RGB((row.foreColor() >> 16) & 0xFF, (row.foreColor() >> 8) & 0xFF, row.foreColor() & 0xFF);
    bool found = false;
    for (int x = win32::twipsToPixels(row.left(), dpi); x < p.x + 100 && !found; ++x)
        for (int y = win32::twipsToPixels(row.top(), dpi); y < p.y + 6 && !found; ++y)
            found = GetPixel(dc, x, y) == wanted;
    ReleaseDC(mainHwnd(), dc);
    EXPECT_TRUE(found);
}

TEST_F(Win32Forms, ADoubleClickOnAnItemIsOneClickAndOneDoubleClick) {
    FormMain& f = m_mod->formMain();
    // "View included software and documentation" builds its page once per click.
    const POINT p = centreOf(f.lblMain(7));
    const std::size_t before = events("caption").size();
    SendMessageW(mainHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(p.x, p.y));
    SendMessageW(mainHwnd(), WM_LBUTTONUP, 0, at(p.x, p.y));
    SendMessageW(mainHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at(p.x, p.y));
    SendMessageW(mainHwnd(), WM_LBUTTONUP, 0, at(p.x, p.y));
    const auto captions = events("caption");
    ASSERT_EQ(captions.size(), before + 1);
    EXPECT_EQ(captions.back(),
              "caption\tformMain\tTidewell Software CD - Included Software and Documentation");
    // A press on one item and a release on another is no click.
    const POINT q = centreOf(f.lblMain(3));
    SendMessageW(mainHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(p.x, p.y));
    SendMessageW(mainHwnd(), WM_LBUTTONUP, 0, at(q.x, q.y));
    EXPECT_EQ(events("caption").size(), before + 1);
}

TEST_F(Win32Forms, AJobClickedInTheListBuildsItsPage) {
    const HWND list = window(m_mod->formMain()).controlWindow("lstRMA");
    ASSERT_TRUE(list);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
    SendMessageW(list, WM_LBUTTONUP, 0, at(x, y));
    EXPECT_EQ(m_mod->formMain().lstRMA().listIndex(), 2);
    EXPECT_EQ(events("caption").back(), "caption\tformMain\tTidewell Software CD - 1003");
}

TEST_F(Win32Forms, TheFileBrowserIsLaidOutFromItsOuterSize) {
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    m_desktop->sync();
    FormFiles& files = m_mod->formFiles();
    win32::FormWindow& w = window(files);
    ASSERT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_STYLE) & WS_THICKFRAME);
    // Widening the window by 50 pixels widens the list by 50.
    RECT outer{};
    GetWindowRect(w.hwnd(), &outer);
    const HWND list = w.controlWindow("FileMain");
    m_desktop->doEvents(); // the first Resize, from showing the window
    const int before = clientRect(list).right - clientRect(list).left;
    SetWindowPos(w.hwnd(), nullptr, 0, 0, outer.right - outer.left + 50, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    m_desktop->doEvents(); // the Resize event comes from the event loop
    EXPECT_EQ(clientRect(list).right - clientRect(list).left, before + 50);
    EXPECT_EQ(files.FileMain().width(),
              win32::pixelsToTwips(outer.right - outer.left + 50, w.dpi()) - 100);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), files.FileMain().listCount());

    // The View button reaches its handler once.
    const HWND view = w.controlWindow("cmdView");
    SendMessageW(list, LB_SETSEL, TRUE, 1);
    // The list tells its form of the user's selection through its notification.
    SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(files.FileMain().selected(1));
    SendMessageW(view, BM_CLICK, 0, 0);
    ASSERT_EQ(m_launcher.runs.size(), 1u);
    EXPECT_TRUE(m_launcher.runs[0].starts_with("notepad.exe ")) << m_launcher.runs[0];
}

TEST_F(Win32Forms, APressOnSaveThatEndsThePathCheckSavesOnce) {
    // A path typed, then a real press on Save: the text box loses the focus to the button,
    // the path check asks about the missing folder, and the dialog runs the Save itself;
    // the press's release makes no second Save.
    FormFileSave& dialog = m_mod->formFileSave();
    dialog.setCaption("Install path for Quaylog");
    dialog.show();
    m_desktop->sync();
    win32::FormWindow& w = window(dialog);
    const HWND edit = w.controlWindow("txtPath");
    const HWND save = w.controlWindow("cmdSave");
    SetForegroundWindow(w.hwnd());
    SetFocus(edit);
    SetWindowTextW(edit, L"C:\\new\\dos"); // typed: the box's data follows
    ASSERT_EQ(dialog.txtPath().text(), "C:\\new\\dos");
    RECT r{};
    GetWindowRect(save, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    auto press = [this](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        for (int i = 0; i < 20; ++i) {
            m_desktop->doEvents();
            Sleep(10);
        }
    };
    press(MOUSEEVENTF_LEFTDOWN);
    press(MOUSEEVENTF_LEFTUP);
    ASSERT_FALSE(m_messages.prompts.empty());
    EXPECT_TRUE(m_messages.prompts[0].starts_with("Founder Not found")) << m_messages.prompts[0];
    ASSERT_EQ(m_launcher.opens.size(), 1u);
    EXPECT_EQ(m_launcher.opens[0].file, "C:\\new\\dos\\binstall.bat");
}

// A long copy shows a note over the program's windows, which take no input meanwhile.
TEST_F(Win32Forms, TheProgressNoteShowsTheCopyAndGoesWithIt) {
    m_desktop->showProgress("Copying BRINEXT.EXE", 40);
    const HWND note = FindWindowW(L"TidewellDiscMenuProgress", nullptr);
    ASSERT_TRUE(note);
    EXPECT_TRUE(IsWindowVisible(note));
    EXPECT_FALSE(IsWindowEnabled(mainHwnd()));
    m_desktop->showProgress("Copying BRINEXT.DAT", 75); // the same note, brought up to date
    EXPECT_EQ(FindWindowW(L"TidewellDiscMenuProgress", nullptr), note);
    const HWND text = FindWindowExW(note, nullptr, L"Static", nullptr);
    const HWND bar = FindWindowExW(note, nullptr, L"msctls_progress32", nullptr);
    wchar_t shown[64] = {};
    GetWindowTextW(text, shown, 64);
    EXPECT_STREQ(shown, L"Copying BRINEXT.DAT");
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 75);

    m_desktop->endProgress();
    EXPECT_FALSE(IsWindow(note));
    EXPECT_TRUE(IsWindowEnabled(mainHwnd()));
}

} // namespace
} // namespace discmenu::test

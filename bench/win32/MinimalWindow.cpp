// The reference for the start-up benchmark: the least a Win32 program does to show a
// window, an empty window with one painted label, built with the same toolchain.
//
// Built again with STYLED_LIST (minimal_list_window): the same window with what the main
// window cannot do without, and nothing of the program: the program's manifest (visual
// styles, per-monitor dpi), its window styles, and a list box of three rows drawn with the
// visual styles, for which the common controls library loads. Started in the benchmark's
// place of discmenu.exe (DISCMENU_EXE=...), it shows what such a window costs under Wine.
#define UNICODE
#include <windows.h>

#ifdef STYLED_LIST
#include <commctrl.h>

#include <initializer_list>
#endif

namespace {

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r{10, 10, 300, 40};
        DrawTextW(dc, L"Tidewell Electronics, Inc.", -1, &r, DT_LEFT | DT_TOP);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Minimal";
    RegisterClassW(&wc);
#ifndef STYLED_LIST
    HWND w = CreateWindowExW(0, L"Minimal", L"Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, 554, 320, nullptr, nullptr, instance, nullptr);
#else
    HWND w = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, L"Minimal",
                             L"Minimal window with a list",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 232, 213,
                             560, 342, nullptr, nullptr, instance, nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY |
                                    LBS_NOINTEGRALHEIGHT,
                                10, 50, 60, 45, w, nullptr, instance, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    for (const wchar_t* row : {L"1001", L"1002", L"1003"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
#endif
    ShowWindow(w, show);
    UpdateWindow(w);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

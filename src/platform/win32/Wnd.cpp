#include "platform/win32/Wnd.h"

#include <algorithm>
#include <commctrl.h>

namespace discmenu::win32 {

Wnd::~Wnd() {
    if (!m_hwnd)
        return;
    if (m_native)
        RemoveWindowSubclass(m_hwnd, subclassProc, 0);
    else
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
}

void Wnd::registerClass(HINSTANCE instance, const wchar_t* name, UINT style, HICON icon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = ownProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr; // the window paints all of itself
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

void Wnd::createOwn(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int w,
                    int h, HWND parent, HINSTANCE instance) {
    CreateWindowExW(exStyle, className, L"", style, x, y, w, h, parent, nullptr, instance, this);
}

void Wnd::createNative(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                       const RECT& box) {
    m_hwnd = CreateWindowExW(
        exStyle, className, L"", style, box.left, box.top, box.right - box.left,
        box.bottom - box.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    m_native = true;
    SetWindowSubclass(m_hwnd, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT Wnd::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return m_native ? DefSubclassProc(m_hwnd, msg, wp, lp) : DefWindowProcW(m_hwnd, msg, wp, lp);
}

LRESULT CALLBACK Wnd::ownProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Wnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->onMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Wnd::subclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    return reinterpret_cast<Wnd*>(data)->onMessage(msg, wp, lp);
}

void paintOffScreen(HDC dc, const PAINTSTRUCT& ps, const RECT& client,
                    const std::function<void(HDC)>& draw) {
    const HDC mem = CreateCompatibleDC(dc);
    const HBITMAP canvas =
        CreateCompatibleBitmap(dc, std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
    const HGDIOBJ oldCanvas = SelectObject(mem, canvas);
    draw(mem);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(mem, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(mem);
}

} // namespace discmenu::win32

#include "platform/win32/Dpi.h"

namespace discmenu::win32 {

namespace {

template <class F> F userFunction(const char* name) {
    static HMODULE user = GetModuleHandleW(L"user32.dll");
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

} // namespace

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT dpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = userFunction<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    return systemDpi();
}

RECT outerRect(int clientW, int clientH, DWORD style, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static auto adjustForDpi = userFunction<AdjustFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientW, clientH};
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return r;
}

} // namespace discmenu::win32

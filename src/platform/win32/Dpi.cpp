#include "platform/win32/Dpi.h"

namespace discmenu::win32 {

namespace {

template <class F> F userFunction(HMODULE user, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

// The per-monitor functions of Windows 10, null on older systems; looked up once.
struct DpiFunctions {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    GetDpiForWindowFn getDpiForWindow;
    AdjustFn adjustForDpi;
};

const DpiFunctions& dpiFunctions() {
    static const DpiFunctions functions = [] {
        const HMODULE user = GetModuleHandleW(L"user32.dll");
        return DpiFunctions{userFunction<DpiFunctions::GetDpiForWindowFn>(user, "GetDpiForWindow"),
                            userFunction<DpiFunctions::AdjustFn>(user, "AdjustWindowRectExForDpi")};
    }();
    return functions;
}

} // namespace

void lookUpDpiFunctions() {
    dpiFunctions();
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT dpiOf(HWND window) {
    if (const auto getDpiForWindow = dpiFunctions().getDpiForWindow; getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    return systemDpi();
}

RECT outerRect(int clientW, int clientH, DWORD style, DWORD exStyle, UINT dpi) {
    const auto adjustForDpi = dpiFunctions().adjustForDpi;
    RECT r{0, 0, clientW, clientH};
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return r;
}

} // namespace discmenu::win32

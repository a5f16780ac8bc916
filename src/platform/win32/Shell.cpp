#include "platform/win32/Shell.h"

#include "platform/win32/SystemLibrary.h"

#include <objbase.h>

namespace discmenu::win32 {

namespace {

// A function of a system library, by its exported name, with its own type.
template <class F> F function(FARPROC address) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

} // namespace

Shell::~Shell() {
    for (HICON icon : m_folderIcons)
        if (icon)
            DestroyIcon(icon);
    for (HICON icon : m_driveIcons)
        if (icon)
            DestroyIcon(icon);
    if (m_comStarted) {
        if (auto end = function<void(WINAPI*)()>(comFunction("CoUninitialize")))
            end();
    }
}

FARPROC Shell::shellFunction(const char* name) {
    if (!m_shell32)
        m_shell32 = loadSystemLibrary(L"shell32.dll");
    return m_shell32 ? GetProcAddress(m_shell32, name) : nullptr;
}

FARPROC Shell::comFunction(const char* name) {
    if (!m_ole32)
        m_ole32 = loadSystemLibrary(L"ole32.dll");
    return m_ole32 ? GetProcAddress(m_ole32, name) : nullptr;
}

bool Shell::startCom() {
    if (!m_comTried) {
        m_comTried = true;
        // The shell's "open" and the picture decoder need COM on this thread.
        if (auto start = function<HRESULT(WINAPI*)(void*, DWORD)>(comFunction("CoInitializeEx")))
            m_comStarted =
                SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    return m_comStarted;
}

void Shell::open(HWND owner, const std::wstring& file, const std::wstring& folder) {
    startCom();
    if (auto execute = function<HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT)>(
            shellFunction("ShellExecuteW")))
        execute(owner, L"open", file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

HRESULT Shell::createInstance(REFCLSID type, REFIID iid, void** object) {
    *object = nullptr;
    auto create = function<HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**)>(
        comFunction("CoCreateInstance"));
    if (!startCom() || !create)
        return E_FAIL;
    return create(type, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

HICON Shell::folderIcon(bool open) {
    HICON& icon = m_folderIcons[open ? 1 : 0];
    if (!icon) {
        auto fileInfo = function<DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT)>(
            shellFunction("SHGetFileInfoW"));
        SHFILEINFOW info{};
        if (fileInfo)
            fileInfo(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES |
                         (open ? SHGFI_OPENICON : 0));
        icon = info.hIcon;
    }
    return icon;
}

HICON Shell::driveIcon(char letter) {
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
    SHSTOCKICONID id = SIID_DRIVEFIXED;
    switch (GetDriveTypeW(root)) {
    case DRIVE_REMOVABLE:
        id = SIID_DRIVEREMOVE;
        break;
    case DRIVE_CDROM:
        id = SIID_DRIVECD;
        break;
    case DRIVE_REMOTE:
        id = SIID_DRIVENET;
        break;
    case DRIVE_RAMDISK:
        id = SIID_DRIVERAM;
        break;
    default:
        break;
    }
    HICON& icon = m_driveIcons[id];
    if (!icon) {
        // Windows 7 and later have stock icons; the shell's icon of the drive itself else.
        SHSTOCKICONINFO stock{};
        stock.cbSize = sizeof stock;
        if (auto stockIcon = function<HRESULT(WINAPI*)(SHSTOCKICONID, UINT, SHSTOCKICONINFO*)>(
                shellFunction("SHGetStockIconInfo"));
            stockIcon && SUCCEEDED(stockIcon(id, SHGSI_ICON | SHGSI_SMALLICON, &stock)))
            icon = stock.hIcon;
    }
    if (!icon) {
        SHFILEINFOW info{};
        if (auto fileInfo = function<DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT)>(
                shellFunction("SHGetFileInfoW")))
            fileInfo(root, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
        icon = info.hIcon;
    }
    return icon;
}

} // namespace discmenu::win32

#include "platform/win32/Win32Environment.h"

#include "platform/win32/Wide.h"

#include <windows.h>

namespace discmenu::win32 {

std::string Win32Environment::executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    if (path.starts_with(L"\\\\?\\UNC\\"))
        path = L"\\\\" + path.substr(8);
    else if (path.starts_with(L"\\\\?\\"))
        path = path.substr(4);
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos)
        return toUtf8(path);
    std::wstring folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\'; // a drive root keeps its backslash
    return toUtf8(folder);
}

std::string Win32Environment::dateTimeText(FileTime t) const {
    // 100-nanosecond steps since 1601.
    const long long ticks = (t.time_since_epoch().count() + 11644473600LL) * 10'000'000LL;
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{}, local{};
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return {};
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 128, nullptr);
    if (local.wHour == 0 && local.wMinute == 0 && local.wSecond == 0)
        return toUtf8(date);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, time, 128);
    return toUtf8(std::wstring(date) + L" " + time);
}

} // namespace discmenu::win32

#include "MachineFiles.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

namespace discmenu::test {

std::unique_ptr<FileSystem> machineFileSystem(const std::vector<TestDrive>& drives) {
    std::map<char, std::string> folders;
    for (const TestDrive& d : drives)
        folders[d.letter] = win32::toUtf8(d.folder.wstring());
    return std::make_unique<win32::Win32FileSystem>(std::move(folders));
}

void setModifiedTime(const std::filesystem::path& path, FileTime when) {
    // Folders open only with backup semantics.
    HANDLE h = CreateFileW(path.wstring().c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    // 100-nanosecond steps since 1601.
    const long long ticks = (when.time_since_epoch().count() + 11644473600LL) * 10'000'000LL;
    const FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

} // namespace discmenu::test

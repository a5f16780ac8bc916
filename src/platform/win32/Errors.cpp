#include "platform/win32/Errors.h"

#include "platform/win32/Wide.h"

#include <windows.h>

namespace discmenu::win32 {

namespace {

std::string systemText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : L"error " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return toUtf8(text);
}

} // namespace

Failure failureFromError(std::uint32_t error, Err missing) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        // A file to read whose folder is missing is a missing file, as on every machine the
        // program runs on.
        return failure(missing);
    case ERROR_DIRECTORY:
        return failure(Err::PathNotFound);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return failure(Err::PermissionDenied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return failure(Err::DiskFull);
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_UNRECOGNIZED_VOLUME:
        return failure(Err::DriveUnavailable);
    default:
        return failure(Err::PathFileAccess, systemText(error));
    }
}

} // namespace discmenu::win32

#include "platform/win32/Win32FileSystem.h"

#include "platform/WindowsPath.h"
#include "platform/win32/Errors.h"
#include "platform/win32/Wide.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace discmenu::win32 {

namespace {

// Folders with names longer than this need the long form even where files do not.
constexpr std::size_t LongPathFrom = 248;

using winpath::driveOf;
using winpath::hasDrive;

FileTime timeOf(const FILETIME& ft) {
    // 100-nanosecond steps since 1601; 11644473600 seconds lie between 1601 and 1970.
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return FileTime(
        std::chrono::seconds(static_cast<std::int64_t>(ticks / 10'000'000) - 11644473600LL));
}

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    void close() {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }
};

struct Find {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Find() {
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
};

// The pattern that lists every entry of a folder given as the core gives it.
std::string everything(const std::string& folder) {
    if (folder.ends_with('\\') || (folder.size() == 2 && hasDrive(folder)))
        return folder + "*";
    return folder + "\\*";
}

bool isDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

std::wstring parentOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

} // namespace

std::wstring Win32FileSystem::apiPath(const std::string& path) const {
    std::string p = path;
    if (hasDrive(p)) {
        if (auto it = m_folders.find(driveOf(p)); it != m_folders.end()) {
            std::string rest = p.substr(2);
            if (!rest.empty() && rest[0] != '\\')
                rest = "\\" + rest; // the folder's current folder is its root
            p = it->second + rest;
        }
    }
    std::wstring wide = toWide(p);
    if (wide.size() < LongPathFrom || wide.starts_with(L"\\\\?\\"))
        return wide;
    // The long form takes no doubled separators and no "." or "..": the full path name
    // resolves them first.
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return wide;
    std::wstring full(n, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    full.resize(got);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

Failure Win32FileSystem::lastFailure(const std::string& path, Err missing) const {
    const DWORD error = GetLastError();
    if (hasDrive(path) && !m_folders.contains(driveOf(path))) {
        const wchar_t root[] = {static_cast<wchar_t>(driveOf(path)), L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR)
            return failure(Err::DriveUnavailable);
    }
    return failureFromError(error, missing);
}

bool Win32FileSystem::fileExists(const std::string& path) const {
    if (path.empty())
        return false;
    const DWORD a = GetFileAttributesW(apiPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::folderExists(const std::string& path) const {
    if (path.empty())
        return false;
    const DWORD a = GetFileAttributesW(apiPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Result<std::vector<FolderEntry>> Win32FileSystem::subfolders(const std::string& folder) const {
    return list(folder, Kind::Folders);
}

Result<std::vector<FolderEntry>> Win32FileSystem::files(const std::string& folder) const {
    return list(folder, Kind::Files);
}

Result<std::vector<FolderEntry>> Win32FileSystem::list(const std::string& folder, Kind kind) const {
    if (folder.empty())
        return fail(Err::PathNotFound);
    WIN32_FIND_DATAW found{};
    Find find{FindFirstFileExW(apiPath(everything(folder)).c_str(), FindExInfoBasic, &found,
                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)};
    std::vector<FolderEntry> entries;
    if (find.h == INVALID_HANDLE_VALUE) {
        // An empty drive root has not even "." to list.
        if (GetLastError() == ERROR_FILE_NOT_FOUND && folderExists(folder))
            return entries;
        if (fileExists(folder)) // a file is no folder to list
            return fail(Err::PathNotFound);
        return std::unexpected(lastFailure(folder, Err::PathNotFound));
    }
    const std::string base = winpath::normalised(folder);
    const std::string prefix = base.ends_with('\\') ? base : base + "\\";
    do {
        if (isDots(found.cFileName))
            continue;
        const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isFolder != (kind == Kind::Folders))
            continue;
        FolderEntry& entry = entries.emplace_back();
        entry.name = toUtf8(found.cFileName);
        entry.path = prefix + entry.name;
        entry.modified = timeOf(found.ftLastWriteTime);
    } while (FindNextFileW(find.h, &found));
    return entries;
}

Result<std::string> Win32FileSystem::readStart(const std::string& path,
                                               std::size_t maxBytes) const {
    Handle in{CreateFileW(apiPath(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (in.h == INVALID_HANDLE_VALUE)
        return std::unexpected(lastFailure(path, Err::FileNotFound));
    // Only a file on a disk is read: a device name ("con", "aux") is no file of the disc.
    if (GetFileType(in.h) != FILE_TYPE_DISK)
        return fail(Err::FileNotFound);
    std::string bytes;
    char buffer[4096];
    while (bytes.size() < maxBytes) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, maxBytes - bytes.size()));
        if (!ReadFile(in.h, buffer, want, &n, nullptr))
            return std::unexpected(lastFailure(path, Err::FileNotFound));
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

Outcome Win32FileSystem::copyFile(const std::string& source, const std::string& destination,
                                  CopyProgress* progress) {
    Handle in{CreateFileW(apiPath(source).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (in.h == INVALID_HANDLE_VALUE)
        return std::unexpected(lastFailure(source, Err::FileNotFound));
    if (GetFileType(in.h) != FILE_TYPE_DISK)
        return fail(Err::FileNotFound);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(in.h, &info))
        return std::unexpected(lastFailure(source, Err::FileNotFound));

    std::wstring to = apiPath(destination);
    if (const DWORD a = GetFileAttributesW(to.c_str()); a != INVALID_FILE_ATTRIBUTES) {
        if (a & FILE_ATTRIBUTE_DIRECTORY)
            return fail(Err::PathFileAccess);
        // A read-only file is not replaced, as Windows' own copy refuses it.
        if (a & FILE_ATTRIBUTE_READONLY)
            return fail(Err::PermissionDenied);
        // A file replaced keeps its stored name, whatever the letter case asked for.
        WIN32_FIND_DATAW stored{};
        if (Find f{FindFirstFileW(to.c_str(), &stored)}; f.h != INVALID_HANDLE_VALUE)
            to = parentOf(to) + L"\\" + stored.cFileName;
    }

    // The new content goes into a file beside the destination and replaces it only when
    // complete: a copy that fails never destroys the file that was there.
    static std::atomic<unsigned> serial{0};
    Handle out;
    std::wstring temp;
    for (int attempt = 0; attempt < 100 && out.h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = parentOf(to) + L"\\~discmenu-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(serial++) + L".tmp";
        out.h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (out.h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return std::unexpected(lastFailure(destination, Err::PathNotFound));
    }
    if (out.h == INVALID_HANDLE_VALUE)
        return fail(Err::PathFileAccess);

    auto abandon = [&](const std::string& path, DWORD error) {
        out.close();
        DeleteFileW(temp.c_str());
        SetLastError(error);
        return std::unexpected(lastFailure(path, Err::PathNotFound));
    };
    const std::uint64_t total =
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    std::uint64_t done = 0;
    static thread_local char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(in.h, buffer, sizeof buffer, &n, nullptr))
            return abandon(source, GetLastError());
        if (n == 0)
            break;
        // A short write (a file system that ran out of room part way, as under Wine) is
        // carried on; one that takes nothing is a full disk, whatever the last error says.
        for (DWORD at = 0; at < n;) {
            DWORD written = 0;
            if (!WriteFile(out.h, buffer + at, n - at, &written, nullptr))
                return abandon(destination, GetLastError());
            if (written == 0)
                return abandon(destination, ERROR_DISK_FULL);
            at += written;
        }
        done += n;
        if (progress)
            progress->copied(done, total);
    }
    // The copy keeps the source's time, as Windows' own copy does.
    SetFileTime(out.h, nullptr, nullptr, &info.ftLastWriteTime);
    out.close();
    if (!MoveFileExW(temp.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        SetLastError(error);
        return std::unexpected(lastFailure(destination, Err::PathNotFound));
    }
    SetFileAttributesW(to.c_str(), info.dwFileAttributes & ~DWORD(FILE_ATTRIBUTE_TEMPORARY));
    return {};
}

Outcome Win32FileSystem::copyFolder(const std::string& source, const std::string& destination,
                                    CopyProgress* progress) {
    if (!folderExists(source))
        return fail(Err::PathNotFound);
    if (!CreateDirectoryW(apiPath(destination).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return std::unexpected(lastFailure(destination, Err::PathNotFound));
    auto folders = subfolders(source);
    auto plain = files(source);
    if (!folders)
        return std::unexpected(folders.error());
    if (!plain)
        return std::unexpected(plain.error());
    const std::string from = source.ends_with('\\') ? source : source + "\\";
    const std::string to = destination.ends_with('\\') ? destination : destination + "\\";
    // Every child is tried; the first failure is the folder's.
    Outcome result;
    for (const FolderEntry& f : *plain) {
        Outcome one = copyFile(from + f.name, to + f.name, progress);
        if (!one && result)
            result = one;
    }
    for (const FolderEntry& f : *folders) {
        Outcome one = copyFolder(from + f.name, to + f.name, progress);
        if (!one && result)
            result = one;
    }
    return result;
}

Outcome Win32FileSystem::makeFolder(const std::string& path) {
    if (CreateDirectoryW(apiPath(path).c_str(), nullptr))
        return {};
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return fail(Err::PathFileAccess);
    return std::unexpected(lastFailure(path, Err::PathNotFound));
}

std::vector<char> Win32FileSystem::drives() const {
    std::vector<char> letters;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        if ((mask & (1u << i)) || m_folders.contains(letter))
            letters.push_back(letter);
    }
    return letters;
}

} // namespace discmenu::win32

#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <string>

namespace discmenu::win32 {

// The machine's files through the wide-character Win32 API. The core's paths go to the
// API as they are (Windows accepts doubled backslashes, and "D:" as the drive's current
// folder); paths of 248 characters or more go in their long form ("\\?\"), so that deep
// folders work. A drive letter can be made to name a folder instead of a drive (a test's
// disc in a temporary folder); nothing else in the program does that.
class Win32FileSystem : public FileSystem {
public:
    // folders: drive letter (upper case) to a Windows folder path, in UTF-8.
    explicit Win32FileSystem(std::map<char, std::string> folders = {})
        : m_folders(std::move(folders)) {}

    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    Result<std::vector<FolderEntry>> subfolders(const std::string& folder) const override;
    Result<std::vector<FolderEntry>> files(const std::string& folder) const override;
    Result<std::string> readStart(const std::string& path, std::size_t maxBytes) const override;
    Outcome copyFile(const std::string& source, const std::string& destination,
                     CopyProgress* progress) override;
    Outcome copyFolder(const std::string& source, const std::string& destination,
                       CopyProgress* progress) override;
    Outcome makeFolder(const std::string& path) override;
    std::vector<char> drives() const override;

    // The path as the API is given it.
    std::wstring apiPath(const std::string& path) const;

private:
    enum class Kind { Files, Folders };
    Result<std::vector<FolderEntry>> list(const std::string& folder, Kind kind) const;
    // The failure for the last error of an operation on path: 68 for a drive the machine
    // does not have, the mapped code otherwise.
    Failure lastFailure(const std::string& path, Err missing) const;

    std::map<char, std::string> m_folders;
};

} // namespace discmenu::win32

#pragma once

#include "platform/CopyProgress.h"
#include "platform/Failure.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace discmenu {

// A file system's time stamp, to the second. Whole seconds reach every date Windows can
// hold (the years 1601 to 30827) where a clock's own nanoseconds end in 1677 and 2262.
using FileTime = std::chrono::sys_seconds;

struct FolderEntry {
    std::string name;  // without folder
    std::string path;  // full path, as the file system reports it
    FileTime modified; // given for folders
};

// The machine's files, seen the Windows way: paths with a drive letter and backslashes,
// built by plain concatenation (a doubled backslash names the same place; "D:" alone names
// the drive's current folder). Names compare without regard to letter case. Listings come
// in the folder's own order; putInListingOrder gives the discs' order where it matters.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Never fail: a missing folder or malformed path is simply "no".
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool folderExists(const std::string& path) const = 0;

    virtual Result<std::vector<FolderEntry>> subfolders(const std::string& folder) const = 0;
    virtual Result<std::vector<FolderEntry>> files(const std::string& folder) const = 0;

    // At most maxBytes bytes from the start of a file.
    virtual Result<std::string> readStart(const std::string& path, std::size_t maxBytes) const = 0;

    // Replaces an existing destination only once the new content is complete, so a copy
    // that fails never destroys the file that was there. progress, when given, hears of
    // each piece copied.
    virtual Outcome copyFile(const std::string& source, const std::string& destination,
                             CopyProgress* progress) = 0;
    // The folder with all its files and subfolders, replacing files that are there.
    virtual Outcome copyFolder(const std::string& source, const std::string& destination,
                               CopyProgress* progress) = 0;
    virtual Outcome makeFolder(const std::string& path) = 0;

    // The drive letters the machine has, in ascending order.
    virtual std::vector<char> drives() const = 0;
};

} // namespace discmenu

#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/PathResolver.h"

#include <set>
#include <sys/types.h>
#include <utility>

namespace discmenu::posix {

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(const PathResolver& paths) : m_paths(paths) {}

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
    std::vector<char> drives() const override { return m_paths.drives().letters(); }

private:
    enum class Kind { Files, Folders };
    Result<std::vector<FolderEntry>> list(const std::string& folder, Kind kind) const;
    Outcome copyHostFile(const std::string& from, const std::string& to, CopyProgress* progress);
    // seen: the folders (device and inode) entered so far, so that a link to a folder
    // already copied, or to an ancestor, is not followed into a loop.
    Outcome copyHostFolder(const std::string& from, const std::string& to, CopyProgress* progress,
                           std::set<std::pair<dev_t, ino_t>>& seen);

    const PathResolver& m_paths;
};

} // namespace discmenu::posix

#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/CopyBatch.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/SysCalls.h"

#include <set>
#include <sys/types.h>
#include <utility>

namespace discmenu::posix {

class PosixFileSystem : public FileSystem {
public:
    // Copies make their system calls through sys when it is given (a test's), through the
    // system's own otherwise.
    explicit PosixFileSystem(const PathResolver& paths, SysCalls* sys = nullptr)
        : m_paths(paths), m_sys(sys ? *sys : m_realSys) {}

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

    // copyFolder, telling file by file what was copied and what was not.
    Outcome copyFolderReporting(const std::string& source, const std::string& destination,
                                CopyProgress* progress, CopyReport& report);

private:
    enum class Kind { Files, Folders };
    Result<std::vector<FolderEntry>> list(const std::string& folder, Kind kind) const;
    // seen: the folders (device and inode) entered so far, so that a link to a folder
    // already copied, or to an ancestor, is not followed into a loop. root: the real path of
    // the folder asked for; links that lead out of it are not followed.
    void copyHostFolder(const std::string& from, const std::string& to, CopyBatch& batch,
                        std::set<std::pair<dev_t, ino_t>>& seen, const std::string& root);

    const PathResolver& m_paths;
    RealSysCalls m_realSys;
    SysCalls& m_sys;
};

} // namespace discmenu::posix

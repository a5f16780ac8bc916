#pragma once

#include "Rng.h"
#include "platform/FileSystem.h"
#include "platform/posix/PathResolver.h"

#include <filesystem>
#include <string>
#include <vector>

namespace discmenu::tools {

// The real file system, except that now and then an entry of the disc that a listing has
// just reported is removed before the program can open it, as on a disc pulled out or a
// network drive changed by someone else.
class VanishingFileSystem : public FileSystem {
public:
    VanishingFileSystem(FileSystem& real, const posix::PathResolver& paths, Rng& rng, int percent)
        : m_real(real), m_paths(paths), m_rng(rng), m_percent(percent) {}

    bool fileExists(const std::string& path) const override { return m_real.fileExists(path); }
    bool folderExists(const std::string& path) const override { return m_real.folderExists(path); }
    Result<std::vector<FolderEntry>> subfolders(const std::string& folder) const override {
        return vanishOne(m_real.subfolders(folder));
    }
    Result<std::vector<FolderEntry>> files(const std::string& folder) const override {
        return vanishOne(m_real.files(folder));
    }
    Result<std::string> readStart(const std::string& path, std::size_t maxBytes) const override {
        return m_real.readStart(path, maxBytes);
    }
    Outcome copyFile(const std::string& source, const std::string& destination,
                     CopyProgress* progress) override {
        return m_real.copyFile(source, destination, progress);
    }
    Outcome copyFolder(const std::string& source, const std::string& destination,
                       CopyProgress* progress) override {
        return m_real.copyFolder(source, destination, progress);
    }
    Outcome makeFolder(const std::string& path) override { return m_real.makeFolder(path); }
    std::vector<char> drives() const override { return m_real.drives(); }

    // Host paths of what was removed.
    const std::vector<std::filesystem::path>& vanished() const { return m_vanished; }

private:
    Result<std::vector<FolderEntry>> vanishOne(Result<std::vector<FolderEntry>> listed) const {
        if (!listed || listed->empty() || !m_rng.chance(m_percent))
            return listed;
        const FolderEntry& gone = (*listed)[m_rng.below(listed->size())];
        if (gone.path.empty() || (gone.path[0] != 'D' && gone.path[0] != 'd'))
            return listed; // only the disc changes under the program
        if (auto host = m_paths.toHost(gone.path)) {
            std::error_code ignored;
            std::filesystem::remove_all(*host, ignored);
            m_vanished.push_back(*host);
        }
        return listed;
    }

    FileSystem& m_real;
    const posix::PathResolver& m_paths;
    Rng& m_rng;
    int m_percent;
    mutable std::vector<std::filesystem::path> m_vanished;
};

} // namespace discmenu::tools

#include "check/HidingFileSystem.h"

namespace discmenu::check {

bool HidingFileSystem::fileExists(const std::string& path) const {
    const auto known = m_tree ? m_tree->exists(path, false) : std::nullopt;
    return known ? *known : m_inner.fileExists(path);
}

bool HidingFileSystem::folderExists(const std::string& path) const {
    const auto known = m_tree ? m_tree->exists(path, true) : std::nullopt;
    return known ? *known : m_inner.folderExists(path);
}

Result<std::vector<FolderEntry>> HidingFileSystem::subfolders(const std::string& folder) const {
    auto listed = m_subfolders.find(folder);
    if (listed == m_subfolders.end())
        listed = m_subfolders.emplace(folder, m_inner.subfolders(folder)).first;
    return listed->second;
}

Result<std::vector<FolderEntry>> HidingFileSystem::files(const std::string& folder) const {
    auto listed = m_inner.files(folder);
    if (listed && !m_hidden.empty())
        std::erase_if(*listed, [&](const FolderEntry& f) { return m_hidden.contains(f.path); });
    return listed;
}

} // namespace discmenu::check

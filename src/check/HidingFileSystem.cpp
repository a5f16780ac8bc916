#include "check/HidingFileSystem.h"

#include <algorithm>

namespace discmenu::check {

Result<std::vector<FolderEntry>> HidingFileSystem::files(const std::string& folder) const {
    auto listed = m_inner.files(folder);
    if (listed && !m_hidden.empty())
        std::erase_if(*listed, [&](const FolderEntry& f) { return m_hidden.contains(f.path); });
    return listed;
}

} // namespace discmenu::check

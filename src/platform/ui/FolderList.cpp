#include "platform/ui/FolderList.h"

#include "platform/FileSystem.h"
#include "platform/Listing.h"
#include "platform/WindowsPath.h"
#include "platform/ui/Form.h"

namespace discmenu::ui {

Outcome FolderList::setPath(const std::string& folder) {
    if (!winpath::hasDrive(folder))
        return fail(Err::PathNotFound);
    const std::string target = winpath::normalised(folder);
    auto subfolders = m_fs.subfolders(target);
    if (!subfolders)
        return std::unexpected(subfolders.error());
    putInListingOrder(*subfolders);

    m_items.clear();
    std::string path = target.substr(0, 3);
    m_items.push_back({path, path, 0, true});
    int depth = 0;
    for (const std::string& name : winpath::names(target)) {
        path += (path.size() == 3 ? "" : "\\") + name;
        m_items.push_back({name, path, ++depth, true});
    }
    m_current = static_cast<int>(m_items.size()) - 1;
    for (const FolderEntry& sub : *subfolders)
        m_items.push_back(
            {sub.name, (target.size() == 3 ? target : target + "\\") + sub.name, depth + 1, false});

    const bool moved = target != m_path;
    m_path = target;
    if (moved && form())
        form()->raise(UiEvent::of(EventKind::Change, name(), index()));
    return {};
}

void FolderList::userOpen(int row) {
    if (row >= 0 && row < static_cast<int>(m_items.size()))
        goOnPastFailure(setPath(m_items[static_cast<std::size_t>(row)].path));
}

} // namespace discmenu::ui

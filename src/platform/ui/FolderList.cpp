#include "platform/ui/FolderList.h"

#include "platform/FileSystem.h"
#include "platform/Listing.h"
#include "platform/ui/Form.h"

#include <cctype>

namespace discmenu::ui {

namespace {

bool hasDrive(const std::string& p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

std::vector<std::string> namesAfterDrive(const std::string& p) {
    std::vector<std::string> names;
    std::string current;
    for (std::size_t i = 2; i < p.size(); ++i) {
        if (p[i] == '\\' || p[i] == '/') {
            if (!current.empty())
                names.push_back(current);
            current.clear();
        } else {
            current += p[i];
        }
    }
    if (!current.empty())
        names.push_back(current);
    return names;
}

} // namespace

std::string FolderList::normalised(const std::string& folder) {
    if (!hasDrive(folder))
        return folder;
    std::string out{static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0]))), ':',
                    '\\'};
    bool first = true;
    for (const std::string& name : namesAfterDrive(folder)) {
        if (!first)
            out += '\\';
        out += name;
        first = false;
    }
    return out;
}

Outcome FolderList::setPath(const std::string& folder) {
    if (!hasDrive(folder))
        return fail(err::PathNotFound, "Path not found");
    const std::string target = normalised(folder);
    auto subfolders = m_fs.subfolders(target);
    if (!subfolders)
        return std::unexpected(subfolders.error());
    putInListingOrder(*subfolders);

    m_items.clear();
    std::string path = target.substr(0, 3);
    m_items.push_back({path, path, 0, true});
    int depth = 0;
    for (const std::string& name : namesAfterDrive(target)) {
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

#pragma once

#include "platform/Failure.h"
#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace discmenu {
class FileSystem;
}

namespace discmenu::ui {

// One row of a folder list: the drive root and each folder down to the current one
// (open), then the current folder's subfolders.
struct FolderItem {
    std::string name;
    std::string path;
    int depth = 0;
    bool open = false;
    bool operator==(const FolderItem&) const = default;
};

// The folder tree of the current folder. Its path is the current folder's full path,
// without a trailing backslash except at a drive root. Moving it checks the folder first:
// 68 when the drive is not available, 76 when the folder does not exist; it then stays
// where it was. A move to another folder raises the list's Change.
class FolderList : public Control {
public:
    FolderList(std::string name, const FileSystem& fs)
        : Control(ControlKind::FolderList, std::move(name)), m_fs(fs) {}

    const std::string& path() const { return m_path; }
    Outcome setPath(const std::string& folder);

    const std::vector<FolderItem>& items() const { return m_items; }
    // The row of the current folder; -1 before the list has a folder.
    int listIndex() const { return m_current; }

    // The user opened a row (a double-click): the list moves there.
    void userOpen(int row);

private:
    const FileSystem& m_fs;
    std::string m_path;
    std::vector<FolderItem> m_items;
    int m_current = -1;
};

} // namespace discmenu::ui

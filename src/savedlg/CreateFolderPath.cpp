#include "app/ModMain.h"

namespace discmenu {

bool ModMain::CreateFolderPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    const std::string parent = last == std::string::npos ? std::string() : path.substr(0, last);
    if (parent.empty())
        return false;
    // One level of recursion per missing folder.
    if (!fs().folderExists(parent + "\\") && !CreateFolderPath(parent))
        return false;
    return fs().makeFolder(path).has_value();
}

} // namespace discmenu

#include "app/ModMain.h"
#include "platform/Text.h"

#include <vector>

namespace discmenu {

namespace {
// No machine the program runs on names a folder by a longer path (Windows' own limit).
constexpr std::size_t longestPath = 32767;
} // namespace

// Each missing folder from the deepest one that exists down to path is made in turn; the
// first that cannot be made ends it. A loop rather than one call per name, so that a typed
// path of many names costs neither stack nor a copy of the path per name.
bool ModMain::CreateFolderPath(const std::string& path) {
    if (text::length(path) > longestPath)
        return false;
    std::vector<std::size_t> missing = {path.size()}; // ends of the folders to make
    for (;;) {
        const std::size_t last = path.rfind('\\', missing.back() - 1);
        if (missing.back() == 0 || last == std::string::npos || last == 0)
            return false; // no parent to make it in
        if (fs().folderExists(path.substr(0, last) + "\\"))
            break;
        missing.push_back(last);
    }
    for (auto end = missing.rbegin(); end != missing.rend(); ++end) {
        if (!fs().makeFolder(path.substr(0, *end)))
            return false;
    }
    return true;
}

} // namespace discmenu

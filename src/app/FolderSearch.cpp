#include "app/ModMain.h"
#include "platform/Text.h"

namespace discmenu {

Result<std::string> ModMain::FindFileByPrefix(const std::string& prefix,
                                              const std::string& extension,
                                              const std::string& subfolder) {
    auto files = fs().files(CDPath + subfolder);
    if (!files)
        return std::unexpected(files.error());
    const std::size_t n = text::length(prefix);
    const std::string wantedPrefix = text::lower(prefix);
    const std::string wantedExtension = text::lower(extension);
    std::string found;
    for (const FolderEntry& f : *files) {
        if (text::lower(text::left(f.name, n)) != wantedPrefix)
            continue;
        if (text::lower(text::right(f.name, 3)) == wantedExtension)
            found = f.path; // the last match in listing order wins
    }
    return found;
}

Result<bool> ModMain::FolderContainsName(const std::string& needle) {
    auto files = fs().files(CDPath);
    if (!files)
        return std::unexpected(files.error());
    for (const FolderEntry& f : *files) {
        if (text::lower(f.name).find(needle) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace discmenu

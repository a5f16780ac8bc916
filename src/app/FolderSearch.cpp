#include "app/ModMain.h"
#include "platform/Listing.h"
#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {

// Whether the first n characters of name (all of it when shorter), lowered, are wanted.
bool headIs(std::string_view name, std::size_t n, std::string_view wanted) {
    if (!text::isAscii(name))
        return text::lower(text::left(name, n)) == wanted;
    return std::ranges::equal(name.substr(0, n), wanted, {}, text::lowerAscii);
}

// Whether the last n characters of name (all of it when shorter), lowered, are wanted.
bool tailIs(std::string_view name, std::size_t n, std::string_view wanted) {
    if (!text::isAscii(name))
        return text::lower(text::right(name, n)) == wanted;
    return std::ranges::equal(name.substr(name.size() > n ? name.size() - n : 0), wanted, {},
                              text::lowerAscii);
}

} // namespace

Result<std::string> ModMain::FindFileByPrefix(const std::string& prefix,
                                              const std::string& extension,
                                              const std::string& subfolder) {
    lastPrefixSearch = PrefixSearch{prefix, extension, subfolder};
    auto files = fs().files(CDPath + subfolder);
    if (!files)
        return std::unexpected(files.error());
    const std::size_t n = text::length(prefix);
    const std::string wantedPrefix = text::lower(prefix);
    const std::string wantedExtension = text::lower(extension);
    const FolderEntry* found = nullptr;
    for (const FolderEntry& f : *files) {
        if (!headIs(f.name, n, wantedPrefix) || !tailIs(f.name, 3, wantedExtension))
            continue;
        // The last match in listing order wins.
        if (!found || listedBefore(found->name, f.name))
            found = &f;
    }
    return found ? found->path : std::string();
}

Result<bool> ModMain::FolderContainsName(const std::string& needle) {
    auto files = fs().files(CDPath);
    if (!files)
        return std::unexpected(files.error());
    // In any order: the answer is the same.
    return std::ranges::any_of(
        *files, [&](const FolderEntry& f) { return text::lowerContains(f.name, needle); });
}

} // namespace discmenu

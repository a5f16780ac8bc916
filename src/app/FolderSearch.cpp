#include "app/ModMain.h"
#include "platform/Listing.h"
#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool loweredEquals(std::string_view part, std::string_view wanted) {
    return part.size() == wanted.size() &&
           std::equal(part.begin(), part.end(), wanted.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

// Whether the first n characters of name (all of it when shorter), lowered, are wanted.
bool headIs(std::string_view name, std::size_t n, std::string_view wanted) {
    if (!text::isAscii(name))
        return text::lower(text::left(name, n)) == wanted;
    return loweredEquals(name.substr(0, n), wanted);
}

// Whether the last n characters of name (all of it when shorter), lowered, are wanted.
bool tailIs(std::string_view name, std::size_t n, std::string_view wanted) {
    if (!text::isAscii(name))
        return text::lower(text::right(name, n)) == wanted;
    return loweredEquals(name.substr(name.size() > n ? name.size() - n : 0), wanted);
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
    for (const FolderEntry& f : *files) {
        if (text::lowerContains(f.name, needle))
            return true; // in any order: the answer is the same
    }
    return false;
}

} // namespace discmenu

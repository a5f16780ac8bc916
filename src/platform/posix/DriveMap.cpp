#include "platform/posix/DriveMap.h"

#include "platform/posix/PathResolver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>

namespace discmenu::posix {

namespace {

std::string withoutTrailingSlash(std::string p) {
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

bool isFolder(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

DriveMap DriveMap::standard() {
    DriveMap map;
    if (const char* home = std::getenv("HOME"); home && *home == '/' && isFolder(home))
        map.add('C', home);
    map.add('Z', "/");
    return map;
}

void DriveMap::add(char letter, std::string hostRoot) {
    m_roots[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
        withoutTrailingSlash(std::move(hostRoot));
}

std::vector<char> DriveMap::letters() const {
    std::vector<char> out;
    for (const auto& [letter, root] : m_roots)
        out.push_back(letter);
    return out;
}

std::optional<std::string> DriveMap::rootOf(char letter) const {
    auto it = m_roots.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    if (it == m_roots.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> DriveMap::toWindows(const std::string& hostPath) const {
    const std::string path = withoutTrailingSlash(hostPath);
    const std::pair<const char, std::string>* best = nullptr;
    for (const auto& entry : m_roots) {
        const std::string& root = entry.second;
        const bool holds =
            root == "/" || path == root || (path.starts_with(root) && path[root.size()] == '/');
        if (holds && (!best || root.size() > best->second.size()))
            best = &entry;
    }
    if (!best)
        return std::nullopt;
    std::string rest = best->second == "/" ? path.substr(1) : path.substr(best->second.size());
    if (!rest.empty() && rest.front() == '/')
        rest.erase(0, 1);
    std::string win{best->first, ':', '\\'};
    for (std::size_t at = 0; at < rest.size();) {
        const std::size_t slash = std::min(rest.find('/', at), rest.size());
        if (at > 0)
            win += '\\';
        win += shownName(std::string_view(rest).substr(at, slash - at));
        at = slash + 1;
    }
    return win;
}

} // namespace discmenu::posix

#include "platform/posix/PathResolver.h"

#include "platform/Text.h"
#include "platform/WindowsPath.h"

#include <algorithm>
#include <climits>
#include <dirent.h>
#include <sys/stat.h>

namespace discmenu::posix {

namespace {

bool exists(const std::string& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0;
}

// The name as stored in folder, matched without regard to case; empty when none matches.
// Names compare as the program is shown them, so that a stored name that holds U+F05C
// itself (beside or instead of a backslash) is still found by the name it was listed as.
std::string findName(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    const std::string wanted = winpath::nameKey(shownName(name));
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (winpath::nameKey(shownName(e->d_name)) == wanted) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

constexpr std::string_view privateBackslash = "\uF05C";

} // namespace

std::string hostJoin(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string childPath(const std::string& hostFolder, const std::string& name) {
    std::string path = hostJoin(hostFolder, name);
    if (!exists(path)) {
        if (std::string stored = findName(hostFolder, name); !stored.empty())
            path = hostJoin(hostFolder, stored);
    }
    return path;
}

std::string shownName(std::string_view hostName) {
    return text::replaceAll(hostName, "\\", privateBackslash);
}

std::string hostName(std::string_view shownName) {
    return text::replaceAll(shownName, privateBackslash, "\\");
}

Result<std::string> PathResolver::toHost(const std::string& windowsPath) const {
    if (!winpath::hasDrive(windowsPath))
        return fail(Err::PathNotFound);
    auto root = m_drives.rootOf(windowsPath[0]);
    if (!root)
        return fail(Err::DriveUnavailable);
    // The machine names nothing by a longer path; refusing one at once keeps a pasted
    // monster from costing the walk below the square of its length.
    if (windowsPath.size() > PATH_MAX)
        return fail(Err::PathNotFound);
    std::vector<std::string> names = winpath::names(windowsPath);
    for (std::string& name : names)
        name = hostName(name);
    // A path that exists exactly as written costs one lookup; only a miss walks it name
    // by name.
    if (std::find(names.begin(), names.end(), "..") == names.end()) {
        std::string literal = *root;
        for (const std::string& name : names) {
            if (name != ".")
                literal = hostJoin(literal, name);
        }
        if (exists(literal))
            return literal;
        // A name to be made in a folder that exists as written: one more lookup, not a
        // walk of every name (which made a deep path cost the cube of its depth).
        const std::size_t slash = literal.rfind('/');
        if (!names.empty() && names.back() != "." && slash != std::string::npos && slash > 0 &&
            exists(literal.substr(0, slash)))
            return childPath(literal.substr(0, slash), names.back());
    }
    // Each name is looked up in the folder before it; below a name that is missing nothing
    // is, and the rest is appended in place, so that a long path costs its length once.
    std::string host = *root;
    std::vector<std::size_t> trail; // for "..": the lengths of the folders walked into
    bool found = true;
    for (const std::string& name : names) {
        if (name == ".")
            continue;
        if (name == "..") {
            if (!trail.empty()) {
                host.resize(trail.back());
                trail.pop_back();
                found = exists(host);
            }
            continue;
        }
        trail.push_back(host.size());
        if (found) {
            host = childPath(host, name); // the folder's path and the name found in it
            found = exists(host);
        } else {
            if (host != "/")
                host += '/';
            host += name;
        }
    }
    return host;
}

} // namespace discmenu::posix

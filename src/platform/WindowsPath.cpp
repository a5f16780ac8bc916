#include "platform/WindowsPath.h"

#include "platform/Text.h"

#include <cctype>

namespace discmenu::winpath {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

bool hasDrive(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

char driveOf(std::string_view path) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

bool isDriveRoot(std::string_view path) {
    return hasDrive(path) && (path.size() == 2 || (path.size() == 3 && path[2] == '\\'));
}

std::vector<std::string> names(std::string_view path) {
    std::vector<std::string> out;
    std::size_t start = hasDrive(path) ? 2 : 0;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i]))
            continue;
        if (i > start)
            out.emplace_back(path.substr(start, i - start));
        start = i + 1;
    }
    return out;
}

std::string normalised(std::string_view path) {
    if (!hasDrive(path))
        return std::string(path);
    std::string out{driveOf(path), ':', '\\'};
    for (const std::string& name : names(path)) {
        if (out.size() > 3)
            out += '\\';
        out += name;
    }
    return out;
}

std::string lastName(std::string_view path) {
    const std::vector<std::string> all = names(path);
    return all.empty() ? std::string() : all.back();
}

std::string nameKey(std::string_view name) {
    return text::upper(name);
}

} // namespace discmenu::winpath

#include "check/TreeIndex.h"

#include "platform/Text.h"
#include "platform/WindowsPath.h"

#include <algorithm>
#include <array>

namespace discmenu::check {

void TreeIndex::add(const std::string& relative, const std::vector<TreeEntry>& entries) {
    // The names in the order of their lower-case forms, each name's equals in the folder's
    // own order (a stable sort), so the first of equals is the one met first.
    m_lowered.clear();
    m_order.clear();
    for (const TreeEntry& e : entries) {
        m_lowered.push_back(text::lower(e.name));
        m_order.push_back(m_order.size());
    }
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](std::size_t a, std::size_t b) { return m_lowered[a] < m_lowered[b]; });
    // Folders whose paths differ only in case share their lower-case path: their names
    // are met under it together.
    Folder& folder = m_folders[text::lower(relative)];
    const bool shared = !folder.names.empty();
    folder.names.reserve(folder.names.size() + entries.size());
    m_firstEqual.resize(entries.size());
    for (std::size_t k = 0; k < m_order.size(); ++k) {
        const std::size_t i = m_order[k];
        const bool same = k > 0 && folder.names.back().lowered == m_lowered[i];
        m_firstEqual[i] = same ? m_firstEqual[m_order[k - 1]] : i;
        const TreeEntry& e = entries[i];
        // The machine matches a plain name to any name whose capitals are the same.
        if (!text::isAscii(e.name) && text::isAscii(text::upper(e.name)))
            folder.plain = false;
        Name& name = folder.names.emplace_back();
        name.lowered = std::move(m_lowered[i]);
        name.kind = e.folder ? Kind::Folder : e.other ? Kind::Other : Kind::File;
        name.clash = same;
        if (same)
            folder.names[folder.names.size() - 2].clash = true;
    }
    if (shared) {
        std::stable_sort(folder.names.begin(), folder.names.end(),
                         [](const Name& a, const Name& b) { return a.lowered < b.lowered; });
        for (std::size_t k = 1; k < folder.names.size(); ++k) {
            if (folder.names[k].lowered == folder.names[k - 1].lowered)
                folder.names[k].clash = folder.names[k - 1].clash = true;
        }
    }
    if (relative.empty()) {
        for (const TreeEntry& e : entries) {
            if (e.folder)
                m_rootFolders.push_back(e.name);
        }
    }
}

const TreeIndex::Name* TreeIndex::Folder::find(std::string_view lowered) const {
    auto at = std::lower_bound(names.begin(), names.end(), lowered,
                               [](const Name& n, std::string_view s) { return n.lowered < s; });
    return at != names.end() && at->lowered == lowered ? &*at : nullptr;
}

bool TreeIndex::holds(std::string_view relative) const {
    // A name with a backslash in it makes the path's split into folder and name uncertain:
    // every split is tried.
    for (std::size_t at = relative.size(); at-- > 0;) {
        if (relative[at] != '\\')
            continue;
        auto folder = m_folders.find(relative.substr(0, at));
        if (folder != m_folders.end() && folder->second.find(relative.substr(at + 1)))
            return true;
    }
    auto root = m_folders.find(std::string_view());
    return root != m_folders.end() && root->second.find(relative);
}

std::optional<bool> TreeIndex::met(const std::string& path) const {
    if (!winpath::hasDrive(path) || !winpath::hasDrive(m_root) ||
        winpath::driveOf(path) != winpath::driveOf(m_root))
        return std::nullopt;
    std::string relative;
    for (const std::string& name : winpath::names(path)) {
        if (name == ".")
            continue;
        if (!relative.empty())
            relative += '\\';
        relative += text::lower(name);
    }
    if (relative.find("..") != std::string::npos)
        return std::nullopt; // left to the file system
    return relative.empty() || holds(relative);
}

std::optional<bool> TreeIndex::exists(const std::string& path, bool folder) const {
    // Far shorter than any path the machine refuses, whatever folder holds the disc.
    constexpr std::size_t longest = 256;
    if (path.size() < 2 || path.size() > longest || m_root.size() < 2 || path[1] != ':' ||
        m_root[1] != ':' || text::lowerAscii(path[0]) != text::lowerAscii(m_root[0]))
        return std::nullopt;
    // The lower-case path below the root, its names joined by single backslashes, "." left
    // out: the form the walk keeps its folders by.
    std::array<char, longest> buffer;
    std::size_t length = 0;
    std::size_t start = 0; // of the name being copied
    auto endName = [&] {
        const std::string_view name(buffer.data() + start, length - start);
        if (name == "..")
            return false; // a name below ".." may be reached through a name that is not there
        if (name.empty() || name == ".")
            length = start;
        else
            buffer[length++] = '\\';
        start = length;
        return true;
    };
    for (char c : std::string_view(path).substr(2)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '/')
            return std::nullopt;
        if (c != '\\')
            buffer[length++] = text::lowerAscii(c);
        else if (!endName())
            return std::nullopt;
    }
    if (!endName())
        return std::nullopt;
    const std::string_view relative(buffer.data(), length == 0 ? 0 : length - 1);

    auto in = m_folders.find(std::string_view());
    if (in == m_folders.end())
        return std::nullopt; // not walked
    if (relative.empty())
        return folder; // the root
    for (std::size_t from = 0;;) {
        const std::size_t to = std::min(relative.find('\\', from), relative.size());
        if (!in->second.plain)
            return std::nullopt;
        const Name* name = in->second.find(relative.substr(from, to - from));
        if (!name)
            return false; // nothing of that name, nor anything below it
        if (name->clash || name->kind == Kind::Other)
            return std::nullopt;
        if (to == relative.size()) {
            if (name->kind == Kind::File || !folder)
                return folder == (name->kind == Kind::Folder);
            // A folder that could not be read might not be reached by its path either.
            if (!m_folders.contains(relative))
                return std::nullopt;
            return true;
        }
        if (name->kind != Kind::Folder)
            return std::nullopt;
        in = m_folders.find(relative.substr(0, to));
        if (in == m_folders.end())
            return std::nullopt;
        from = to + 1;
    }
}

} // namespace discmenu::check

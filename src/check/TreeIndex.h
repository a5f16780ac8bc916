#pragma once

#include "check/DiscTree.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace discmenu::check {

// The disc's walked tree, kept to answer the menu's questions about it without asking the
// machine name by name: names are found as the disc finds them, without regard to case,
// doubled separators naming the same place.
class TreeIndex {
public:
    explicit TreeIndex(std::string root) : m_root(std::move(root)) {}

    // One folder and its entries, in the folder's own order.
    void add(const std::string& relative, const std::vector<TreeEntry>& entries);
    // For each entry of the folder added last, the first entry of it whose name differs only
    // in case (itself where there is none).
    const std::vector<std::size_t>& firstEqual() const { return m_firstEqual; }

    // Whether the walk met this path (a Windows path on the disc's drive). Nothing when the
    // path lies outside the disc.
    std::optional<bool> met(const std::string& path) const;
    // Whether the path names a regular file of the disc (folder: a folder of it), told from
    // the walk as the machine's file system tells it, each name found without regard to
    // case. Nothing where the walk cannot tell it for certain: a path outside the disc or
    // through a link, a folder that was not read, names that differ only in case, and any
    // path but plain ASCII (the machine folds the case of other letters in more ways than
    // one, and would match a plain name to any name whose capitals are the same).
    std::optional<bool> exists(const std::string& path, bool folder) const;
    // The names of the root's folders, in the root's own order.
    const std::vector<std::string>& rootFolders() const { return m_rootFolders; }

private:
    enum class Kind : unsigned char { Folder, File, Other };
    struct Name {
        std::string lowered;
        Kind kind = Kind::Other;
        bool clash = false; // another name of its folder differs from it only in case
    };
    struct Folder {
        std::vector<Name> names; // in the order of their lower-case names
        bool plain = true;       // no name but a plain ASCII one has plain ASCII capitals
        const Name* find(std::string_view lowered) const;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    // Whether the walk met a name at this lower-case path below the root.
    bool holds(std::string_view relative) const;

    std::string m_root;
    std::vector<std::string> m_rootFolders;
    // Every folder read, by its lower-case path below the root.
    std::unordered_map<std::string, Folder, Hash, std::equal_to<>> m_folders;
    // Reused from folder to folder: the lower-case names and their order.
    std::vector<std::string> m_lowered;
    std::vector<std::size_t> m_order;
    std::vector<std::size_t> m_firstEqual;
};

} // namespace discmenu::check

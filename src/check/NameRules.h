#pragma once

#include "check/DiscReport.h"
#include "check/DiscTree.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace discmenu::check {

// The longest name Joliet keeps, in UTF-16 units.
inline constexpr std::size_t jolietNameLimit = 64;
// What a CD (80 minutes) and a single-layer DVD hold.
inline constexpr std::uint64_t cdBytes = 700ull * 1024 * 1024;
inline constexpr std::uint64_t dvdBytes = 4'700'000'000ull;

// Walks the disc's tree once: counts its folders, files and bytes, and notes every name
// that will not survive the disc format or Windows: longer than Joliet keeps, holding a
// character Windows forbids, or differing from another name of its folder only in case.
class NameRules : public TreeVisitor {
public:
    NameRules(DiscReport& report, std::string root) : m_report(report), m_root(std::move(root)) {}

    void visit(const std::string& relative, const std::vector<TreeEntry>& entries) override;
    void unreadable(const std::string& relative, const Failure& failure) override;
    // Adds the names' problems and the size problems to the report, once the walk is done.
    void finish();
    // Whether the walk met this path (a Windows path on the disc's drive), compared as the
    // disc compares names: without regard to case, doubled separators naming the same place.
    // Nothing when the path lies outside the disc.
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

    std::string pathOf(const std::string& relative, const std::string& name) const;
    // Whether the walk met a name at this lower-case path below the root.
    bool holds(std::string_view relative) const;

    DiscReport& m_report;
    std::string m_root;
    std::vector<Problem> m_found;
    std::vector<std::string> m_rootFolders;
    // Every folder read, by its lower-case path below the root.
    std::unordered_map<std::string, Folder, Hash, std::equal_to<>> m_folders;
    // Reused from folder to folder: the lower-case names and their order.
    std::vector<std::string> m_lowered;
    std::vector<std::size_t> m_order;
    std::vector<std::size_t> m_firstEqual;
};

// The number of UTF-16 units a UTF-8 name takes.
std::size_t utf16Length(const std::string& name);
// The first character Windows does not allow in a name, or a trailing blank or dot;
// empty when the name is fine.
std::string forbiddenPart(const std::string& name);

} // namespace discmenu::check

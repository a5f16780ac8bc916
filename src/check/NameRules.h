#pragma once

#include "check/DiscReport.h"
#include "check/DiscTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

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
    // The names of the root's folders, in the root's own order.
    const std::vector<std::string>& rootFolders() const { return m_rootFolders; }

private:
    std::string pathOf(const std::string& relative, const std::string& name) const;

    DiscReport& m_report;
    std::string m_root;
    std::vector<Problem> m_found;
    std::vector<std::string> m_rootFolders;
    std::unordered_set<std::string> m_met; // lower-case paths below the root
};

// The number of UTF-16 units a UTF-8 name takes.
std::size_t utf16Length(const std::string& name);
// The first character Windows does not allow in a name, or a trailing blank or dot;
// empty when the name is fine.
std::string forbiddenPart(const std::string& name);

} // namespace discmenu::check

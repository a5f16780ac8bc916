#pragma once

#include "check/DiscReport.h"
#include "check/DiscTree.h"
#include "check/TreeIndex.h"

#include <cstdint>
#include <string>
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
// The tree it met is kept in its index.
class NameRules : public TreeVisitor {
public:
    NameRules(DiscReport& report, std::string root)
        : m_report(report), m_index(root), m_root(root) {}

    void visit(const std::string& relative, const std::vector<TreeEntry>& entries) override;
    void unreadable(const std::string& relative, const Failure& failure) override;
    // Adds the names' problems and the size problems to the report, once the walk is done.
    void finish();
    const TreeIndex& index() const { return m_index; }

private:
    std::string pathOf(const std::string& relative, const std::string& name) const;

    DiscReport& m_report;
    TreeIndex m_index;
    std::string m_root;
    std::vector<Problem> m_found;
};

// The number of UTF-16 units a UTF-8 name takes.
std::size_t utf16Length(const std::string& name);
// The first character Windows does not allow in a name, or a trailing blank or dot;
// empty when the name is fine.
std::string forbiddenPart(const std::string& name);

} // namespace discmenu::check

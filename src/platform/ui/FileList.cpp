#include "platform/ui/FileList.h"

#include "platform/FileSystem.h"
#include "platform/Listing.h"
#include "platform/Text.h"
#include "platform/ui/Form.h"

namespace discmenu::ui {

namespace {

// Characters, not bytes, so that "?" stands for one character of any script.
std::vector<std::string> characters(const std::string& s) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i <= text::length(s); ++i)
        out.push_back(text::mid(s, i, 1));
    return out;
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    const auto n = characters(text::upper(name));
    const auto p = characters(text::upper(pattern));
    // A "*" of the pattern is always a wildcard, whatever the name holds at that point.
    // On a mismatch the last "*" takes one character more and matching resumes after it;
    // an earlier "*" never needs to, so this finds a match whenever there is one.
    std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
    while (i < n.size()) {
        if (j < p.size() && p[j] == "*") {
            star = j++;
            mark = i;
        } else if (j < p.size() && (p[j] == "?" || p[j] == n[i])) {
            ++i;
            ++j;
        } else if (star != std::string::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == "*")
        ++j;
    return j == p.size();
}

std::string FileList::list(int i) const {
    return i >= 0 && i < listCount() ? m_names[static_cast<std::size_t>(i)] : std::string();
}

bool FileList::selected(int i) const {
    return i >= 0 && i < listCount() && m_selected[static_cast<std::size_t>(i)];
}

Outcome FileList::setPath(const std::string& folder) {
    m_path = folder;
    return refresh();
}

Outcome FileList::setPattern(const std::string& pattern) {
    m_pattern = pattern;
    return refresh();
}

Outcome FileList::refresh() {
    m_names.clear();
    m_selected.clear();
    m_current = -1;
    if (m_path.empty())
        return {};
    auto files = m_fs.files(m_path);
    if (!files)
        return std::unexpected(files.error());
    putInListingOrder(*files);
    for (const FolderEntry& f : *files) {
        if (matchesPattern(f.name, m_pattern))
            m_names.push_back(f.name);
    }
    m_selected.assign(m_names.size(), false);
    return {};
}

void FileList::userSetSelected(int i, bool on) {
    if (i >= 0 && i < listCount())
        m_selected[static_cast<std::size_t>(i)] = on;
}

void FileList::userSetCurrent(int i) {
    if (i >= -1 && i < listCount())
        m_current = i;
}

} // namespace discmenu::ui

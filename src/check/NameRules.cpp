#include "check/NameRules.h"

namespace discmenu::check {

std::size_t utf16Length(const std::string& name) {
    std::size_t units = 0;
    for (unsigned char c : name) {
        if ((c & 0xC0) != 0x80)
            ++units; // the first byte of a character
        if (c >= 0xF0)
            ++units; // beyond the basic plane: a surrogate pair
    }
    return units;
}

std::string forbiddenPart(const std::string& name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            return "a control character";
        if (std::string_view("<>:\"/\\|?*").contains(c))
            return std::string("\"") + c + "\"";
    }
    if (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        return name.back() == ' ' ? "a blank at its end" : "a dot at its end";
    return {};
}

std::string NameRules::pathOf(const std::string& relative, const std::string& name) const {
    return m_root + (relative.empty() ? "" : relative + "\\") + name;
}

void NameRules::visit(const std::string& relative, const std::vector<TreeEntry>& entries) {
    m_index.add(relative, entries);
    const std::vector<std::size_t>& firstEqual = m_index.firstEqual();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TreeEntry& e = entries[i];
        if (e.folder) {
            ++m_report.folders;
        } else {
            ++m_report.files;
            m_report.bytes += e.bytes;
        }
        const auto note = [&](const char* kind, std::string reason) {
            m_found.push_back({kind, std::move(reason), pathOf(relative, e.name)});
        };
        if (const std::size_t units = utf16Length(e.name); units > jolietNameLimit)
            note("name-too-long", std::to_string(units) + " characters; the disc format keeps " +
                                      std::to_string(jolietNameLimit));
        if (const std::string part = forbiddenPart(e.name); !part.empty())
            note("name-forbidden", "the name holds " + part + ", which Windows does not allow");
        // An earlier name of this folder with the same lower-case form.
        if (firstEqual[i] != i)
            note("name-case-clash", "differs from \"" + entries[firstEqual[i]].name +
                                        "\" only in letter case; Windows keeps one of them");
    }
}

void NameRules::unreadable(const std::string& relative, const Failure& failure) {
    m_found.push_back(
        {"unreadable-folder", "cannot be read: " + failure.description, pathOf(relative, "")});
}

void NameRules::finish() {
    const double mb = static_cast<double>(m_report.bytes) / (1024.0 * 1024.0);
    const std::string size = std::to_string(static_cast<long long>(mb + 0.5)) + " MB";
    if (m_report.bytes > dvdBytes)
        m_found.push_back(
            {"too-large", size + ": more than a single-layer DVD (4.7 GB) holds", m_root});
    else if (m_report.bytes > cdBytes)
        m_found.push_back(
            {"too-large", size + ": more than a CD (700 MB) holds; it needs a DVD", m_root});
    m_report.problems.insert(m_report.problems.end(), m_found.begin(), m_found.end());
    m_found.clear();
}

} // namespace discmenu::check

#include "platform/ui/ListBox.h"

#include "platform/Text.h"
#include "platform/ui/Form.h"

#include <algorithm>

namespace discmenu::ui {

namespace {
// A drawer is brought in line after every event and every letting-through of pending
// events, so it never lags by many insertions; older ones are dropped.
constexpr std::size_t journalKept = 64;
} // namespace

std::string ListBox::list(int i) const {
    if (i < 0 || i >= listCount())
        return {};
    return m_entries[static_cast<std::size_t>(i)];
}

void ListBox::addItem(const std::string& entry) {
    auto at = m_entries.end();
    if (m_sorted) {
        // Ascending text order without regard to case; an equal entry goes after its peers.
        const std::string key = text::upper(entry);
        at = std::upper_bound(
            m_entries.begin(), m_entries.end(), key,
            [](const std::string& k, const std::string& e) { return k < text::upper(e); });
    }
    const auto pos = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, entry);
    if (m_listIndex >= pos)
        ++m_listIndex;
    if (m_journal.size() == journalKept) {
        m_journal.erase(m_journal.begin(), m_journal.begin() + journalKept / 2);
        m_journalStart += journalKept / 2;
    }
    m_journal.push_back({pos, entry});
    ++m_revision;
}

void ListBox::clear() {
    m_entries.clear();
    m_listIndex = -1;
    m_journal.clear();
    m_journalStart = ++m_revision;
}

std::optional<std::span<const ListInsertion>> ListBox::insertionsSince(std::uint64_t since) const {
    if (since < m_journalStart || since > m_revision)
        return std::nullopt;
    return std::span<const ListInsertion>(m_journal).subspan(
        static_cast<std::size_t>(since - m_journalStart));
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= listCount() || i == m_listIndex)
        return;
    m_listIndex = i;
    if (form())
        form()->raise(UiEvent::of(EventKind::Click, name(), index()));
}

void ListBox::userSelect(int i) {
    if (i >= -1 && i < listCount())
        m_listIndex = i;
}

} // namespace discmenu::ui

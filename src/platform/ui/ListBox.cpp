#include "platform/ui/ListBox.h"

#include "platform/Text.h"
#include "platform/ui/Form.h"

#include <algorithm>

namespace discmenu::ui {

std::string ListBox::list(int i) const {
    if (i < 0 || i >= listCount())
        return {};
    return m_entries[static_cast<std::size_t>(i)];
}

void ListBox::addItem(const std::string& entry) {
    if (!m_sorted) {
        m_entries.push_back(entry);
        return;
    }
    // Ascending text order without regard to case; an equal entry goes after its peers.
    const std::string key = text::upper(entry);
    auto at = std::upper_bound(
        m_entries.begin(), m_entries.end(), key,
        [](const std::string& k, const std::string& e) { return k < text::upper(e); });
    auto pos = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, entry);
    if (m_listIndex >= pos)
        ++m_listIndex;
}

void ListBox::clear() {
    m_entries.clear();
    m_listIndex = -1;
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

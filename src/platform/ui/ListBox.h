#pragma once

#include "platform/ui/Control.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace discmenu::ui {

// One entry added to a list: where it went and its text.
struct ListInsertion {
    int at;
    std::string entry;
};

// A single-selection list of texts, optionally kept in ascending text order.
class ListBox : public Control {
public:
    explicit ListBox(std::string name, int index = -1)
        : Control(ControlKind::ListBox, std::move(name), index) {}

    bool sorted() const { return m_sorted; }
    void setSorted(bool s) { m_sorted = s; }

    const std::vector<std::string>& entries() const { return m_entries; }
    int listCount() const { return static_cast<int>(m_entries.size()); }
    // The entry's text; empty for an index outside the list.
    std::string list(int i) const;
    void addItem(const std::string& entry);
    // Removes every entry and the selection.
    void clear();

    // Counts every change of the entries, so that whoever draws the list can tell whether
    // it still shows them.
    std::uint64_t revision() const { return m_revision; }
    // The insertions since the entries stood at revision `since`, in order, so that a
    // drawer follows at the cost of what changed. Nothing when they are not all known
    // (the list was cleared since, or more was added than is kept): then the drawer takes
    // the whole list.
    std::optional<std::span<const ListInsertion>> insertionsSince(std::uint64_t since) const;

    // -1 when nothing is selected.
    int listIndex() const { return m_listIndex; }
    // The program's selection: raises the list's Click when the selection changes.
    void setListIndex(int i);
    // The user's selection, written by the toolkit adapter before it raises Click.
    void userSelect(int i);
    // The selected entry's text, empty without selection.
    std::string text() const { return list(m_listIndex); }

private:
    std::vector<std::string> m_entries;
    bool m_sorted = false;
    int m_listIndex = -1;
    std::uint64_t m_revision = 0;
    // The latest insertions; the first of them made revision m_journalStart + 1.
    std::vector<ListInsertion> m_journal;
    std::uint64_t m_journalStart = 0;
};

} // namespace discmenu::ui

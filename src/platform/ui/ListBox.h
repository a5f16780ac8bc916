#pragma once

#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace discmenu::ui {

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
};

} // namespace discmenu::ui

#pragma once

#include "platform/Failure.h"
#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace discmenu {
class FileSystem;
}

namespace discmenu::ui {

// The names of the ordinary files of one folder that match a wildcard pattern ("*" any
// run of characters, "?" one character, without regard to case), sorted by name. Several
// can be selected at once. Setting the folder or the pattern lists the folder afresh and
// clears the selection.
class FileList : public Control {
public:
    FileList(std::string name, const FileSystem& fs)
        : Control(ControlKind::FileList, std::move(name)), m_fs(fs) {}

    const std::string& path() const { return m_path; }
    const std::string& pattern() const { return m_pattern; }
    // Fails as the folder's listing fails; the list is then empty.
    Outcome setPath(const std::string& folder);
    Outcome setPattern(const std::string& pattern);

    int listCount() const { return static_cast<int>(m_names.size()); }
    // The entry's name, empty outside the list.
    std::string list(int i) const;
    bool selected(int i) const;
    // The current entry: the one last clicked or double-clicked; -1 for none.
    int listIndex() const { return m_current; }
    std::string fileName() const { return list(m_current); }
    const std::vector<std::string>& names() const { return m_names; }

    // Which entries are selected, one flag per entry.
    const std::vector<bool>& selection() const { return m_selected; }

    // The user's own edits, written by the adapter before it raises the list's events.
    void userSetSelected(int i, bool on);
    void userSetCurrent(int i);

private:
    Outcome refresh();

    const FileSystem& m_fs;
    std::string m_path;
    std::string m_pattern = "*.*";
    std::vector<std::string> m_names;
    std::vector<bool> m_selected;
    int m_current = -1;
};

// Whether name matches a pattern of "*" and "?" without regard to case.
bool matchesPattern(const std::string& name, const std::string& pattern);

} // namespace discmenu::ui

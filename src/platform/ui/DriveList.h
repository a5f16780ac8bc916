#pragma once

#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace discmenu {
class FileSystem;
}

namespace discmenu::ui {

// The machine's drives, one of them chosen; its value reads as "c:". Choosing another
// drive raises the list's Change.
class DriveList : public Control {
public:
    DriveList(std::string name, const FileSystem& fs)
        : Control(ControlKind::DriveList, std::move(name)), m_fs(fs) {}

    std::vector<char> drives() const;
    const std::string& drive() const { return m_drive; }
    // Takes the drive letter from the text's first character.
    void setDrive(const std::string& drive);
    // Shows a drive again without raising anything (after a drive that could not be read).
    void restore(const std::string& drive) { m_drive = drive; }

private:
    const FileSystem& m_fs;
    std::string m_drive;
};

} // namespace discmenu::ui

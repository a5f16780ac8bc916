#include "platform/ui/DriveList.h"

#include "platform/FileSystem.h"
#include "platform/ui/Form.h"

#include <cctype>

namespace discmenu::ui {

std::vector<char> DriveList::drives() const {
    return m_fs.drives();
}

void DriveList::setDrive(const std::string& drive) {
    if (drive.empty() || !std::isalpha(static_cast<unsigned char>(drive[0])))
        return;
    std::string chosen{static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0]))), ':'};
    if (chosen == m_drive)
        return;
    m_drive = chosen;
    if (form())
        form()->raise(UiEvent::of(EventKind::Change, name(), index()));
}

} // namespace discmenu::ui

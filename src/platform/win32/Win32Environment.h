#pragma once

#include "platform/Environment.h"

namespace discmenu::win32 {

class Win32Environment : public Environment {
public:
    // programFolder: the folder of the running executable, as a Windows path.
    explicit Win32Environment(std::string programFolder)
        : m_programFolder(std::move(programFolder)) {}

    // The folder of this process's executable, from the module's own path.
    static std::string executableFolder();

    std::string programFolder() const override { return m_programFolder; }
    // The user's short date and time formats; the date alone at exactly midnight.
    std::string dateTimeText(FileTime t) const override;

private:
    std::string m_programFolder;
};

} // namespace discmenu::win32

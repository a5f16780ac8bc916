#pragma once

#include "platform/Environment.h"
#include "platform/posix/DriveMap.h"

namespace discmenu::posix {

class PosixEnvironment : public Environment {
public:
    // hostProgramFolder: the folder of the running executable on this machine.
    PosixEnvironment(const DriveMap& drives, std::string hostProgramFolder);

    static std::string executableFolder();

    std::string programFolder() const override { return m_programFolder; }
    std::string dateTimeText(FileTime t) const override;

private:
    std::string m_programFolder;
};

// A local time as the regional settings write it: the locale's own date and time where
// one is set, Windows' United States default ("3/20/2007 10:15:02 AM") under the plain C
// locale. Midnight gives the date alone.
std::string regionalDateTime(const std::tm& local, const char* localeName);

} // namespace discmenu::posix

#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace discmenu {

// Facts of the machine the program runs on.
class Environment {
public:
    virtual ~Environment() = default;
    // The folder of the running executable, as a Windows path: no trailing backslash
    // except at a drive root.
    virtual std::string programFolder() const = 0;
    // A time stamp as the regional settings write a date and time: the short date, a
    // blank, the time; the date alone at exactly midnight.
    virtual std::string dateTimeText(FileTime t) const = 0;
};

} // namespace discmenu

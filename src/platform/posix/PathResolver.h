#pragma once

#include "platform/Failure.h"
#include "platform/posix/DriveMap.h"

#include <string>
#include <string_view>
#include <vector>

namespace discmenu::posix {

// Translates the program's Windows paths into paths of this machine. Each name resolves
// without regard to letter case: as written when it exists so (one lookup), otherwise the
// folder is searched for it. Backslash runs count as one; "D:" alone is the drive's
// current folder, which is its root here.
class PathResolver {
public:
    explicit PathResolver(DriveMap drives) : m_drives(std::move(drives)) {}

    const DriveMap& drives() const { return m_drives; }

    // The host path; a name that is found nowhere stays as written. Fails with 68 for a
    // drive the machine does not have and 76 for a path without a drive.
    Result<std::string> toHost(const std::string& windowsPath) const;

private:
    DriveMap m_drives;
};

// The host path of a name in a folder of this machine, no slash doubled in the root.
std::string hostJoin(const std::string& folder, const std::string& name);
// The host path of a name inside a folder of this machine, found as every name of a path
// is: as written when it exists so, otherwise the stored name that matches it without
// regard to case, otherwise as written (a name to be created).
std::string childPath(const std::string& hostFolder, const std::string& name);

// A backslash inside a name of this machine is no separator to the program: listings show
// it as U+F05C (as Wine does), and opening turns that back into the backslash, so a name
// stays one component and names exactly the file that was listed.
std::string shownName(std::string_view hostName);
std::string hostName(std::string_view shownName);

} // namespace discmenu::posix

#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace discmenu::posix {

// Drive letters naming folders of this machine, so that the program sees it the Windows
// way: C: is the user's home folder and Z: the root folder; tests add their own letters.
class DriveMap {
public:
    // The home folder as C: (when there is one) and the root folder as Z:.
    static DriveMap standard();

    void add(char letter, std::string hostRoot);
    std::vector<char> letters() const;
    std::optional<std::string> rootOf(char letter) const;
    // The Windows path of a folder or file of this machine, through the drive whose folder
    // holds it most closely; nothing when no drive holds it.
    std::optional<std::string> toWindows(const std::string& hostPath) const;

private:
    std::map<char, std::string> m_roots;
};

} // namespace discmenu::posix

#include "ScratchMachine.h"

#include <stdexcept>
#include <stdlib.h>

namespace discmenu::tools {

namespace {

std::filesystem::path newFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder like " + pattern);
    return pattern;
}

posix::DriveMap drivesBelow(const std::filesystem::path& root) {
    posix::DriveMap drives;
    drives.add('C', (root / "home").string());
    drives.add('D', (root / "disc").string());
    drives.add('E', (root / "other").string());
    return drives;
}

} // namespace

ScratchMachine::ScratchMachine(const std::string& prefix)
    : m_root(newFolder(prefix)), m_paths(drivesBelow(m_root)) {}

ScratchMachine::~ScratchMachine() {
    if (m_kept)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

} // namespace discmenu::tools

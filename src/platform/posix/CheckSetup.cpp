#include "platform/posix/CheckSetup.h"

#include <filesystem>

namespace discmenu::posix {

namespace {

std::string discFolderFor(const std::string& given) {
    namespace fs = std::filesystem;
    fs::path folder = given.empty() ? fs::path(PosixEnvironment::executableFolder()).parent_path()
                                    : fs::path(given);
    std::error_code ec;
    const fs::path real = fs::canonical(folder, ec);
    return (ec ? fs::absolute(folder, ec) : real).string();
}

DriveMap drivesWithDisc(const std::string& disc) {
    DriveMap drives = DriveMap::standard();
    drives.add('D', disc);
    return drives;
}

} // namespace

CheckSetup::CheckSetup(const std::string& disc)
    : m_disc(discFolderFor(disc)), m_paths(drivesWithDisc(m_disc)), m_fs(m_paths),
      m_env(m_paths.drives(), m_disc + "/autorun"), m_tree(m_disc) {}

} // namespace discmenu::posix

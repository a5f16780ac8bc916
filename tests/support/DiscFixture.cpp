#include "DiscFixture.h"

#include "MachineFiles.h"
#include "platform/Listing.h"

namespace discmenu::test {

DiscFixture::DiscFixture() : m_disc(m_temp.path() / "disc") {
    std::filesystem::create_directories(m_disc);
    std::filesystem::create_directories(m_temp.path() / "other");
    std::filesystem::create_directories(m_temp.path() / "home");
#ifdef _WIN32
    m_fs = machineFileSystem(
        {{'D', m_disc}, {'E', m_temp.path() / "other"}, {'C', m_temp.path() / "home"}});
#else
    posix::DriveMap drives;
    drives.add('D', m_disc.string());
    drives.add('E', (m_temp.path() / "other").string());
    drives.add('C', (m_temp.path() / "home").string());
    m_paths = std::make_unique<posix::PathResolver>(drives);
    m_fs = std::make_unique<posix::PosixFileSystem>(*m_paths);
#endif
}

std::filesystem::path DiscFixture::host(const std::string& path) const {
    return m_disc / utf8Path(path);
}

void DiscFixture::file(const std::string& path, const std::string& content) {
    writeFile(host(path), content);
}

void DiscFixture::folder(const std::string& path) {
    std::filesystem::create_directories(host(path));
}

void DiscFixture::touch(const std::string& path, std::chrono::sys_seconds when) {
    setModifiedTime(host(path), when);
}

ModMain& DiscFixture::module() {
    m_mod =
        std::make_unique<ModMain>(Ports{*m_fs, m_launcher, m_messages, m_desktop, m_env}, m_trace);
    return *m_mod;
}

ModMain& DiscFixture::start(const std::string& programFolder) {
    m_env.folder = programFolder;
    module().Main();
    return *m_mod;
}

std::vector<std::string> listedNames(const Result<std::vector<FolderEntry>>& entries) {
    std::vector<FolderEntry> sorted = entries ? *entries : std::vector<FolderEntry>{};
    putInListingOrder(sorted);
    std::vector<std::string> out;
    for (const FolderEntry& e : sorted)
        out.push_back(e.name);
    return out;
}

} // namespace discmenu::test

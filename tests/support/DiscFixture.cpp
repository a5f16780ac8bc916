#include "DiscFixture.h"

#include <sys/time.h>

namespace discmenu::test {

DiscFixture::DiscFixture() : m_disc(m_temp.path() / "disc") {
    std::filesystem::create_directories(m_disc);
    posix::DriveMap drives;
    drives.add('D', m_disc.string());
    drives.add('E', (m_temp.path() / "other").string());
    drives.add('C', (m_temp.path() / "home").string());
    std::filesystem::create_directories(m_temp.path() / "other");
    std::filesystem::create_directories(m_temp.path() / "home");
    m_paths = std::make_unique<posix::PathResolver>(drives);
    m_fs = std::make_unique<posix::PosixFileSystem>(*m_paths);
}

std::filesystem::path DiscFixture::host(const std::string& path) const {
    return m_disc / path;
}

void DiscFixture::file(const std::string& path, const std::string& content) {
    writeFile(host(path), content);
}

void DiscFixture::folder(const std::string& path) {
    std::filesystem::create_directories(host(path));
}

void DiscFixture::touch(const std::string& path, std::chrono::sys_seconds when) {
    timeval times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(when.time_since_epoch().count());
    times[0].tv_usec = times[1].tv_usec = 0;
    ::utimes(host(path).c_str(), times);
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

} // namespace discmenu::test

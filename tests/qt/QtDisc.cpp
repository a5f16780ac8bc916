#include "QtDisc.h"

#include <fstream>

namespace discmenu::test {

QtDisc::QtDisc(std::initializer_list<const char*> folders, std::initializer_list<const char*> files)
    : m_root(m_dir.path().toStdString()) {
    std::filesystem::create_directories(disc() / "autorun");
    std::filesystem::create_directories(home());
    for (const char* f : folders)
        std::filesystem::create_directories(disc() / f);
    for (const char* f : files)
        std::ofstream(disc() / f) << f;
    std::ofstream(disc() / "autorun/version") << "7.16\r\n";
    posix::DriveMap drives;
    drives.add('D', disc().string());
    drives.add('C', home().string());
    m_paths = std::make_unique<posix::PathResolver>(drives);
    m_fs = std::make_unique<posix::PosixFileSystem>(*m_paths);
    m_desktop = std::make_unique<qt::QtDesktop>();
    m_mod = std::make_unique<ModMain>(Ports{*m_fs, launcher, messages, *m_desktop, m_env}, m_trace);
    m_desktop->attach(*m_mod);
    m_mod->Main();
    m_desktop->sync();
}

QtDisc::~QtDisc() {
    m_desktop.reset(); // the windows go before the forms they draw
    m_mod.reset();
}

} // namespace discmenu::test

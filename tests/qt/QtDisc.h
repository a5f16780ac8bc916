#pragma once

#include "Fakes.h"
#include "app/ModMain.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDesktop.h"

#include <QTemporaryDir>
#include <filesystem>
#include <initializer_list>
#include <memory>

namespace discmenu::test {

// A disc tree in a temporary folder as drive D: (with a home folder as C:), the program
// started on it with real Qt windows on the offscreen platform, and fakes for launching
// and message boxes.
class QtDisc {
public:
    QtDisc(std::initializer_list<const char*> folders, std::initializer_list<const char*> files);
    ~QtDisc();

    ModMain& mod() { return *m_mod; }
    qt::QtDesktop& desktop() { return *m_desktop; }
    qt::FormWindow* window(const ui::Form& form) { return m_desktop->windowOf(form); }
    std::filesystem::path disc() const { return m_root / "disc"; }
    std::filesystem::path home() const { return m_root / "home"; }

    FakeLauncher launcher;
    FakeMessageBoxes messages;

private:
    QTemporaryDir m_dir;
    std::filesystem::path m_root;
    std::unique_ptr<posix::PathResolver> m_paths;
    std::unique_ptr<posix::PosixFileSystem> m_fs;
    FakeEnvironment m_env;
    Trace m_trace;
    std::unique_ptr<qt::QtDesktop> m_desktop;
    std::unique_ptr<ModMain> m_mod;
};

} // namespace discmenu::test

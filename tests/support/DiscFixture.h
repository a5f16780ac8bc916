#pragma once

#include "Fakes.h"
#include "TempDir.h"
#include "app/ModMain.h"
#include "app/StreamTraceSink.h"
#include "app/Trace.h"
#include "platform/FileSystem.h"
#ifndef _WIN32
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>

namespace discmenu::test {

// A disc tree in a temporary folder, seen as drive D: through the machine's own file-system
// adapter, beside two more folders as drives C: (home) and E: (other); launching, message boxes and
// the event loop are fakes. Each test gets a fresh ModMain.
class DiscFixture : public ::testing::Test {
protected:
    DiscFixture();

    // A file of the disc, by its path below the disc root ("autorun/version").
    void file(const std::string& path, const std::string& content = "x");
    void folder(const std::string& path);
    // Sets a folder's last-modified time.
    void touch(const std::string& path, std::chrono::sys_seconds when);
    std::filesystem::path host(const std::string& path) const;
    // A path below the folder of drive C:.
    std::filesystem::path home(const std::string& path) const {
        return m_temp.path() / "home" / utf8Path(path);
    }

    // Starts the program as if from the Windows folder given (on drive D:).
    ModMain& start(const std::string& programFolder = "D:\\autorun");
    // A module whose shared state the test sets by hand; the main window is not loaded.
    ModMain& module();

    TempDir m_temp;
    std::filesystem::path m_disc;
#ifndef _WIN32
    // The drive map behind m_fs, for the tests of the POSIX adapter itself.
    std::unique_ptr<posix::PathResolver> m_paths;
#endif
    std::unique_ptr<FileSystem> m_fs;
    FakeLauncher m_launcher;
    FakeMessageBoxes m_messages;
    FakeDesktop m_desktop;
    FakeEnvironment m_env;
    std::ostringstream m_traceText;
    StreamTraceSink m_traceSink{m_traceText};
    Trace m_trace{&m_traceSink};
    std::unique_ptr<ModMain> m_mod;
};

// The names of a listing in the order the program shows them; none when the listing failed.
std::vector<std::string> listedNames(const Result<std::vector<FolderEntry>>& entries);

} // namespace discmenu::test

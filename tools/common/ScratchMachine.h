#pragma once

#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"

#include <filesystem>
#include <string>

namespace discmenu::tools {

// A new folder of its own below the machine's temporary folder (TMPDIR), seen as the
// program sees a machine through the POSIX adapter: its disc/ is drive D:, home/ is C: and
// other/ is E:. Making those folders is the caller's, who may empty them between cases.
// The folder goes with all it holds when this goes, unless kept: a run keeps the folder of
// a case that failed, so that what the case left behind can be looked at.
class ScratchMachine {
public:
    // prefix: the start of the folder's name, so that a kept folder tells whose it is.
    // Throws std::runtime_error when no folder can be made.
    explicit ScratchMachine(const std::string& prefix);
    ~ScratchMachine();
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path disc() const { return m_root / "disc"; }
    std::filesystem::path home() const { return m_root / "home"; }
    std::filesystem::path other() const { return m_root / "other"; }
    const posix::PathResolver& paths() const { return m_paths; }
    posix::PosixFileSystem& files() { return m_files; }
    void keep() { m_kept = true; }

private:
    std::filesystem::path m_root;
    bool m_kept = false;
    posix::PathResolver m_paths;
    posix::PosixFileSystem m_files{m_paths};
};

} // namespace discmenu::tools

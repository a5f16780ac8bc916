#pragma once

#include <filesystem>
#include <string>

namespace discmenu::tools {

// A new folder of its own below the machine's temporary folder (TMPDIR), removed with all
// it holds when this goes, unless kept: a run keeps the folder of a case that failed, so
// that what the case left behind can be looked at.
class ScratchFolder {
public:
    // prefix: the start of the folder's name, so that a kept folder tells whose it is.
    // Throws std::runtime_error when no folder can be made.
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    std::filesystem::path m_path;
    bool m_kept = false;
};

} // namespace discmenu::tools

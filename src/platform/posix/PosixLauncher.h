#pragma once

#include "platform/Launcher.h"
#include "platform/posix/PathResolver.h"

namespace discmenu::posix {

// Opens documents with the desktop's own programs (xdg-open, or open on macOS) and carries
// out the console and Notepad command lines with a terminal and a text editor.
class PosixLauncher : public Launcher {
public:
    explicit PosixLauncher(const PathResolver& paths) : m_paths(paths) {}

    void shellOpen(const ui::Form& owner, const std::string& file,
                   const std::string& folder) override;
    Outcome runProgram(const std::string& commandLine) override;

private:
    std::string hostOr(const std::string& windowsPath) const;
    Outcome openConsole(const std::string& folder, const std::string& name);
    Outcome openEditor(const std::string& file);

    const PathResolver& m_paths;
};

} // namespace discmenu::posix

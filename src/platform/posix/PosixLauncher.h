#pragma once

#include "platform/Launcher.h"
#include "platform/posix/PathResolver.h"

#include <string>
#include <vector>

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

// The command line that has terminal run program (its words kept whole), by the way the
// terminal's family takes a program to run.
std::vector<std::string> terminalCommand(const std::string& terminal,
                                         const std::vector<std::string>& program);
// The program a console row runs in its terminal: it lists the folder, or the named file
// of it, and stays open. The folder and name are arguments, never part of shell text.
std::vector<std::string> consoleProgram(const std::string& hostFolder, const std::string& name);

} // namespace discmenu::posix

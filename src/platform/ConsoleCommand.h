#pragma once

#include <optional>
#include <string>

namespace discmenu {

// The console the menu opens on a folder of DOS tools: a command interpreter that changes
// into the folder, lists it (or one file of it) and stays open for the user.
struct ConsoleCommand {
    std::string folder; // Windows path
    std::string name;   // the file to list; empty for the whole folder
};

// "cmd.exe /k pushd "FOLDER"&&dir" or "... &&dir NAME". The folder is in double quotes, so
// that no character of it (&, |, <, >, ^, parentheses) is taken by cmd for a command of its
// own: a copy of a disc may stand in any folder. Windows names cannot hold a quote.
std::string consoleCommandLine(const ConsoleCommand& command);
// The parts of such a command line (the folder with or without its quotes); nothing for
// any other command line.
std::optional<ConsoleCommand> parseConsoleCommand(const std::string& commandLine);

} // namespace discmenu

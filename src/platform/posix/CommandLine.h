#pragma once

#include <optional>
#include <string>

namespace discmenu::posix {

// The two kinds of command line the program issues, taken apart so that their parts can
// be handed to programs of this machine as arguments, never as shell text.
struct ConsoleCommand {
    std::string folder; // Windows path of the folder to list
    std::string name;   // the file to list, empty for the whole folder
};

// "cmd.exe /k pushd FOLDER&&dir" or "cmd.exe /k pushd FOLDER&&dir NAME".
std::optional<ConsoleCommand> parseConsoleCommand(const std::string& commandLine);
// "notepad.exe FILE": the file's Windows path.
std::optional<std::string> parseNotepadCommand(const std::string& commandLine);

} // namespace discmenu::posix

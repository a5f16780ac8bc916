#pragma once

#include <optional>
#include <string>

namespace discmenu::posix {

// The command lines the program issues are taken apart (the console's by
// parseConsoleCommand, platform/ConsoleCommand.h), so that their parts can be handed to
// programs of this machine as arguments, never as shell text.
// "notepad.exe FILE": the file's Windows path.
std::optional<std::string> parseNotepadCommand(const std::string& commandLine);

} // namespace discmenu::posix

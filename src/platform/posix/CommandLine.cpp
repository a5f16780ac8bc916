#include "platform/posix/CommandLine.h"

#include "platform/Text.h"

namespace discmenu::posix {

std::optional<std::string> parseNotepadCommand(const std::string& commandLine) {
    constexpr std::string_view start = "notepad.exe ";
    if (!text::startsWith(text::lower(commandLine), start) || commandLine.size() == start.size())
        return std::nullopt;
    return commandLine.substr(start.size());
}

} // namespace discmenu::posix

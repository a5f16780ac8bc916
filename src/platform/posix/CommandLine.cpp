#include "platform/posix/CommandLine.h"

#include "platform/Text.h"

#include <algorithm>

namespace discmenu::posix {

std::optional<ConsoleCommand> parseConsoleCommand(const std::string& commandLine) {
    constexpr std::string_view start = "cmd.exe /k pushd ";
    constexpr std::string_view listing = "&&dir";
    if (!text::startsWith(text::lower(commandLine), start))
        return std::nullopt;
    const std::size_t at = commandLine.rfind(listing);
    if (at == std::string::npos || at < start.size())
        return std::nullopt;
    const std::string rest = commandLine.substr(at + listing.size());
    if (!rest.empty() && rest.front() != ' ')
        return std::nullopt;
    return ConsoleCommand{commandLine.substr(start.size(), at - start.size()),
                          rest.substr(std::min(rest.find_first_not_of(' '), rest.size()))};
}

std::optional<std::string> parseNotepadCommand(const std::string& commandLine) {
    constexpr std::string_view start = "notepad.exe ";
    if (!text::startsWith(text::lower(commandLine), start) || commandLine.size() == start.size())
        return std::nullopt;
    return commandLine.substr(start.size());
}

} // namespace discmenu::posix

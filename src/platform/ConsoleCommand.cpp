#include "platform/ConsoleCommand.h"

#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {
constexpr std::string_view start = "cmd.exe /k pushd ";
constexpr std::string_view listing = "&&dir";
} // namespace

std::string consoleCommandLine(const ConsoleCommand& command) {
    return std::string(start) + "\"" + command.folder + "\"" + std::string(listing) +
           (command.name.empty() ? "" : " " + command.name);
}

std::optional<ConsoleCommand> parseConsoleCommand(const std::string& commandLine) {
    if (!text::startsWith(text::lower(commandLine), start))
        return std::nullopt;
    const std::size_t at = commandLine.rfind(listing);
    if (at == std::string::npos || at < start.size())
        return std::nullopt;
    const std::string rest = commandLine.substr(at + listing.size());
    if (!rest.empty() && rest.front() != ' ')
        return std::nullopt;
    std::string folder = commandLine.substr(start.size(), at - start.size());
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    return ConsoleCommand{folder, rest.substr(std::min(rest.find_first_not_of(' '), rest.size()))};
}

} // namespace discmenu

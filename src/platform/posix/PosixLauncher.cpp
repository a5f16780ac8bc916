#include "platform/posix/PosixLauncher.h"

#include "platform/posix/CommandLine.h"
#include "platform/posix/Spawn.h"

#include <cstdlib>
#include <sys/stat.h>

namespace discmenu::posix {

namespace {

// Lists the folder (or one file of it) and leaves the user in a shell there. The folder
// and the name arrive as arguments $1 and $2, never inside the script's text.
constexpr const char* consoleScript =
    "cd -- \"$1\" && if [ -n \"$2\" ]; then ls -l -- \"$2\"; else ls -l; fi; "
    "exec \"${SHELL:-/bin/sh}\"";

std::vector<std::string> terminals() {
    std::vector<std::string> found;
    if (const char* t = std::getenv("TERMINAL"); t && *t)
        found.emplace_back(t);
    for (const char* t : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal",
                          "mate-terminal", "lxterminal", "xterm"})
        found.emplace_back(t);
    return found;
}

} // namespace

std::string PosixLauncher::hostOr(const std::string& windowsPath) const {
    auto host = m_paths.toHost(windowsPath);
    return host ? *host : std::string();
}

void PosixLauncher::shellOpen(const ui::Form&, const std::string& file, const std::string& folder) {
    auto host = m_paths.toHost(file);
    if (!host)
        return;
    // A file or folder as the shell knows them; a pipe or a device is opened by nothing.
    if (struct stat st{};
        ::stat(host->c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return;
#ifdef __APPLE__
    goOnPastFailure(spawnDetached({"open", *host}, hostOr(folder)));
#else
    goOnPastFailure(spawnDetached({"xdg-open", *host}, hostOr(folder)));
#endif
}

Outcome PosixLauncher::runProgram(const std::string& commandLine) {
    if (auto console = parseConsoleCommand(commandLine))
        return openConsole(console->folder, console->name);
    if (auto file = parseNotepadCommand(commandLine))
        return openEditor(*file);
    return fail(53, "File not found");
}

Outcome PosixLauncher::openConsole(const std::string& folder, const std::string& name) {
    const std::string host = hostOr(folder);
#ifdef __APPLE__
    (void)name;
    return spawnDetached({"open", "-a", "Terminal", host}, host);
#else
    for (const std::string& terminal : terminals()) {
        if (findProgram(terminal).empty())
            continue;
        std::vector<std::string> argv{terminal};
        if (terminal == "gnome-terminal")
            argv.push_back("--");
        else
            argv.push_back("-e");
        for (const char* a : {"/bin/sh", "-c", consoleScript, "sh"})
            argv.emplace_back(a);
        argv.push_back(host);
        argv.push_back(name);
        return spawnDetached(argv, host);
    }
    return fail(53, "File not found");
#endif
}

Outcome PosixLauncher::openEditor(const std::string& file) {
    auto host = m_paths.toHost(file);
    if (!host)
        return std::unexpected(host.error());
    // Only a regular file: an editor would wait on a named pipe or read a device for ever.
    if (struct stat st{}; ::stat(host->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return fail(53, "File not found");
#ifdef __APPLE__
    return spawnDetached({"open", "-t", *host}, {});
#else
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "mousepad", "xed", "pluma",
                               "leafpad", "featherpad"}) {
        if (!findProgram(editor).empty())
            return spawnDetached({editor, *host}, {});
    }
    return spawnDetached({"xdg-open", *host}, {});
#endif
}

} // namespace discmenu::posix

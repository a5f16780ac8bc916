#include "platform/posix/PosixLauncher.h"

#include "platform/ConsoleCommand.h"

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
                          "mate-terminal", "kitty", "alacritty", "foot", "wezterm", "xterm"})
        found.emplace_back(t);
    return found;
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Editors that need a terminal of their own: no use started from a window.
bool runsInATerminal(const std::string& editor) {
    for (const char* e : {"vi", "vim", "nvim", "nano", "pico", "ed", "joe", "micro", "mcedit", "ne",
                          "emacs", "jed", "kak", "hx"}) {
        if (baseName(editor) == e)
            return true;
    }
    return false;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t') {
            if (!word.empty())
                out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

} // namespace

std::vector<std::string> terminalCommand(const std::string& terminal,
                                         const std::vector<std::string>& program) {
    // How each family takes a program with its arguments, each argument kept whole.
    struct Family {
        std::initializer_list<const char*> names;
        std::initializer_list<const char*> before;
    };
    static const Family families[] = {
        {{"gnome-terminal", "gnome-terminal.wrapper", "kgx", "tilix"}, {"--"}},
        {{"xfce4-terminal", "mate-terminal", "terminator"}, {"-x"}},
        {{"kitty", "foot"}, {}},
        {{"wezterm"}, {"start", "--"}},
    };
    std::vector<std::string> argv{terminal};
    const std::string name = baseName(terminal);
    // Anything else takes "-e" and the program's words, as xterm, konsole, alacritty and
    // every x-terminal-emulator do.
    std::initializer_list<const char*> before = {"-e"};
    for (const Family& f : families) {
        for (const char* n : f.names) {
            if (name == n)
                before = f.before;
        }
    }
    argv.insert(argv.end(), before.begin(), before.end());
    argv.insert(argv.end(), program.begin(), program.end());
    return argv;
}

std::vector<std::string> consoleProgram(const std::string& hostFolder, const std::string& name) {
    return {"/bin/sh", "-c", consoleScript, "sh", hostFolder, name};
}

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
    return fail(Err::FileNotFound);
}

Outcome PosixLauncher::openConsole(const std::string& folder, const std::string& name) {
    const std::string host = hostOr(folder);
    // The named file as the folder spells it, found without regard to case as every name.
    std::string listed = name;
    if (!name.empty() && !host.empty()) {
        if (auto file = m_paths.toHost(folder + "\\" + name); file && file->starts_with(host + "/"))
            listed = file->substr(host.size() + 1);
    }
#ifdef __APPLE__
    (void)listed;
    return spawnDetached({"open", "-a", "Terminal", host}, host);
#else
    for (const std::string& terminal : terminals()) {
        if (findProgram(terminal).empty())
            continue;
        return spawnDetached(terminalCommand(terminal, consoleProgram(host, listed)), host);
    }
    return fail(Err::FileNotFound);
#endif
}

Outcome PosixLauncher::openEditor(const std::string& file) {
    auto host = m_paths.toHost(file);
    if (!host)
        return std::unexpected(host.error());
    // Only a regular file: an editor would wait on a named pipe or read a device for ever.
    if (struct stat st{}; ::stat(host->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return fail(Err::FileNotFound);
#ifdef __APPLE__
    return spawnDetached({"open", "-t", *host}, {});
#else
    // The desktop's own choice for plain text first; where it has none, the user's
    // editor when it has a window of its own, then the common ones.
    if (outputOf({"xdg-mime", "query", "default", "text/plain"}).find_first_not_of(" \t\r\n") !=
        std::string::npos)
        return spawnDetached({"xdg-open", *host}, {});
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(variable);
        std::vector<std::string> editor = words(value ? value : "");
        if (!editor.empty() && !runsInATerminal(editor.front()) &&
            !findProgram(editor.front()).empty()) {
            editor.push_back(*host);
            return spawnDetached(editor, {});
        }
    }
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "mousepad", "xed", "pluma",
                               "leafpad", "featherpad"}) {
        if (!findProgram(editor).empty())
            return spawnDetached({editor, *host}, {});
    }
    return spawnDetached({"xdg-open", *host}, {});
#endif
}

} // namespace discmenu::posix

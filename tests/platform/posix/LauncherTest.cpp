#include "DiscFixture.h"
#include "platform/posix/PosixLauncher.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <thread>

namespace discmenu::test {
namespace {

namespace fs = std::filesystem;

// Stand-ins for the desktop's terminals and editors, on a PATH of their own: each writes
// down the arguments it was started with, one a line.
class Launcher : public DiscFixture {
protected:
    void SetUp() override {
        for (const char* v : {"PATH", "TERMINAL", "VISUAL", "EDITOR"}) {
            const char* value = std::getenv(v);
            m_saved.emplace_back(v, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(v);
        }
        fs::create_directories(bin());
        ::setenv("PATH", (bin().string() + ":/usr/bin:/bin").c_str(), 1);
        file("CALPUSH.EXE");
        file("notes.con");
        m_launcher = std::make_unique<posix::PosixLauncher>(*m_paths);
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    fs::path bin() const { return m_temp.path() / "bin"; }
    fs::path record() const { return m_temp.path() / "record"; }
    void standIn(const std::string& name) {
        script(name, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >" + record().string() +
                         ".tmp && mv " + record().string() + ".tmp " + record().string());
    }
    // A program that only answers with a text.
    void answering(const std::string& name, const std::string& output) {
        script(name, "printf '" + output + "'");
    }
    void script(const std::string& name, const std::string& body) {
        std::ofstream(bin() / name) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(bin() / name, fs::perms::owner_all);
    }
    // The arguments the stand-in was started with; waits for it, as it runs detached.
    std::vector<std::string> recorded() {
        for (int i = 0; i < 100 && !fs::exists(record()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::vector<std::string> lines;
        std::ifstream in(record());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        fs::remove(record());
        return lines;
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
    std::unique_ptr<posix::PosixLauncher> m_launcher;
};

TEST_F(Launcher, EachTerminalFamilyGetsTheConsoleItsOwnWay) {
    struct Row {
        const char* terminal;
        std::vector<std::string> before; // what comes before the program
    };
    const Row rows[] = {
        {"xterm", {"-e"}},
        {"x-terminal-emulator", {"-e"}},
        {"konsole", {"-e"}},
        {"alacritty", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"xfce4-terminal", {"-x"}}, // its -e takes one string
        {"mate-terminal", {"-x"}},
        {"kitty", {}},
        {"foot", {}},
        {"wezterm", {"start", "--"}},
    };
    const std::string disc = m_disc.string();
    for (const Row& r : rows) {
        standIn(r.terminal);
        ::setenv("TERMINAL", r.terminal, 1);
        // The row names the tool in small letters; the disc spells it in capitals.
        ASSERT_TRUE(m_launcher->runProgram("cmd.exe /k pushd \"D:\\\"&&dir calpush.exe"));
        std::vector<std::string> expected = r.before;
        for (const std::string& word : posix::consoleProgram(disc, "CALPUSH.EXE"))
            expected.push_back(word);
        EXPECT_EQ(recorded(), expected) << r.terminal;
        fs::remove(bin() / r.terminal);
    }
}

TEST_F(Launcher, TheConsoleListsTheNamedFileWithoutAShellReadingTheName) {
    // Run as the terminal would, without one: the names stay arguments.
    const std::string odd = "$(touch pwned);`touch pwned2`.exe";
    file(odd);
    ::setenv("SHELL", "/bin/true", 1);
    const std::vector<std::string> program = posix::consoleProgram(m_disc.string(), odd);
    std::string line;
    for (const std::string& word : program)
        line += "'" + word + "' ";
    // Only the test quotes the words here; the words hold no single quote.
    const int status = std::system((line + ">" + record().string()).c_str());
    EXPECT_EQ(status, 0);
    EXPECT_NE(readFile(record()).find(odd), std::string::npos);
    EXPECT_FALSE(fs::exists(m_disc / "pwned"));
    EXPECT_FALSE(fs::exists(m_disc / "pwned2"));
}

TEST_F(Launcher, NotepadGoesToTheDesktopsEditorThenTheUsersOwn) {
    const std::string file = (m_disc / "notes.con").string();
    standIn("xdg-open");
    standIn("gedit");
    standIn("myedit");
    // The desktop has a default for plain text: it decides.
    answering("xdg-mime", "org.gnome.TextEditor.desktop");
    ::setenv("VISUAL", "myedit --new-window", 1);
    ASSERT_TRUE(m_launcher->runProgram("notepad.exe D:\\NOTES.CON"));
    EXPECT_EQ(recorded(), (std::vector<std::string>{file}));

    // Without one, the user's editor, with its own words.
    fs::remove(bin() / "xdg-open");
    answering("xdg-mime", "");
    ASSERT_TRUE(m_launcher->runProgram("notepad.exe D:\\notes.con"));
    EXPECT_EQ(recorded(), (std::vector<std::string>{"--new-window", file}));

    // An editor that needs a terminal is passed over for a common one.
    ::setenv("VISUAL", "vim", 1);
    ::setenv("EDITOR", "nano", 1);
    ASSERT_TRUE(m_launcher->runProgram("notepad.exe D:\\notes.con"));
    EXPECT_EQ(recorded(), (std::vector<std::string>{file}));

    // A named pipe is no text file: nothing is started for it.
    ASSERT_EQ(::mkfifo((m_disc / "pipe.con").c_str(), 0644), 0);
    auto started = m_launcher->runProgram("notepad.exe D:\\pipe.con");
    ASSERT_FALSE(started);
    EXPECT_EQ(started.error().number(), 53);
}

} // namespace
} // namespace discmenu::test

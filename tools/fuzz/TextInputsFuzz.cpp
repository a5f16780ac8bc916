// The program's text inputs, for a coverage-guided fuzzer: the version file, the job file,
// the names a disc's folders list, and the paths typed into the destination dialog. The
// first byte of an input chooses which; the rest is the text. Each input is played on a
// real disc tree in a temporary folder through the real file-system adapter, with
// launchers and message boxes that only record (message boxes answer OK: create the folder).
//
//   fuzz_text_inputs FILE...   plays each file (the regression cases run this way)
//   fuzz_text_inputs           plays standard input, over and over under AFL++

#include "ScratchMachine.h"
#include "app/ModMain.h"
#include "app/Trace.h"
#include "browser/FormFiles.h"
#include "check/Recorders.h"
#include "menu/FormMain.h"
#include "platform/Text.h"
#include "platform/TextLines.h"
#include "platform/WindowsPath.h"
#include "platform/posix/PosixEnvironment.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "savedlg/FormFileSave.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#ifdef __AFL_FUZZ_TESTCASE_LEN
__AFL_FUZZ_INIT();
#endif

using namespace discmenu;
namespace fs = std::filesystem;

namespace {

// A temporary folder holding the disc (D:) and a home (C:), emptied between inputs; the
// program stands in D:\autorun. E: stands for a drive with nothing in it: its folder is
// never made.
class Sandbox {
public:
    void reset() {
        std::error_code ignored;
        fs::remove_all(m_machine.disc(), ignored);
        fs::remove_all(m_machine.home(), ignored);
        fs::create_directories(m_machine.disc() / "autorun");
        fs::create_directories(m_machine.home());
    }
    void write(const fs::path& rel, const std::string& bytes) {
        std::ofstream(m_machine.disc() / rel, std::ios::binary) << bytes;
    }
    void folder(const fs::path& rel) {
        std::error_code ignored;
        fs::create_directories(m_machine.disc() / rel, ignored);
    }
    const posix::PathResolver& paths() const { return m_machine.paths(); }
    posix::PosixFileSystem& files() { return m_machine.files(); }
    const Environment& environment() const { return m_env; }

private:
    tools::ScratchMachine m_machine{"discmenu-fuzz-"};
    posix::PosixEnvironment m_env{m_machine.paths().drives(),
                                  (m_machine.disc() / "autorun").string()};
};

// The program on the sandbox's disc, started from D:\autorun; every visible item clicked.
struct Run {
    explicit Run(Sandbox& box)
        : mod(Ports{box.files(), launcher, messages, desktop, box.environment()}, trace) {
        mod.setProgressDelay(std::chrono::milliseconds(0));
    }
    void startAndClick() {
        mod.Main();
        FormMain& form = mod.formMain();
        for (int i = 0; i <= form.lblMainUBound(); ++i) {
            if (form.lblMain(i).visible())
                form.raise(ui::UiEvent::of(ui::EventKind::Click, "lblMain", i));
        }
    }
    check::RecordingLauncher launcher;
    check::RecordingMessageBoxes messages;
    check::QuietDesktop desktop;
    Trace trace{nullptr};
    ModMain mod;
};

// A name the host can hold: no slash, no NUL, at most 255 bytes, not "." or "..".
std::string hostName(std::string name) {
    std::erase(name, '/');
    std::erase(name, '\0');
    if (name.size() > 255)
        name.resize(255);
    if (name.empty() || name == "." || name == "..")
        name = "x" + name;
    return name;
}

void versionAndJobFile(Sandbox& box, const std::string& data) {
    const std::size_t cut = data.find('\0');
    const std::string version = data.substr(0, cut);
    const std::string job = cut == std::string::npos ? std::string() : data.substr(cut + 1);
    TextLines lines(data);
    for (int i = 0; i < 4 && lines.readLine(); ++i) {
    }
    box.write("autorun/version", version);
    {
        Run generic(box);
        generic.startAndClick();
    }
    box.write("A17.job", job);
    Run software(box);
    software.startAndClick();
}

void listedNames(Sandbox& box, const std::string& data) {
    std::istringstream in(data);
    std::string name;
    for (int i = 0; i < 64 && std::getline(in, name, '\n'); ++i) {
        const std::string n = hostName(name);
        if (i % 2)
            box.folder(n);
        else
            box.write(n, name);
        // Each name also as it ends up in the text helpers and the pattern matcher.
        (void)text::lower(n);
        (void)text::left(n, 21);
        (void)text::mid(n, 21, text::length(n) > 21 ? text::length(n) - 21 : 0);
        (void)ui::matchesPattern(n, "*.con");
        (void)ui::matchesPattern(n, n);
    }
    Run run(box);
    run.startAndClick();
    run.mod.ShowFileBrowser("*manual*.pdf", "All included manual(s)");
    ui::FileList& list = run.mod.formFiles().FileMain();
    for (const char* pattern : {"*.con", "*.cal", "*.*", "*"})
        (void)list.setPattern(pattern);
    for (int i = 0; i < list.listCount(); ++i)
        list.userSetSelected(i, true);
    run.mod.formFiles().cmdView_Click();
}

void typedPath(Sandbox& box, const std::string& typed) {
    (void)box.paths().toHost(typed);
    (void)winpath::normalised(typed);
    Run run(box);
    run.mod.Main();
    FormFileSave& dialog = run.mod.formFileSave();
    dialog.setCaption("Install path for Quaylog");
    dialog.show();
    dialog.txtPath().setText(typed);
    dialog.raise(ui::UiEvent{ui::EventKind::KeyPress, "txtPath", -1, ui::TextBox::KeyEnter});
    dialog.raise(ui::UiEvent::of(ui::EventKind::LostFocus, "txtPath"));
}

void play(Sandbox& box, const std::string& input) {
    if (input.empty())
        return;
    box.reset();
    const std::string data = input.substr(1);
    switch (static_cast<unsigned char>(input[0]) % 3) {
    case 0:
        versionAndJobFile(box, data);
        break;
    case 1:
        listedNames(box, data);
        break;
    default:
        typedPath(box, data);
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        Sandbox box;
        for (int i = 1; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            play(box, std::string(std::istreambuf_iterator<char>(in), {}));
        }
        std::cout << argc - 1 << " inputs played\n";
        return 0;
    }
#ifdef __AFL_FUZZ_TESTCASE_LEN
    __AFL_INIT();
    Sandbox box;
    const unsigned char* buffer = __AFL_FUZZ_TESTCASE_BUF;
    while (__AFL_LOOP(1000)) {
        const auto length = static_cast<std::size_t>(__AFL_FUZZ_TESTCASE_LEN);
        play(box, std::string(reinterpret_cast<const char*>(buffer), length));
    }
#else
    Sandbox box;
    play(box, std::string(std::istreambuf_iterator<char>(std::cin), {}));
#endif
    return 0;
}

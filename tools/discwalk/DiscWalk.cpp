// discwalk: the program on generated disc trees. Every reachable page is walked by
// clicking every item, the file browser's rows opened, files saved and packages installed,
// with message boxes answered at random; after every step the program must still stand as
// its rules say, and nothing may be written outside the chosen destination.
//
// DISCMENU_TREES (default 40) trees are run from the seed DISCMENU_SEED (default 1);
// DISCMENU_DESCRIBE prints every tree, DISCMENU_LEAVE_OUT names hazards to leave aside
// (links, backslash, pipes, farDates, packageLoops, unreadable), and a tree that takes more
// than DISCMENU_TREE_SECONDS (default 120) ends the run as a hang. Each broken rule prints
// a line with its seed; a tree that broke any prints itself and keeps its folder, and
// DISCMENU_SEED=n DISCMENU_TREES=1 runs it again. The run stops after 5 failed trees and
// exits with 1 when any tree failed.

#include "GeneratedDisc.h"
#include "RightsBind.h"
#include "Rng.h"
#include "ScratchMachine.h"
#include "VanishingFileSystem.h"
#include "app/ModMain.h"
#include "app/StreamTraceSink.h"
#include "app/Trace.h"
#include "browser/FormFiles.h"
#include "check/Recorders.h"
#include "menu/FormMain.h"
#include "platform/Text.h"
#include "platform/WindowsPath.h"
#include "platform/posix/PosixEnvironment.h"
#include "savedlg/FormFileSave.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace discmenu::tools {
namespace {

namespace fs = std::filesystem;
using ui::EventKind;
using ui::UiEvent;

std::uint64_t envNumber(const char* name, std::uint64_t otherwise) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoull(v, nullptr, 10) : otherwise;
}

const std::string Return = "Return to Previous Menu";

// The captions each page may show.
const std::map<std::string, std::set<std::string>> pageCaptions = {
    {"Main Menu",
     {"View Service Report", "View Calibration Documents", "View Configuration Documents",
      "View .CON and .INI Files", "View Recovered Data", "View included software and documentation",
      "View instrument specific documentation"}},
    {"Included Software and Documentation",
     {"Install windows software", "Install DOS software",
      "Install Adobe Acorbat Reader (Required to view .PDF documents)", "DOS utilities",
      "View software documentation", Return}},
    {"Windows Software",
     {"Install Brinext for Windows", "Install Brinext Swell for Windows", Return}},
    {"DOS software", {"Install Quaylog for DOS", "Install Brinext swell for DOS", Return}},
    {"Instrument Specific Documentation",
     {"View Instrument Manual(s)", "View .CAL file(s)", "View .CON file(s)", "View .CAP file(s)",
      "View .CFG file(s)", "View .INI file(s)", Return}},
    {"Software Documentation",
     {"View the TWL Data Processing Manual", "View the Quaylog v7 Manual (Recommended)",
      "View the Quaylog Win32 Manual", "View the contents and installation document",
      "View TWL Battery Budget Calculator", Return}},
    {"DOS Utilities",
     {"Prog**.exe - Reload calibration coefficients into an instrument",
      "CALPUSH.exe - Reload Calibration coefficients into .CON file", Return}},
};

// Message boxes that answer OK or Cancel at random.
class RandomAnswers : public MessageBoxes {
public:
    explicit RandomAnswers(Rng& rng) : m_rng(rng) {}
    Answer show(const std::string& prompt, Buttons buttons) override {
        prompts.push_back(prompt);
        if (buttons == Buttons::OkCancel && m_rng.chance(40))
            return Answer::Cancel;
        return Answer::Ok;
    }
    std::vector<std::string> prompts;

private:
    Rng& m_rng;
};

// The machine's own dates and times, and the program folder as the tree names it: a
// generated name may hold a backslash, which no host path gives back.
class TreeEnvironment : public Environment {
public:
    std::string programFolder() const override { return folder; }
    std::string dateTimeText(FileTime t) const override { return m_machine.dateTimeText(t); }

    std::string folder;

private:
    posix::PosixEnvironment m_machine{posix::DriveMap(), "/"};
};

// Each entry below a folder, by its path, with its kind, size and time; links not followed.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshot(const fs::path& root) {
    Snapshot s;
    std::error_code ec;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0)
            continue;
        s[it->path().string()] = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) +
                                 " " + std::to_string(st.st_mtim.tv_sec) + "." +
                                 std::to_string(st.st_mtim.tv_nsec);
    }
    return s;
}

// Whether a regular file stands there; a name too long for the machine is none.
bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool below(const std::string& path, const std::string& folder) {
    return path == folder || path.starts_with(folder + "/");
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// What the walks did, summed over the trees.
struct Totals {
    std::uint64_t steps = 0, saves = 0, opens = 0, runs = 0, prompts = 0;
};

// One generated tree and the program on it.
class Walk {
public:
    Walk(std::uint64_t seed, const Hazards& hazards) : m_seed(seed), m_rng(seed ^ 0x5eed) {
        m_disc = m_machine.disc();
        fs::create_directories(m_machine.home() / "dest");
        fs::create_directories(m_machine.other());
        m_tree = generateDisc(seed, m_disc, hazards);
        m_fs =
            std::make_unique<VanishingFileSystem>(m_machine.files(), m_machine.paths(), m_rng, 2);
        m_env.folder = m_tree.programFolder;
        m_discBefore = snapshot(m_disc);
    }
    ~Walk() {
        m_mod.reset();
        m_tree.unlock(); // before the folder goes, so that all of it can be removed
    }

    void run();
    const GeneratedDisc& tree() const { return m_tree; }
    // The rules this tree broke so far.
    int failures() const { return m_failures; }
    // Keeps the tree's folder for a look at it, and says where it is.
    void keepFolder() {
        m_machine.keep();
        std::cerr << "kept the failed tree's folder: " << m_machine.root() << "\n";
    }
    void addTo(Totals& t) const {
        t.steps += static_cast<std::uint64_t>(m_steps);
        t.saves += m_saves;
        t.opens += m_launcher.opens.size();
        t.runs += m_launcher.runs.size();
        t.prompts += m_messages.prompts.size();
    }

private:
    // Reports a broken rule on standard error, with the seed that builds the tree again.
    template <class... Parts> void fail(const Parts&... parts) {
        ++m_failures;
        std::cerr << "failed: seed " << m_seed << ": ";
        (std::cerr << ... << parts) << "\n";
    }
    FormMain& main() { return m_mod->formMain(); }
    template <class F> void step(const std::string& what, F action);
    void check(const std::string& what);
    void checkLaunches(const std::string& what);
    bool builtTarget(const std::string& file) const;
    bool ended() const { return m_desktop.ended; }

    std::vector<std::string> visibleCaptions();
    void click(const std::string& caption);
    void goTop(int job);
    void explore(int job);
    void browse();
    void dialog();
    void save();
    fs::path host(const std::string& windowsPath) const {
        auto h = m_machine.paths().toHost(windowsPath);
        return h ? fs::path(*h) : fs::path();
    }

    std::uint64_t m_seed;
    int m_failures = 0;
    Rng m_rng;
    ScratchMachine m_machine{"discmenu-walk-"};
    fs::path m_disc;
    GeneratedDisc m_tree;
    std::unique_ptr<VanishingFileSystem> m_fs;
    check::RecordingLauncher m_launcher;
    RandomAnswers m_messages{m_rng};
    check::QuietDesktop m_desktop;
    TreeEnvironment m_env;
    std::ostringstream m_traceText;
    StreamTraceSink m_traceSink{m_traceText};
    Trace m_trace{&m_traceSink};
    std::unique_ptr<ModMain> m_mod;
    Snapshot m_discBefore;
    std::size_t m_opensSeen = 0;
    std::size_t m_runsSeen = 0;
    int m_steps = 0;
    std::uint64_t m_saves = 0;
};

template <class F> void Walk::step(const std::string& what, F action) {
    if (ended())
        return;
    ++m_steps;
    try {
        action();
    } catch (const std::exception& e) {
        fail(what, " threw ", e.what());
    } catch (...) {
        fail(what, " threw");
    }
    if (!ended())
        check(what);
}

void Walk::check(const std::string& what) {
    FormMain& form = main();
    const std::string& page = m_mod->CurrentMenu;
    const auto captions = pageCaptions.find(page);
    if (captions == pageCaptions.end()) {
        fail("after ", what, " the page is \"", page, "\"");
        return;
    }
    // The items in use form one run from slot 2, each a caption of the page shown.
    bool inUse = true;
    for (int i = 2; i <= form.lblMainUBound(); ++i) {
        const ui::Label& item = form.lblMain(i);
        if (item.visible() && !inUse)
            fail("after ", what, " slot ", i, " is shown after a gap");
        inUse = inUse && item.visible();
        if (item.visible() && !captions->second.contains(item.caption()))
            fail("after ", what, " \"", item.caption(), "\" stands on the page \"", page, "\"");
    }
    // The two items above the pages stay as they are.
    const std::array<std::string, 2> fixed = {"Visit our website offline", "Browse this CD"};
    for (int i = 0; i < 2; ++i) {
        if (form.lblMain(i).caption() != fixed[i])
            fail("after ", what, " slot ", i, " reads \"", form.lblMain(i).caption(), "\"");
    }
    const ui::ListBox& jobs = form.lstRMA();
    if (jobs.visible() &&
        !(jobs.left() >= 0 && jobs.top() >= 0 && jobs.left() + jobs.width() <= form.clientWidth() &&
          jobs.top() + jobs.height() <= form.clientHeight()))
        fail("after ", what, " the job list stands at ", jobs.left(), ",", jobs.top(), " size ",
             jobs.width(), "x", jobs.height());
    checkLaunches(what);
}

// Whether a shell-open target is one the menu, the browser or an install builds.
bool Walk::builtTarget(const std::string& file) const {
    const ModMain& m = *m_mod;
    static const std::vector<std::string> fixed = {"\\website\\index.htm",
                                                   "\\CDContentsAndInstallation.pdf"};
    for (const std::string& f : fixed) {
        if (file == m.CDPath + f)
            return true;
    }
    if (file == m.CDBase)
        return true;
    if (!m.CDRoot.empty()) {
        const ui::ListBox& jobs = m_mod->formMain().lstRMA();
        static const std::vector<std::string> docs = {"",
                                                      "service report.pdf",
                                                      "calibration documents",
                                                      "configuration documents",
                                                      "CON & INI files",
                                                      "recovered data"};
        for (const std::string& id : jobs.entries()) {
            for (const std::string& d : docs) {
                if (file == m.CDRoot + "\\" + id + "_CD_Contents\\" + d)
                    return true;
            }
        }
    }
    if (file == m.SavePath + "\\binstall.bat" || file == m.SavePath + "\\setup31.bat")
        return true;
    // A file found by its name's start and end, or listed in the browser: one name below
    // the software folder (or its reader folder).
    std::vector<std::string> folders;
    for (const std::string& f : {m.CDPath, m.CDPath + "\\Adobe Acrobat"}) {
        folders.push_back(f + "\\");
        const std::string normal = winpath::normalised(f);
        folders.push_back(normal.ends_with('\\') ? normal : normal + "\\");
    }
    for (const std::string& folder : folders) {
        if (file.starts_with(folder) && file.size() > folder.size()) {
            const std::string name = file.substr(folder.size());
            if (name.find('\\') == std::string::npos &&
                (m_fs->fileExists(file) || !m_fs->vanished().empty()))
                return true; // (a file that vanished under the program may be gone since)
        }
    }
    return false;
}

void Walk::checkLaunches(const std::string& what) {
    for (; m_opensSeen < m_launcher.opens.size(); ++m_opensSeen) {
        const std::string& file = m_launcher.opens[m_opensSeen];
        if (!builtTarget(file))
            fail("after ", what, " opened ", escaped(file));
    }
    const std::string& cd = m_mod->CDPath;
    for (; m_runsSeen < m_launcher.runs.size(); ++m_runsSeen) {
        const std::string& run = m_launcher.runs[m_runsSeen];
        const bool console = run == "cmd.exe /k pushd \"" + cd + "\\progsoftware\"&&dir" ||
                             run == "cmd.exe /k pushd \"" + cd + "\"&&dir calpush.exe";
        const std::string notepad = "notepad.exe " + cd + "\\";
        const bool editor =
            run.starts_with(notepad) && run.substr(notepad.size()).find('\\') == std::string::npos;
        if (!console && !editor)
            fail("after ", what, " ran ", escaped(run));
    }
}

std::vector<std::string> Walk::visibleCaptions() {
    return main().visibleItems();
}

void Walk::click(const std::string& caption) {
    FormMain& form = main();
    for (int i = 0; i <= form.lblMainUBound(); ++i) {
        if (form.lblMain(i).visible() && form.lblMain(i).caption() == caption) {
            step("a move over \"" + caption + "\"",
                 [&] { form.raise(UiEvent::of(EventKind::MouseMove, "lblMain", i)); });
            step("a click on \"" + caption + "\"",
                 [&] { form.raise(UiEvent::of(EventKind::Click, "lblMain", i)); });
            break;
        }
    }
    if (m_mod->hasFormFiles() && m_mod->formFiles().visible() && !ended())
        browse();
    if (m_mod->hasFormFileSave() && m_mod->formFileSave().visible() && !ended())
        dialog();
}

void Walk::goTop(int job) {
    for (int i = 0; i < 4 && !ended(); ++i) {
        const auto items = visibleCaptions();
        if (std::find(items.begin(), items.end(), Return) == items.end())
            break;
        click(Return);
    }
    if (job >= 0 && !ended()) {
        step("a click on job " + std::to_string(job), [&] {
            main().lstRMA().userSelect(job);
            main().raise(UiEvent::of(EventKind::Click, "lstRMA"));
        });
    }
}

// Every page reachable from the top page, each item of each clicked once.
void Walk::explore(int job) {
    std::set<std::string> seen;
    std::vector<std::vector<std::string>> roads = {{}};
    for (std::size_t r = 0; r < roads.size() && !ended(); ++r) {
        const std::vector<std::string> road = roads[r];
        auto goThere = [&] {
            goTop(job);
            for (const std::string& c : road)
                click(c);
        };
        goThere();
        std::vector<std::string> items = visibleCaptions();
        items.insert(items.begin(), {"Visit our website offline", "Browse this CD"});
        const std::string here = m_mod->CurrentMenu;
        for (const std::string& item : items) {
            if (ended() || m_steps > 2000)
                return;
            if (m_mod->CurrentMenu != here)
                goThere();
            click(item);
            std::string key = m_mod->CurrentMenu;
            for (const std::string& c : visibleCaptions())
                key += "|" + c;
            if (seen.insert(key).second) {
                auto next = road;
                next.push_back(item);
                roads.push_back(next);
            }
        }
    }
}

// The browser's rows: some selected, viewed, opened by a double-click; now and then saved
// elsewhere, and now and then the browser closed by its frame.
void Walk::browse() {
    FormFiles& browser = m_mod->formFiles();
    ui::FileList& list = browser.FileMain();
    const int rows = list.listCount();
    for (int k = 0; k < std::min(rows, 12) && !ended(); ++k) {
        const int row = static_cast<int>(m_rng.below(static_cast<std::size_t>(rows)));
        step("a click on row " + std::to_string(row), [&] {
            list.userSetCurrent(row);
            list.userSetSelected(row, !list.selected(row));
            browser.raise(UiEvent::of(EventKind::Click, "FileMain"));
        });
        if (m_rng.chance(30))
            step("a double-click on row " + std::to_string(row),
                 [&] { browser.raise(UiEvent::of(EventKind::DblClick, "FileMain")); });
    }
    if (m_rng.chance(50))
        step("View", [&] { browser.raise(UiEvent::of(EventKind::Click, "cmdView")); });
    if (m_rng.chance(60)) {
        step("the browser's Save",
             [&] { browser.raise(UiEvent::of(EventKind::Click, "cmdSave")); });
        if (m_mod->formFileSave().visible())
            dialog();
    }
    if (m_rng.chance(40))
        step("closing the browser by its frame", [&] { m_mod->closeByFrame(browser); });
    else if (browser.visible())
        step("hiding the browser", [&] { browser.hide(); });
}

// The destination dialog: drives and folders changed, paths typed, then Save or Cancel.
void Walk::dialog() {
    FormFileSave& d = m_mod->formFileSave();
    static const std::vector<std::string> typed = {"C:\\dest",
                                                   "C:\\dest\\new folder",
                                                   "C:\\dest\\a\\b\\c",
                                                   "E:\\",
                                                   "C:",
                                                   "Q:\\x",
                                                   "",
                                                   "C:\\dest\\..\\dest",
                                                   "C:\\dest\\x:*?",
                                                   "D:\\",
                                                   "C:\\dest\\\xc3\xa9\xf0\x9f\x8c\x8a",
                                                   "c:\\DEST",
                                                   "C:\\dest\\file.con\\x",
                                                   "\\\\server\\share",
                                                   "C:\\dest\\ trailing. "};
    const std::size_t actions = 1 + m_rng.below(5);
    for (std::size_t i = 0; i < actions && !ended() && d.visible(); ++i) {
        switch (m_rng.below(4)) {
        case 0: {
            const std::string drive(1, m_rng.pick<char>({'c', 'd', 'e', 'q'}));
            step("choosing drive " + drive, [&] { d.Drive1().setDrive(drive); });
            break;
        }
        case 1: {
            const auto rows = d.Dir1().items().size();
            const int row = static_cast<int>(m_rng.below(rows));
            step("opening folder row " + std::to_string(row), [&] { d.Dir1().userOpen(row); });
            break;
        }
        default: {
            const std::string text = m_rng.pick(typed);
            step("typing " + escaped(text), [&] {
                d.txtPath().setText(text);
                if (m_rng.chance(50))
                    d.raise(UiEvent{EventKind::KeyPress, "txtPath", -1, ui::TextBox::KeyEnter});
                else
                    d.raise(UiEvent::of(EventKind::LostFocus, "txtPath"));
            });
            break;
        }
        }
    }
    if (ended() || !d.visible())
        return;
    // Saving writes only where the user chose: the home and the other drive, never the disc.
    const std::string target =
        d.caption() == FormFileSave::CopyMode ? m_mod->SavePath : d.txtPath().text();
    const bool writable =
        !target.empty() && std::string("cCeE").find(target[0]) != std::string::npos;
    if (writable && m_rng.chance(80))
        save();
    else
        step("Cancel", [&] { d.raise(UiEvent::of(EventKind::Click, "cmdCancel")); });
}

// Save: every file selected (copy mode) or of the package (install modes) is afterwards
// either the earlier file or the whole new one; nothing but the chosen folder changes.
void Walk::save() {
    FormFileSave& d = m_mod->formFileSave();
    const bool copyMode = d.caption() == FormFileSave::CopyMode;
    const std::string target = copyMode ? m_mod->SavePath : d.txtPath().text();
    const fs::path dest = host(target);
    const fs::path outside = m_machine.root();
    const Snapshot before = snapshot(outside / "home");
    const Snapshot otherBefore = snapshot(outside / "other");
    struct Copy {
        std::string name;
        std::string source;
        std::optional<std::string> earlier;
    };
    std::vector<Copy> copies;
    if (copyMode && m_mod->hasFormFiles()) {
        const ui::FileList& list = m_mod->formFiles().FileMain();
        for (int i = 0; i < list.listCount(); ++i) {
            if (!list.selected(i))
                continue;
            Copy c{list.list(i), {}, {}};
            const fs::path from = host(m_mod->CDPath + "\\" + c.name);
            c.source = readFile(from);
            const fs::path to = dest / c.name;
            if (isFile(to))
                c.earlier = readFile(to);
            copies.push_back(std::move(c));
        }
    }
    const std::size_t promptsBefore = m_messages.prompts.size();
    ++m_saves;
    step("Save into " + escaped(target),
         [&] { d.raise(UiEvent::of(EventKind::Click, "cmdSave")); });
    // Names that differ only in letter case name one destination file, as on Windows: the
    // later copy replaces the earlier, so any of their contents is a whole file there.
    auto sameFile = [](const Copy& a, const Copy& b) {
        return text::upper(a.name) == text::upper(b.name);
    };
    for (const Copy& c : copies) {
        const fs::path to = dest / c.name;
        if (!isFile(to))
            continue;
        const std::string now = readFile(to);
        const bool whole = std::any_of(copies.begin(), copies.end(), [&](const Copy& o) {
            return sameFile(o, c) && (now == o.source || (o.earlier && now == *o.earlier));
        });
        if (!whole)
            fail(escaped(to.string()), " holds ", now.size(),
                 " bytes, neither the earlier file nor the new one");
    }
    // The summary names only what was copied whole.
    if (copyMode && m_messages.prompts.size() > promptsBefore) {
        const std::string& summary = m_messages.prompts.back();
        for (const Copy& c : copies) {
            const bool alone = std::count_if(copies.begin(), copies.end(),
                                             [&](const Copy& o) { return sameFile(o, c); }) == 1;
            const bool listed = summary.find("\r\n" + c.name) != std::string::npos;
            if (!listed || !alone || !isFile(dest / c.name))
                continue;
            const std::string now = readFile(dest / c.name);
            if (now != c.source)
                fail(escaped(c.name), " is named copied but holds ", now.size(), " bytes of ",
                     c.source.size(), " other than the copied ones");
        }
    }
    // Nothing changed outside the chosen folder but the folders leading to it.
    const std::string destText = dest.string();
    for (const auto* pair : {&before, &otherBefore}) {
        const fs::path root = pair == &before ? outside / "home" : outside / "other";
        const Snapshot after = snapshot(root);
        for (const auto& [path, what] : after) {
            const auto was = pair->find(path);
            const bool changed = was == pair->end() || was->second != what;
            const bool allowed = below(path, destText) || below(destText, path);
            if (changed && !allowed)
                fail("saving into ", escaped(target), " wrote ", escaped(path));
            if (path.find(".discmenu-copy-") != std::string::npos)
                fail("a temporary file was left: ", escaped(path));
        }
        for (const auto& [path, what] : *pair) {
            if (!after.contains(path))
                fail("saving removed ", escaped(path));
        }
    }
}

void Walk::run() {
    m_mod =
        std::make_unique<ModMain>(Ports{*m_fs, m_launcher, m_messages, m_desktop, m_env}, m_trace);
    m_mod->setProgressDelay(std::chrono::milliseconds(0));
    step("start-up", [&] { m_mod->Main(); });
    if (!m_mod->hasFormMain())
        return;
    const ui::ListBox& jobs = main().lstRMA();
    std::vector<int> chosen = {-1};
    if (!m_mod->CDRoot.empty() && jobs.listCount() > 0) {
        chosen = {0, jobs.listCount() - 1};
        for (int i = 0; i < 2; ++i)
            chosen.push_back(
                static_cast<int>(m_rng.below(static_cast<std::size_t>(jobs.listCount()))));
    }
    for (int job : chosen) {
        explore(job);
        if (job >= 0 && !ended() && main().lstRMA().visible())
            step("a double-click on job " + std::to_string(job), [&] {
                main().lstRMA().userSelect(job);
                main().raise(UiEvent::of(EventKind::DblClick, "lstRMA"));
            });
    }
    if (!ended() && m_rng.chance(30))
        step("closing the main window by its frame", [&] { m_mod->closeByFrame(main()); });
    m_mod.reset();
    // The disc is as it was, but for what vanished under the program.
    for (const auto& [path, what] : snapshot(m_disc)) {
        bool touched = false; // a folder that lost an entry, or what is below a lost one
        for (const fs::path& gone : m_fs->vanished())
            touched = touched || below(gone.string(), path) || below(path, gone.string());
        if (touched)
            continue;
        const auto was = m_discBefore.find(path);
        if (was == m_discBefore.end() || was->second != what)
            fail("the disc changed at ", escaped(path));
    }
}

// Ends the process with the seed when a tree takes far too long: a hang.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : m_limit(limit), m_thread([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    void tree(std::uint64_t seed) {
        std::lock_guard lock(m_mutex);
        m_seed = seed;
        m_started = std::chrono::steady_clock::now();
    }

private:
    void watch() {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            m_wake.wait_for(lock, std::chrono::seconds(1));
            if (!m_done && std::chrono::steady_clock::now() - m_started > m_limit) {
                std::cerr << "seed " << m_seed << " hangs: no end after " << m_limit.count()
                          << " s\n";
                std::abort();
            }
        }
    }

    std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::uint64_t m_seed = 0;
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::thread m_thread;
};

// Walks the trees the environment asks for; the number of trees that failed.
std::uint64_t walkTrees() {
    const std::uint64_t first = envNumber("DISCMENU_SEED", 1);
    const std::uint64_t count = envNumber("DISCMENU_TREES", 40);
    // DISCMENU_LEAVE_OUT names hazards to leave aside, separated by commas.
    const std::string leaveOut =
        std::getenv("DISCMENU_LEAVE_OUT") ? std::getenv("DISCMENU_LEAVE_OUT") : "";
    auto kept = [&](const char* name) { return leaveOut.find(name) == std::string::npos; };
    Hazards hazards;
    hazards.links = kept("links");
    hazards.backslashNames = kept("backslash");
    hazards.pipes = kept("pipes");
    hazards.farDates = kept("farDates");
    hazards.packageLoops = kept("packageLoops");
    RightsBind bind;
    hazards.unreadable = bind.holds() && kept("unreadable");
    Watchdog watchdog(std::chrono::seconds(envNumber("DISCMENU_TREE_SECONDS", 120)));
    const auto start = std::chrono::steady_clock::now();
    const bool describe = std::getenv("DISCMENU_DESCRIBE") != nullptr;
    std::uint64_t failed = 0;
    std::uint64_t run = 0;
    Totals totals;
    for (std::uint64_t seed = first; seed < first + count && failed < 5; ++seed, ++run) {
        // The seed goes out first, so that a crash or a sanitizer's report can be followed
        // back to its tree.
        std::cerr << "tree " << seed << "\n";
        watchdog.tree(seed);
        Walk walk(seed, hazards);
        if (describe)
            std::cerr << walk.tree().describe();
        walk.run();
        walk.addTo(totals);
        if ((run + 1) % 1000 == 0)
            std::cout << run + 1 << " trees so far\n" << std::flush;
        // Only a tree that failed keeps its folder: after one failure, a long run would
        // otherwise keep every later tree's folder too.
        if (walk.failures() > 0) {
            ++failed;
            std::cerr << walk.tree().describe();
            walk.keepFolder();
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << run << " trees from seed " << first << " in " << seconds << " s ("
              << (seconds > 0 ? static_cast<double>(run) / seconds : 0.0)
              << " trees/s): " << totals.steps << " steps, " << totals.saves
              << " saves and installs, " << totals.opens << " opens, " << totals.runs
              << " programs started, " << totals.prompts << " messages answered\n";
    if (failed > 0)
        std::cout << failed << " of " << run << " trees failed\n";
    return failed;
}

} // namespace
} // namespace discmenu::tools

int main() {
    try {
        return discmenu::tools::walkTrees() == 0 ? 0 : 1;
    } catch (const std::exception& e) { // a folder for the trees could not be made
        std::cerr << "discwalk: " << e.what() << "\n";
        return 1;
    }
}

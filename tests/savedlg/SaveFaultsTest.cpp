// Copies and installs with a system call failing at every point, with every errno a
// machine gives for it: the user is told the failure with its number, each destination
// file is the one that was there or the whole new one, no temporary file is left, and the
// program goes on (the same Save, once more, copies everything).

#include "DiscFixture.h"
#include "FaultySysCalls.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <set>

namespace discmenu::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>; // path below the destination -> content

// Each call goes to whichever system calls are set now: the real ones while the program
// starts and lists, a faulty set for one Save.
class SwitchedSysCalls : public posix::SysCalls {
public:
    posix::SysCalls* to = nullptr;
    int open(const char* p, int f, mode_t m) override { return to->open(p, f, m); }
    int close(int fd) override { return to->close(fd); }
    ssize_t read(int fd, void* b, std::size_t n) override { return to->read(fd, b, n); }
    ssize_t write(int fd, const void* b, std::size_t n) override { return to->write(fd, b, n); }
    ssize_t copyFileRange(int in, int out, std::size_t n) override {
        return to->copyFileRange(in, out, n);
    }
    int fsync(int fd) override { return to->fsync(fd); }
    int syncFs(int fd) override { return to->syncFs(fd); }
    int rename(const char* a, const char* b) override { return to->rename(a, b); }
    int mkdir(const char* p, mode_t m) override { return to->mkdir(p, m); }
    int unlink(const char* p) override { return to->unlink(p); }
    DIR* openDir(const char* p) override { return to->openDir(p); }
    dirent* readDir(DIR* d) override { return to->readDir(d); }
};

// The failure numbers an errno may be told as. EINTR is told as an access error unless the
// adapter tries the call again, in which case nothing is told.
const std::map<int, std::set<int>> toldAs = {
    {ENOSPC, {61}}, {EIO, {75}},   {EACCES, {70}},
    {EROFS, {70}},  {EINTR, {75}}, {ENOENT, {53, 76}}, // the source or the folder
};

struct Scenario {
    const char* name;
    Files source;  // what the Save is to write, below the destination
    Files earlier; // what stood there before
    std::function<void()> save;
    bool copyMode;
};

class SaveFaults : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        file("one.con", "1");
        file("two.con", std::string(300000, '2')); // more than one read and write
        file("three.con", "3");
        for (const char* f : {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe"})
            file(std::string("brinext.dos/") + f, f);
        file("brinext.dos/Brinext_7.310Rev01-09.pdf", std::string(200000, 'p'));
        file("bxswell.dos/SETUP31.BAT", "setup");
        file("bxswell.dos/B318205.EXE", "exe");
        file("bxswell.dos/DEMO/a.dat", "a");
        file("bxswell.dos/DEMO/deep/b.dat", "b");
        m_switch.to = &m_real;
        m_switchedFs = std::make_unique<posix::PosixFileSystem>(*m_paths, &m_switch);
        m_env.folder = "D:\\autorun";
        m_mod = std::make_unique<ModMain>(
            Ports{*m_switchedFs, m_launcher, m_messages, m_desktop, m_env}, m_trace);
        m_mod->setProgressDelay(std::chrono::milliseconds(0));
        m_mod->Main();
        m_mod->ShowFileBrowser("*.con", "All included .CON file(s)"); // one, three, two
    }

    fs::path dest() const { return home("dest"); }
    void layDestination(const Files& earlier) {
        fs::remove_all(dest());
        fs::create_directories(dest());
        for (const auto& [rel, content] : earlier)
            writeFile(dest() / rel, content);
    }
    Files filesBelow(const fs::path& root) {
        Files out;
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            if (e.is_regular_file())
                out[fs::relative(e.path(), root).string()] = readFile(e.path());
        }
        return out;
    }
    void copyRows(std::initializer_list<int> rows) {
        ui::FileList& list = m_mod->formFiles().FileMain();
        for (int i = 0; i < list.listCount(); ++i)
            list.userSetSelected(i, false);
        for (int r : rows)
            list.userSetSelected(r, true);
        FormFileSave& d = m_mod->formFileSave();
        d.setCaption(FormFileSave::CopyMode);
        d.show();
        m_mod->SavePath = "C:\\dest";
        d.raise(ui::UiEvent::of(ui::EventKind::Click, "cmdSave"));
    }
    void install(const char* caption) {
        FormFileSave& d = m_mod->formFileSave();
        d.setCaption(caption);
        d.show();
        d.txtPath().setText("C:\\dest");
        d.raise(ui::UiEvent::of(ui::EventKind::Click, "cmdSave"));
    }

    // Runs one Save with the given system calls; the messages it showed.
    std::vector<std::string> saveWith(posix::SysCalls& sys, const Scenario& s) {
        layDestination(s.earlier);
        m_messages.prompts.clear();
        m_switch.to = &sys;
        s.save();
        m_switch.to = &m_real;
        return m_messages.prompts;
    }

    void check(const Scenario& s, int error, const std::vector<std::string>& told);

    posix::RealSysCalls m_real;
    SwitchedSysCalls m_switch;
    std::unique_ptr<posix::PosixFileSystem> m_switchedFs;
    std::map<int, int> m_faultsPerErrno;
};

int numberOf(const std::string& message) {
    return std::atoi(message.c_str());
}

void SaveFaults::check(const Scenario& s, int error, const std::vector<std::string>& told) {
    const Files now = filesBelow(home(""));
    for (const auto& [rel, content] : now)
        ASSERT_EQ(rel.find(".discmenu-copy"), std::string::npos) << "temporary file left: " << rel;
    const Files there = filesBelow(dest());
    for (const auto& [rel, content] : there) {
        const bool isNew = s.source.contains(rel) && s.source.at(rel) == content;
        const bool isOld = s.earlier.contains(rel) && s.earlier.at(rel) == content;
        EXPECT_TRUE(isNew || isOld) << rel << " holds " << content.size() << " bytes of neither";
    }
    for (const auto& [rel, content] : s.earlier)
        EXPECT_TRUE(there.contains(rel)) << rel << " that was there is gone";

    // Every failure told is told with a number this errno can give.
    std::vector<std::string> failures = told;
    if (s.copyMode) {
        ASSERT_FALSE(told.empty());
        const std::string summary = told.back();
        ASSERT_TRUE(summary.find(" File(s) copied:") != std::string::npos) << summary;
        failures.pop_back();
        // What the summary lists is there whole; each file it leaves out was told.
        std::size_t listed = 0;
        for (const auto& [rel, content] : s.source) {
            if (summary.find("\r\n" + rel) != std::string::npos) {
                ++listed;
                EXPECT_EQ(there.contains(rel) ? there.at(rel) : "", content) << rel;
            }
        }
        EXPECT_EQ(listed + failures.size(), s.source.size()) << summary;
        for (const std::string& f : failures) {
            if (f.starts_with("Could not save:"))
                EXPECT_TRUE(toldAs.at(error).contains(70)) << f;
            else
                EXPECT_TRUE(toldAs.at(error).contains(numberOf(f))) << f;
        }
    } else {
        for (const std::string& f : failures)
            EXPECT_TRUE(toldAs.at(error).contains(numberOf(f))) << f;
        // A file of the package whose copy was not told as failed is there whole.
        for (const auto& [rel, content] : s.source) {
            const std::string top = rel.substr(0, rel.find('/'));
            bool toldFailed = false;
            for (const std::string& f : failures)
                toldFailed = toldFailed || f.ends_with("\r\n" + top);
            if (!toldFailed) {
                EXPECT_EQ(there.contains(rel) ? there.at(rel) : "", content) << rel;
            }
        }
    }
    // The program goes on: the dialog is gone, and the same Save copies everything now.
    EXPECT_FALSE(m_mod->formFileSave().visible());
    EXPECT_TRUE(s.copyMode ? m_mod->formFiles().visible() : m_mod->formMain().visible());
}

TEST_F(SaveFaults, EveryCallFailingWithEveryErrnoKeepsTheFilesAndGoesOn) {
    const Files quaylog = {{"binstall.bat", "binstall.bat"},
                           {"bx7310d1.exe", "bx7310d1.exe"},
                           {"bx7310d2.exe", "bx7310d2.exe"},
                           {"Brinext_7.310Rev01-09.pdf", std::string(200000, 'p')}};
    const Files swell = {{"SETUP31.BAT", "setup"},
                         {"B318205.EXE", "exe"},
                         {"DEMO/a.dat", "a"},
                         {"DEMO/deep/b.dat", "b"}};
    const std::vector<Scenario> scenarios = {
        {"a copy of one file",
         {{"two.con", std::string(300000, '2')}},
         {{"two.con", "old"}},
         [&] { copyRows({2}); },
         true},
        {"a copy of a selection",
         {{"one.con", "1"}, {"three.con", "3"}, {"two.con", std::string(300000, '2')}},
         {{"one.con", "old one"}, {"two.con", "old two"}},
         [&] {
             copyRows({0, 1, 2});
         },
         true},
        {"the Quaylog install",
         quaylog,
         {{"binstall.bat", "old"}, {"bx7310d2.exe", "old"}},
         [&] { install("Install path for Quaylog"); },
         false},
        {"the Brinext swell install",
         swell,
         {{"SETUP31.BAT", "old"}, {"DEMO/a.dat", "old"}},
         [&] { install("Install path for Brinext swell"); },
         false},
    };
    int faults = 0;
    for (const Scenario& s : scenarios) {
        FaultySysCalls counting;
        EXPECT_EQ(saveWith(counting, s).size(), s.copyMode ? 1u : 0u) << s.name;
        EXPECT_EQ(filesBelow(dest()).size(), s.source.size()) << s.name;
        const int calls = counting.calls();
        ASSERT_GT(calls, 5) << s.name;
        std::cout << s.name << ": " << calls << " calls, each failed with " << toldAs.size()
                  << " errnos\n";
        for (const auto& [error, numbers] : toldAs) {
            for (int failAt = 1; failAt <= calls; ++failAt) {
                SCOPED_TRACE(std::string(s.name) + ": call " + std::to_string(failAt) + " of " +
                             std::to_string(calls) + " fails with " + std::strerror(error));
                FaultySysCalls faulty(failAt, error);
                const auto told = saveWith(faulty, s);
                ++faults;
                check(s, error, told);
                FaultySysCalls clean;
                const auto again = saveWith(clean, s);
                EXPECT_EQ(filesBelow(dest()), s.source);
                EXPECT_EQ(again.size(), s.copyMode ? 1u : 0u);
                if (HasFatalFailure())
                    return;
            }
        }
    }
    std::cout << faults << " faults injected\n";
}

} // namespace
} // namespace discmenu::test

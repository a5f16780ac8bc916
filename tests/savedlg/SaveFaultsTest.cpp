// Copies and installs with a system call failing at every point, with every errno a
// machine gives for it: the user is told the failure with its number, each destination
// file is the one that was there or the whole new one, no temporary file is left, and the
// program goes on (the same Save, once more, copies everything).

#include "DiscFixture.h"
#include "FaultySysCalls.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <set>

namespace discmenu::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>; // path below the destination -> content

// The failure numbers an errno may be told as. EINTR is told as an access error unless the
// adapter tries the call again, in which case nothing is told.
const std::map<int, std::set<int>> toldAs = {
    {ENOSPC, {61}}, {EIO, {75}},   {EACCES, {70}},
    {EROFS, {70}},  {EINTR, {75}}, {ENOENT, {53, 76}}, // the source or the folder
};

struct Scenario {
    const char* caption;   // the dialog's: copy or install
    std::vector<int> rows; // of the browser, selected for a copy
    Files source;          // what the Save is to write, below the destination
    Files earlier;         // what stood there before
    bool copyMode() const { return caption == std::string(FormFileSave::CopyMode); }
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
        for (const auto& [path, content] : swell)
            file("bxswell.dos/" + path, content);
        m_faultyFs = std::make_unique<posix::PosixFileSystem>(*m_paths, &m_sys);
        m_mod = std::make_unique<ModMain>(
            Ports{*m_faultyFs, m_launcher, m_messages, m_desktop, m_env}, m_trace);
        m_mod->setProgressDelay(std::chrono::milliseconds(0));
        m_mod->Main();
        m_mod->ShowFileBrowser("*.con", "All included .CON file(s)"); // one, three, two
    }

    Files filesBelow(const fs::path& root) {
        Files out;
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            if (e.is_regular_file())
                out[fs::relative(e.path(), root).string()] = readFile(e.path());
        }
        return out;
    }
    // Runs one Save on the earlier files, the Nth system call of it failing with the errno
    // given (none with 0); the messages shown.
    std::vector<std::string> saveWith(const Scenario& s, int failAt = 0, int error = 0) {
        fs::remove_all(home("dest"));
        fs::create_directories(home("dest"));
        for (const auto& [rel, content] : s.earlier)
            writeFile(home("dest") / rel, content);
        m_messages.prompts.clear();
        ui::FileList& list = m_mod->formFiles().FileMain();
        for (int i = 0; i < list.listCount(); ++i)
            list.userSetSelected(i, std::ranges::find(s.rows, i) != s.rows.end());
        FormFileSave& d = m_mod->formFileSave();
        d.setCaption(s.caption);
        d.show();
        d.txtPath().setText("C:\\dest");
        m_mod->SavePath = "C:\\dest";
        m_sys = FaultySysCalls(failAt, error);
        d.raise(ui::UiEvent::of(ui::EventKind::Click, "cmdSave"));
        m_calls = m_sys.calls();
        m_sys = FaultySysCalls();
        return m_messages.prompts;
    }
    void check(const Scenario& s, int error, std::vector<std::string> failures);

    const Files swell = {{"SETUP31.BAT", "setup"},
                         {"B318205.EXE", "exe"},
                         {"DEMO/a.dat", "a"},
                         {"DEMO/deep/b.dat", "b"}};
    // The program's system calls: the real ones, but during a Save.
    FaultySysCalls m_sys;
    int m_calls = 0; // made by the last Save
    std::unique_ptr<posix::PosixFileSystem> m_faultyFs;
};

void SaveFaults::check(const Scenario& s, int error, std::vector<std::string> failures) {
    for (const auto& [rel, content] : filesBelow(home("")))
        ASSERT_EQ(rel.find(".discmenu-copy"), std::string::npos) << "temporary file left: " << rel;
    const Files there = filesBelow(home("dest"));
    for (const auto& [rel, content] : there) {
        const bool isNew = s.source.contains(rel) && s.source.at(rel) == content;
        const bool isOld = s.earlier.contains(rel) && s.earlier.at(rel) == content;
        EXPECT_TRUE(isNew || isOld) << rel << " holds " << content.size() << " bytes of neither";
    }
    for (const auto& [rel, content] : s.earlier)
        EXPECT_TRUE(there.contains(rel)) << rel << " that was there is gone";
    auto isWhole = [&](const std::string& rel) {
        EXPECT_EQ(there.contains(rel) ? there.at(rel) : "", s.source.at(rel)) << rel;
    };
    // A copy sums up what it copied: each file it lists is there whole, each it leaves out
    // was told. An install tells each failed file or folder by name: the others are whole.
    std::string summary;
    if (s.copyMode()) {
        ASSERT_FALSE(failures.empty());
        summary = failures.back();
        failures.pop_back();
        ASSERT_NE(summary.find(" File(s) copied:"), std::string::npos) << summary;
    }
    std::size_t listed = 0;
    for (const auto& [rel, content] : s.source) {
        const std::string top = rel.substr(0, rel.find('/'));
        const bool told = std::ranges::any_of(
            failures, [&](const std::string& f) { return f.ends_with("\r\n" + top); });
        const bool inSummary = summary.find("\r\n" + rel) != std::string::npos;
        listed += inSummary;
        if (s.copyMode() ? inSummary : !told)
            isWhole(rel);
    }
    if (s.copyMode()) {
        EXPECT_EQ(listed + failures.size(), s.source.size()) << summary;
    }
    for (const std::string& f : failures) {
        const int number = f.starts_with("Could not save:") ? 70 : std::atoi(f.c_str());
        EXPECT_TRUE(toldAs.at(error).contains(number)) << f;
    }
    // The program goes on: the dialog is gone.
    EXPECT_FALSE(m_mod->formFileSave().visible());
    EXPECT_TRUE(s.copyMode() ? m_mod->formFiles().visible() : m_mod->formMain().visible());
}

TEST_F(SaveFaults, EveryCallFailingWithEveryErrnoKeepsTheFilesAndGoesOn) {
    const Files quaylog = {{"binstall.bat", "binstall.bat"},
                           {"bx7310d1.exe", "bx7310d1.exe"},
                           {"bx7310d2.exe", "bx7310d2.exe"},
                           {"Brinext_7.310Rev01-09.pdf", std::string(200000, 'p')}};
    const std::string two(300000, '2');
    const char* copy = FormFileSave::CopyMode;
    const std::vector<Scenario> scenarios = {
        {copy, {2}, {{"two.con", two}}, {{"two.con", "old"}}},
        {copy,
         {0, 1, 2},
         {{"one.con", "1"}, {"three.con", "3"}, {"two.con", two}},
         {{"one.con", "old one"}, {"two.con", "old two"}}},
        {"Install path for Quaylog",
         {},
         quaylog,
         {{"binstall.bat", "old"}, {"bx7310d2.exe", "old"}}},
        {"Install path for Brinext swell",
         {},
         swell,
         {{"SETUP31.BAT", "old"}, {"DEMO/a.dat", "old"}}},
    };
    int faults = 0;
    for (const Scenario& s : scenarios) {
        EXPECT_EQ(saveWith(s).size(), s.copyMode() ? 1u : 0u) << s.caption;
        EXPECT_EQ(filesBelow(home("dest")), s.source) << s.caption;
        const int calls = m_calls;
        ASSERT_GT(calls, 5) << s.caption;
        for (const auto& [error, numbers] : toldAs) {
            for (int failAt = 1; failAt <= calls; ++failAt, ++faults) {
                SCOPED_TRACE(std::string(s.caption) + ": call " + std::to_string(failAt) + " of " +
                             std::to_string(calls) + " fails with " + std::strerror(error));
                check(s, error, saveWith(s, failAt, error));
                // The same Save, once more, copies everything.
                EXPECT_EQ(saveWith(s).size(), s.copyMode() ? 1u : 0u);
                EXPECT_EQ(filesBelow(home("dest")), s.source);
                if (HasFatalFailure())
                    return;
            }
        }
    }
    std::cout << faults << " faults injected\n";
}

} // namespace
} // namespace discmenu::test

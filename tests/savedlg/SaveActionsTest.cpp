#include "DiscFixture.h"
#include "Unwritable.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

#include <ranges>

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

// A generic software disc with instrument files and both DOS packages.
class SaveActions : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        file("one.con", "1");
        file("two.con", "2");
        file("three.con", "3");
        for (const char* f :
             {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"})
            file(std::string("brinext.dos/") + f, f);
        file("bxswell.dos/SETUP31.BAT", "setup");
        file("bxswell.dos/B318205.EXE", "exe");
        file("bxswell.dos/DEMO/deep/b.dat", "b");
        start();
        m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
        std::filesystem::create_directories(home("out"));
        writeFile(home("out/two.con"), "old");
    }
    FormFiles& browser() { return m_mod->formFiles(); }
    FormFileSave& dialog() { return m_mod->formFileSave(); }
    // Selects entries of the browser (one.con, three.con, two.con) and saves into folder.
    void saveInto(const std::string& folder, const std::vector<int>& rows) {
        for (int i = 0; i < browser().FileMain().listCount(); ++i)
            browser().FileMain().userSetSelected(i, false);
        for (int r : rows)
            browser().FileMain().userSetSelected(r, true);
        dialog().setCaption("Save In");
        dialog().show();
        m_mod->SavePath = folder;
        m_messages.prompts.clear();
        dialog().cmdSave_Click();
    }
};

TEST_F(SaveActions, CopiesTheSelectionAndSumsUp) {
    struct Row {
        const char* folder;
        std::vector<int> selected;
        Strings prompts;
    };
    const Row rows[] = {
        {"C:\\out", {0, 2}, {" 2 File(s) copied:\r\n\r\none.con\r\ntwo.con"}},
        // The destination folder is missing: each file is told, none is counted.
        {"C:\\missing",
         {0, 1},
         {"76\r\nPath not found", "76\r\nPath not found", " 0 File(s) copied:\r\n"}},
        {"C:\\", {}, {" 0 File(s) copied:\r\n"}},
    };
    for (const Row& r : rows) {
        saveInto(r.folder, r.selected);
        EXPECT_EQ(m_messages.prompts, r.prompts) << r.folder;
        EXPECT_FALSE(dialog().visible());
        EXPECT_TRUE(browser().visible());
        EXPECT_EQ(browser().FileMain().selected(0), r.selected.size() > 0); // left as it was
    }
    EXPECT_EQ(readFile(home("out/one.con")), "1");
    EXPECT_EQ(readFile(home("out/two.con")), "2"); // replaced without asking
    EXPECT_FALSE(std::filesystem::exists(home("out/three.con")));
}

TEST_F(SaveActions, APermissionDeniedFileIsToldByName) {
    std::filesystem::create_directories(home("ro"));
    writeFile(home("ro/one.con"), "old");
    Unwritable ro(home("ro/one.con"));
    if (!ro.holds())
        GTEST_SKIP() << "this file system cannot refuse the superuser";
    saveInto("C:\\ro", {0, 2});
    EXPECT_EQ(m_messages.prompts, (Strings{"Could not save:one.con\r\nTo: C:\\ro",
                                           " 1 File(s) copied:\r\n\r\ntwo.con"}));
    EXPECT_EQ(readFile(home("ro/one.con")), "old");
}

TEST_F(SaveActions, ALongCopyShowsItsProgress) {
    m_mod->setProgressDelay(std::chrono::milliseconds(0));
    saveInto("C:\\out", {0});
    EXPECT_EQ(m_desktop.progress, (Strings{"Copying one.con 100", "end"}));
}

// Each package is copied into the typed folder and its batch file started there. Without
// its package an install is told, file by file, and starts nothing: not even a batch file
// left there by an earlier install.
TEST_F(SaveActions, InstallsThePackagesAndStartsTheirBatchFiles) {
    struct Row {
        const char* caption;
        const char* folder;  // below C:\dos
        const char* files;   // there afterwards, "name" holding its name or "name=content"
        const char* started; // empty: nothing, and each file of the package told missing
    };
    const Row rows[] = {
        {"Install path for Quaylog", "q",
         "binstall.bat|bx7310d1.exe|bx7310d2.exe|Brinext_7.310Rev01-09.pdf", "binstall.bat"},
        {"Install path for Brinext swell", "s",
         "SETUP31.BAT=setup|B318205.EXE=exe|DEMO/deep/b.dat=b", "setup31.bat"},
        {"Install path for Quaylog", "stale", "binstall.bat=stale", ""},
    };
    writeFile(home("dos/stale/binstall.bat"), "stale");
    std::filesystem::create_directories(home("dos/q"));
    std::filesystem::create_directories(home("dos/s"));
    for (const Row& r : rows) {
        if (!*r.started)
            std::filesystem::remove_all(host("brinext.dos"));
        m_mod->formMain().hide();
        dialog().setCaption(r.caption);
        dialog().show();
        const std::string folder = std::string("C:\\dos\\") + r.folder;
        dialog().txtPath().setText(folder);
        m_messages.prompts.clear();
        m_launcher.opens.clear();
        dialog().cmdSave_Click();
        for (const auto part : std::views::split(std::string_view(r.files), '|')) {
            const std::string f(part.begin(), part.end()), name = f.substr(0, f.find('='));
            EXPECT_EQ(readFile(home("dos/" + std::string(r.folder) + "/" + name)),
                      f.contains('=') ? f.substr(name.size() + 1) : f);
        }
        std::vector<FakeLauncher::Open> started;
        if (*r.started)
            started.push_back({folder + "\\" + r.started, folder, "FormFileSave"});
        EXPECT_EQ(m_launcher.opens, started) << folder;
        Strings told;
        for (const char* f :
             {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"})
            told.push_back(std::string("53\r\nFile not found\r\n") + f);
        EXPECT_EQ(m_messages.prompts, *r.started ? Strings{} : told);
        EXPECT_EQ(m_mod->SavePath, folder);
        EXPECT_FALSE(dialog().visible());
        EXPECT_TRUE(m_mod->formMain().visible());
    }
}

} // namespace
} // namespace discmenu::test

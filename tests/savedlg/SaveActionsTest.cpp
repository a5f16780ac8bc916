#include "DiscFixture.h"
#include "Unwritable.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

namespace discmenu::test {
namespace {

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
        file("bxswell.dos/DEMO/a.dat", "a");
        file("bxswell.dos/DEMO/deep/b.dat", "b");
        start();
        m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    }
    FormFiles& browser() { return m_mod->formFiles(); }
    FormFileSave& dialog() { return m_mod->formFileSave(); }
    // Selects entries of the browser (one.con, three.con, two.con) and saves into folder.
    void saveInto(const std::string& folder, std::initializer_list<int> rows) {
        for (int r : rows)
            browser().FileMain().userSetSelected(r, true);
        dialog().setCaption("Save In");
        dialog().show();
        m_mod->SavePath = folder;
        m_messages.prompts.clear();
        dialog().cmdSave_Click();
    }
    void installInto(const char* caption, const std::string& folder) {
        dialog().setCaption(caption);
        dialog().show();
        dialog().txtPath().setText(folder);
        m_messages.prompts.clear();
        m_launcher.opens.clear();
        dialog().cmdSave_Click();
    }
};

TEST_F(SaveActions, CopiesTheSelectionAndSumsUp) {
    std::filesystem::create_directories(home("out"));
    writeFile(home("out/two.con"), "old");
    saveInto("C:\\out", {0, 2});
    EXPECT_EQ(m_messages.prompts,
              (std::vector<std::string>{" 2 File(s) copied:\r\n\r\none.con\r\ntwo.con"}));
    EXPECT_EQ(readFile(home("out/one.con")), "1");
    EXPECT_EQ(readFile(home("out/two.con")), "2"); // replaced without asking
    EXPECT_FALSE(std::filesystem::exists(home("out/three.con")));
    EXPECT_FALSE(dialog().visible());
    EXPECT_TRUE(browser().visible());
    EXPECT_TRUE(browser().FileMain().selected(0)); // the selection stays as it was
}

TEST_F(SaveActions, CopyFailures) {
    // The destination folder is missing: each file is told, none is counted.
    saveInto("C:\\missing", {0, 1});
    EXPECT_EQ(m_messages.prompts,
              (std::vector<std::string>{"76\r\nPath not found", "76\r\nPath not found",
                                        " 0 File(s) copied:\r\n"}));

    // Nothing selected (the selection was cleared after the dialog opened).
    browser().FileMain().userSetSelected(0, false);
    browser().FileMain().userSetSelected(1, false);
    saveInto("C:\\", {});
    EXPECT_EQ(m_messages.prompts, (std::vector<std::string>{" 0 File(s) copied:\r\n"}));
}

TEST_F(SaveActions, APermissionDeniedFileIsToldByName) {
    std::filesystem::create_directories(home("ro"));
    writeFile(home("ro/one.con"), "old");
    Unwritable ro(home("ro/one.con"));
    if (!ro.holds())
        GTEST_SKIP() << "this file system cannot refuse the superuser";
    saveInto("C:\\ro", {0, 2});
    EXPECT_EQ(m_messages.prompts, (std::vector<std::string>{"Could not save:one.con\r\nTo: C:\\ro",
                                                            " 1 File(s) copied:\r\n\r\ntwo.con"}));
    EXPECT_EQ(readFile(home("ro/one.con")), "old");
}

TEST_F(SaveActions, InstallsThePackagesAndStartsTheirBatchFiles) {
    std::filesystem::create_directories(home("dos/q"));
    std::filesystem::create_directories(home("dos/s"));
    m_mod->formMain().hide();
    installInto("Install path for Quaylog", "C:\\dos\\q");
    for (const char* f :
         {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"})
        EXPECT_EQ(readFile(home(std::string("dos/q/") + f)), f);
    ASSERT_EQ(m_launcher.opens.size(), 1u);
    EXPECT_EQ(m_launcher.opens[0],
              (FakeLauncher::Open{"C:\\dos\\q\\binstall.bat", "C:\\dos\\q", "FormFileSave"}));
    EXPECT_EQ(m_mod->SavePath, "C:\\dos\\q");
    EXPECT_TRUE(m_messages.prompts.empty());
    EXPECT_FALSE(dialog().visible());
    EXPECT_TRUE(m_mod->formMain().visible());

    installInto("Install path for Brinext swell", "C:\\dos\\s");
    EXPECT_EQ(readFile(home("dos/s/SETUP31.BAT")), "setup");
    EXPECT_EQ(readFile(home("dos/s/B318205.EXE")), "exe");
    EXPECT_EQ(readFile(home("dos/s/DEMO/deep/b.dat")), "b");
    ASSERT_EQ(m_launcher.opens.size(), 1u);
    EXPECT_EQ(m_launcher.opens[0].file, "C:\\dos\\s\\setup31.bat");
    EXPECT_EQ(m_launcher.opens[0].folder, "C:\\dos\\s");
}

TEST_F(SaveActions, AnInstallWithoutItsPackageIsToldAndStartsNothing) {
    std::filesystem::remove_all(host("brinext.dos"));
    std::filesystem::create_directories(home("dos"));
    writeFile(home("dos/binstall.bat"), "stale"); // left by an earlier install
    m_mod->formMain().hide();
    installInto("Install path for Quaylog", "C:\\dos");
    ASSERT_EQ(m_messages.prompts.size(), 4u);
    EXPECT_EQ(m_messages.prompts[0], "53\r\nFile not found\r\nbinstall.bat");
    EXPECT_EQ(m_messages.prompts[3], "53\r\nFile not found\r\nBrinext_7.310Rev01-09.pdf");
    EXPECT_TRUE(m_launcher.opens.empty()); // the stale batch file does not run
    EXPECT_EQ(readFile(home("dos/binstall.bat")), "stale");
    EXPECT_FALSE(dialog().visible());
    EXPECT_TRUE(m_mod->formMain().visible());
}

TEST_F(SaveActions, ALongCopyShowsItsProgress) {
    std::filesystem::create_directories(home("out"));
    m_mod->setProgressDelay(std::chrono::milliseconds(0));
    saveInto("C:\\out", {0});
    EXPECT_EQ(m_desktop.progress, (std::vector<std::string>{"Copying one.con 100", "end"}));
}

TEST_F(SaveActions, AnyOtherCaptionDoesNothing) {
    dialog().setCaption("Save in");
    dialog().show();
    m_messages.prompts.clear();
    dialog().cmdSave_Click();
    EXPECT_TRUE(dialog().visible());
    EXPECT_TRUE(m_messages.prompts.empty());
}

} // namespace
} // namespace discmenu::test

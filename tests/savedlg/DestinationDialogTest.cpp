#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

namespace discmenu::test {
namespace {

class DestinationDialog : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        folder("CD Current Version (7.16)/Components");
        folder("1001_CD_Contents");
        std::filesystem::create_directories(home("Data"));
        start();
    }
    FormFileSave& dialog() { return m_mod->formFileSave(); }
    // Types a path and presses Enter.
    void enter(const std::string& path) {
        dialog().txtPath().setText(path);
        dialog().raise({ui::EventKind::KeyPress, "txtPath", -1, ui::TextBox::KeyEnter});
    }
};

TEST_F(DestinationDialog, FirstOpeningStartsAtTheSavePath) {
    EXPECT_EQ(m_mod->SavePath, "C:\\");
    FormFileSave& d = dialog();
    EXPECT_EQ(d.caption(), "Save In");
    EXPECT_EQ(d.Dir1().path(), "C:\\");
    EXPECT_EQ(d.Drive1().drive(), "c:");
    EXPECT_EQ(d.txtPath().text(), "C:\\");
    EXPECT_EQ(m_mod->SavePath, "C:\\");
}

TEST_F(DestinationDialog, FolderListAndDriveListSetThePath) {
    FormFileSave& d = dialog();
    // A double-click on Data takes it at once, without Enter.
    d.Dir1().userOpen(1);
    EXPECT_EQ(d.txtPath().text(), "C:\\Data");
    EXPECT_EQ(m_mod->SavePath, "C:\\Data");

    d.Drive1().setDrive("e:");
    EXPECT_EQ(d.Dir1().path(), "E:\\");
    EXPECT_EQ(d.txtPath().text(), "E:\\");
    EXPECT_EQ(m_mod->SavePath, "E:\\"); // through the folder list's Change

    // A drive that cannot be read is told; the drive list shows the drive before it.
    std::filesystem::remove_all(m_temp.path() / "other");
    d.Drive1().setDrive("c:");
    d.Drive1().setDrive("e:");
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0], "The drive could not be read:\r\ne:\r\nPath not found");
    EXPECT_EQ(d.Drive1().drive(), "c:");
    EXPECT_EQ(m_mod->SavePath, "C:\\");
}

TEST_F(DestinationDialog, PathCheck) {
    struct Row {
        std::string typed;
        std::vector<Answer> answers;
        std::vector<std::string> prompts;
        std::string text, savePath;
    };
    const std::vector<Row> rows = {
        {"C:\\Data", {}, {}, "C:\\Data", "C:\\Data"},
        {"Q:\\x", {}, {"Error, Drive not found:\r\nQ:\\x"}, "C:\\", "C:\\"},
        {"C:\\New\\Sub",
         {Answer::Cancel},
         {"Founder Not found, create new directory?\r\nC:\\New\\Sub"},
         "C:\\",
         "C:\\"},
        {"C:\\New\\Sub",
         {Answer::Ok},
         {"Founder Not found, create new directory?\r\nC:\\New\\Sub"},
         "C:\\New\\Sub",
         "C:\\New\\Sub"},
    };
    for (const Row& r : rows) {
        dialog().Dir1().userOpen(0); // back to C:\ before each
        m_messages.prompts.clear();
        m_messages.answers.assign(r.answers.begin(), r.answers.end());
        enter(r.typed);
        EXPECT_EQ(m_messages.prompts, r.prompts) << r.typed;
        EXPECT_EQ(dialog().txtPath().text(), r.text) << r.typed;
        EXPECT_EQ(m_mod->SavePath, r.savePath) << r.typed;
    }
    EXPECT_TRUE(std::filesystem::is_directory(home("New/Sub")));
    EXPECT_EQ(dialog().Dir1().path(), "C:\\New\\Sub");

    // Losing the focus checks as Enter does.
    m_messages.prompts.clear();
    dialog().txtPath().setText("Q:\\y");
    dialog().raise(ui::UiEvent::of(ui::EventKind::LostFocus, "txtPath"));
    EXPECT_EQ(m_messages.prompts, (std::vector<std::string>{"Error, Drive not found:\r\nQ:\\y"}));
}

TEST_F(DestinationDialog, CreateFolderPath) {
    struct Row {
        const char* path;
        bool created;
        const char* exists; // below C:'s folder; empty: nothing is created
    };
    const Row rows[] = {
        {"C:\\One\\Two\\Three", true, "One/Two/Three"},
        // With a trailing separator the folder is made by the recursion; the last creation
        // then finds it there.
        {"C:\\Four\\", false, "Four"},
        {"Five", false, ""},
        {"", false, ""},
        {"Q:\\Six", false, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(m_mod->CreateFolderPath(r.path), r.created) << r.path;
        if (*r.exists) {
            EXPECT_TRUE(std::filesystem::is_directory(home(r.exists))) << r.path;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(home("Five")));
}

// A pasted path of a hundred thousand names once took the program's memory without end
// (a typed path played through the fuzz target); one of 300 names is still made.
TEST_F(DestinationDialog, CreateFolderPathOfManyNames) {
    std::string deep = "C:\\deep";
    for (int i = 0; i < 300; ++i)
        deep += "\\d";
    EXPECT_TRUE(m_mod->CreateFolderPath(deep));
    EXPECT_TRUE(m_fs->folderExists(deep));
    std::string monster = "C:\\monster";
    for (int i = 0; i < 100000; ++i)
        monster += "\\m";
    EXPECT_FALSE(m_mod->CreateFolderPath(monster));
    EXPECT_FALSE(std::filesystem::exists(home("monster")));
}

TEST_F(DestinationDialog, CancelByMode) {
    struct Row {
        const char* caption;
        bool dialogHidden;
        const char* shown; // the window brought back
    };
    const Row rows[] = {{"Save In", true, "FormFiles"},
                        {"Install path for Quaylog", true, "formMain"},
                        {"Install path for Brinext swell", true, "formMain"},
                        {"Something else", false, ""}};
    for (const Row& r : rows) {
        m_mod->formMain().hide();
        if (m_mod->hasFormFiles())
            m_mod->formFiles().hide();
        dialog().setCaption(r.caption);
        dialog().show();
        dialog().cmdCancel_Click();
        EXPECT_EQ(!dialog().visible(), r.dialogHidden) << r.caption;
        EXPECT_EQ(m_mod->formMain().visible(), std::string(r.shown) == "formMain") << r.caption;
        EXPECT_EQ(m_mod->hasFormFiles() && m_mod->formFiles().visible(),
                  std::string(r.shown) == "FormFiles")
            << r.caption;
    }
}

TEST_F(DestinationDialog, AClickThatTookTheFocusRunsAfterThePathChecksMessage) {
    for (const char* f :
         {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"})
        file(std::string("CD Current Version (7.16)/Components/brinext.dos/") + f, f);
    // The user types a path and clicks a button: the text box loses the focus to it.
    auto typeThenClick = [&](const char* caption, const std::string& path, const char* button) {
        dialog().setCaption(caption);
        dialog().show();
        dialog().txtPath().setText(path);
        m_messages.prompts.clear();
        ui::UiEvent lost = ui::UiEvent::of(ui::EventKind::LostFocus, "txtPath");
        lost.focusTo = button;
        dialog().raise(lost);
    };
    m_mod->formFiles().hide();
    typeThenClick("Save In", "C:\\New", "cmdCancel");
    EXPECT_EQ(m_messages.prompts.size(), 1u); // the create question, answered OK
    EXPECT_TRUE(std::filesystem::is_directory(home("New")));
    EXPECT_FALSE(dialog().visible()); // and Cancel still ran
    EXPECT_TRUE(m_mod->formFiles().visible());

    typeThenClick("Save In", "Q:\\x", "cmdCancel");
    EXPECT_EQ(m_messages.prompts, (std::vector<std::string>{"Error, Drive not found:\r\nQ:\\x"}));
    EXPECT_FALSE(dialog().visible());

    typeThenClick("Install path for Quaylog", "C:\\Dos\\Quaylog", "cmdSave");
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(readFile(home("Dos/Quaylog/binstall.bat")), "binstall.bat");
    EXPECT_EQ(m_launcher.opens.back().file, "C:\\Dos\\Quaylog\\binstall.bat");

    // Without a message the click reaches its button by itself; the focus change alone
    // runs nothing more than the path check.
    typeThenClick("Save In", "C:\\Data", "cmdCancel");
    EXPECT_TRUE(m_messages.prompts.empty());
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(m_mod->SavePath, "C:\\Data");
}

TEST_F(DestinationDialog, DosInstallationRowsCaptionTheDialog) {
    FormMain& main = m_mod->formMain();
    main.ShowDosSoftwareMenu();
    main.lblMain_Click(2); // "Install Quaylog for DOS"
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0],
              "Please select the folder you would like this software intsalled in. (The files will "
              "be extracted and installed automatically into the selected directory)");
    EXPECT_EQ(dialog().caption(), "Install path for Quaylog");
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(main.caption(), "Tidewell Software CD - DOS software");
    FormFileSave* first = &dialog();
    dialog().takeBringToFront();
    main.lblMain_Click(3); // "Install Brinext swell for DOS": the same dialog, re-captioned
    EXPECT_EQ(&dialog(), first);
    EXPECT_EQ(dialog().caption(), "Install path for Brinext swell");
    EXPECT_EQ(m_messages.prompts.size(), 2u);
    // Shown again while it is open, it comes to the front rather than staying behind.
    EXPECT_TRUE(dialog().takeBringToFront());

    // So does the browser's Save while the dialog is open.
    dialog().takeBringToFront();
    file("CD Current Version (7.16)/Components/a.con");
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    m_mod->formFiles().FileMain().userSetSelected(0, true);
    m_mod->formFiles().cmdSave_Click();
    EXPECT_TRUE(dialog().takeBringToFront());
}

TEST_F(DestinationDialog, TheBrowsersSaveOpensTheDialogOnlyWithASelection) {
    file("CD Current Version (7.16)/Components/a.con");
    m_mod->ShowFileBrowser("*.con", "x");
    FormFiles& browser = m_mod->formFiles();
    browser.cmdSave_Click();
    EXPECT_FALSE(m_mod->hasFormFileSave());
    browser.FileMain().userSetSelected(0, true);
    browser.cmdSave_Click();
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(dialog().caption(), "Save In");
    EXPECT_NE(m_traceText.str().find("show\tFormFileSave\n"), std::string::npos);
}

} // namespace
} // namespace discmenu::test

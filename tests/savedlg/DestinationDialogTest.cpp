#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

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
};

TEST_F(DestinationDialog, FolderListAndDriveListSetThePath) {
    FormFileSave& d = dialog();
    // The first opening starts at the save path.
    EXPECT_EQ(d.caption(), "Save In");
    EXPECT_EQ(d.Dir1().path() + d.Drive1().drive() + d.txtPath().text(), "C:\\c:C:\\");
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
    EXPECT_EQ(m_messages.prompts, Strings{"The drive could not be read:\r\ne:\r\nPath not found"});
    EXPECT_EQ(d.Drive1().drive(), "c:");
    EXPECT_EQ(m_mod->SavePath, "C:\\");
}

// A pasted path of a hundred thousand names once took the program's memory without end
// (a typed path played through the fuzz target); one of 300 names is still made.
TEST_F(DestinationDialog, CreateFolderPath) {
    std::string deep = "C:\\deep";
    std::string monster = "C:\\monster";
    for (int i = 0; i < 300; ++i)
        deep += "\\d";
    for (int i = 0; i < 100000; ++i)
        monster += "\\m";
    struct Row {
        std::string path;
        bool created;
        const char* exists; // below C:'s folder afterwards; empty: nothing is made
    };
    const std::vector<Row> rows = {
        {"C:\\One\\Two\\Three", true, "One/Two/Three"},
        // With a trailing separator the folder is made as the parent of an empty name, whose
        // own creation then fails.
        {"C:\\Four\\", false, "Four"},
        {"Five", false, ""},
        {"", false, ""},
        {"Q:\\Six", false, ""},
        {deep, true, "deep"},
        {monster, false, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(m_mod->CreateFolderPath(r.path), r.created) << r.path.substr(0, 20);
        if (*r.exists) {
            EXPECT_TRUE(std::filesystem::is_directory(home(r.exists))) << r.path.substr(0, 20);
        }
    }
    EXPECT_TRUE(m_fs->folderExists(deep));
    // Data, One, Four and deep: nothing else was made.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home("")), {}), 4);
}

TEST_F(DestinationDialog, CancelByMode) {
    const std::pair<const char*, const char*> rows[] = {
        {"Save In", "FormFiles"},
        {"Install path for Quaylog", "formMain"},
        {"Install path for Brinext swell", "formMain"},
        {"Save in", "FormFileSave"}}; // one letter off: no mode; Cancel does nothing, Save too
    for (const auto& [caption, shown] : rows) {
        m_mod->formMain().hide();
        if (m_mod->hasFormFiles())
            m_mod->formFiles().hide();
        dialog().setCaption(caption);
        dialog().show();
        dialog().cmdCancel_Click();
        std::string windows;
        for (ui::Form* form : m_mod->loadedForms())
            windows += form->visible() ? form->name() : "";
        EXPECT_EQ(windows, shown) << caption;
    }
    dialog().cmdSave_Click();
    EXPECT_TRUE(dialog().visible());
    EXPECT_TRUE(m_messages.prompts.empty());
}

// The typed path is checked on Enter, and as the path box loses the focus. When the user
// clicks Save or Cancel, the focus goes to it; after the path check's message the dialog
// runs the click itself, once, and the adapter lets the press's own click go; without a
// message the click reaches its button by itself.
TEST_F(DestinationDialog, AClickThatTookTheFocusRunsAfterThePathChecksMessage) {
    for (const char* f :
         {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"})
        file(std::string("CD Current Version (7.16)/Components/brinext.dos/") + f, f);
    struct Row {
        const char* typed;
        const char* then; // Enter, or where the focus goes
        Answer answer;
        std::string prompt;
        const char* path; // the path box and the save path after it
        bool clickRun = false;
        const char* caption = "Save In";
    };
    const std::string create = "Founder Not found, create new directory?\r\n";
    const std::string noDrive = "Error, Drive not found:\r\n";
    const Row rows[] = {
        {"C:\\Data", "Enter", Answer::Ok, "", "C:\\Data"},
        {"Q:\\x", "Enter", Answer::Ok, noDrive + "Q:\\x", "C:\\"},
        {"C:\\New\\Sub", "Enter", Answer::Cancel, create + "C:\\New\\Sub", "C:\\"},
        {"C:\\New\\Sub", "Enter", Answer::Ok, create + "C:\\New\\Sub", "C:\\New\\Sub"},
        {"Q:\\y", "", Answer::Ok, noDrive + "Q:\\y", "C:\\"},
        {"C:\\Other", "cmdCancel", Answer::Ok, create + "C:\\Other", "C:\\Other", true},
        {"Q:\\x", "cmdCancel", Answer::Ok, noDrive + "Q:\\x", "C:\\", true},
        {"C:\\Dos\\Quaylog", "cmdSave", Answer::Ok, create + "C:\\Dos\\Quaylog", "C:\\Dos\\Quaylog",
         true, "Install path for Quaylog"},
        {"C:\\Data", "cmdCancel", Answer::Ok, "", "C:\\Data"},
    };
    m_mod->formFiles().hide();
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.typed) + " " + r.then);
        dialog().setCaption(r.caption);
        dialog().show();
        dialog().Dir1().userOpen(0); // back to C:\ before each
        dialog().txtPath().setText(r.typed);
        m_messages.prompts.clear();
        m_messages.answers = {r.answer};
        m_launcher.opens.clear();
        ui::UiEvent lost = ui::UiEvent::of(ui::EventKind::LostFocus, "txtPath");
        lost.focusTo = r.then;
        dialog().raise(
            r.then == std::string("Enter")
                ? ui::UiEvent{ui::EventKind::KeyPress, "txtPath", -1, ui::TextBox::KeyEnter}
                : lost);
        EXPECT_EQ(m_messages.prompts, r.prompt.empty() ? Strings{} : Strings{r.prompt});
        EXPECT_EQ(dialog().txtPath().text() + "|" + m_mod->SavePath,
                  r.path + ("|" + std::string(r.path)));
        EXPECT_EQ(dialog().takeClickRunOnFocus(), r.clickRun);
        EXPECT_EQ(dialog().visible(), !r.clickRun);
        EXPECT_EQ(m_launcher.opens.size(), r.caption == std::string("Save In") ? 0u : 1u);
        for (const auto& o : m_launcher.opens)
            EXPECT_EQ(o.file, r.path + std::string("\\binstall.bat"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(home("New/Sub")) &&
                std::filesystem::is_directory(home("Other")));
    EXPECT_EQ(readFile(home("Dos/Quaylog/binstall.bat")), "binstall.bat");
}

// Each DOS installation row captions the one dialog anew; shown again while it is open, as
// by the browser's Save too, it comes to the front rather than staying behind.
TEST_F(DestinationDialog, DosInstallationRowsCaptionTheDialog) {
    FormMain& main = m_mod->formMain();
    main.ShowDosSoftwareMenu();
    main.lblMain_Click(2); // "Install Quaylog for DOS"
    const FormFileSave* first = &dialog();
    EXPECT_EQ(dialog().caption(), "Install path for Quaylog");
    EXPECT_TRUE(dialog().takeBringToFront());
    main.lblMain_Click(3); // "Install Brinext swell for DOS"
    EXPECT_EQ(&dialog(), first);
    EXPECT_EQ(dialog().caption(), "Install path for Brinext swell");
    EXPECT_TRUE(dialog().takeBringToFront());
    EXPECT_EQ(main.caption(), "Tidewell Software CD - DOS software");
    // The browser's Save opens it only with something selected.
    file("CD Current Version (7.16)/Components/a.con");
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    m_mod->formFiles().cmdSave_Click();
    EXPECT_FALSE(dialog().takeBringToFront());
    m_mod->formFiles().FileMain().userSetSelected(0, true);
    m_mod->formFiles().cmdSave_Click();
    EXPECT_TRUE(dialog().takeBringToFront());
    EXPECT_EQ(dialog().caption(), "Save In");
}

} // namespace
} // namespace discmenu::test

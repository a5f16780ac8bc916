#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

// A software disc made for a job, with instrument files of several kinds.
class FileBrowser : public DiscFixture {
protected:
    void SetUp() override {
        file("A17.job", "7.16\r\nMarch 2007\r\n");
        for (const char* f : {"Shoal7.con", "SquallO2.CON", "deck.ini", "Shoal7 Manual.pdf",
                              "Overview MANUAL.PDF", "readme.txt"})
            file(f);
        start();
    }
    FormMain& main() { return m_mod->formMain(); }
    FormFiles& browser() { return m_mod->formFiles(); }
    void click(const std::string& caption) {
        for (int i = 0; i <= main().lblMainUBound(); ++i) {
            if (main().lblMain(i).visible() && main().lblMain(i).caption() == caption)
                return main().lblMain_Click(i);
        }
        ADD_FAILURE() << "no visible item " << caption;
    }
    // What the launcher was asked to do since the last call.
    std::string did() {
        std::string out;
        for (const auto& o : m_launcher.opens)
            out += "open " + o.file + " in " + o.folder + " by " + o.owner + "\n";
        for (const auto& r : m_launcher.runs)
            out += "run " + r + "\n";
        m_launcher.opens.clear();
        m_launcher.runs.clear();
        return out;
    }
};

// The one browser window lists each kind anew, and opens by the pattern, not by the file.
TEST_F(FileBrowser, OpensByThePatternNotByTheFile) {
    struct Row {
        const char* pattern;
        Strings names;
        std::string did; // View with every entry selected, lower index first
    };
    const std::vector<Row> rows = {
        {"*.con",
         {"Shoal7.con", "SquallO2.CON"},
         "run notepad.exe D:\\\\Shoal7.con\nrun notepad.exe D:\\\\SquallO2.CON\n"},
        {"*.CON",
         {"Shoal7.con", "SquallO2.CON"},
         "run notepad.exe D:\\\\Shoal7.con\nrun notepad.exe D:\\\\SquallO2.CON\n"},
        {"*.ini", {"deck.ini"}, "run notepad.exe D:\\\\deck.ini\n"},
        {"*manual*.pdf",
         {"Overview MANUAL.PDF", "Shoal7 Manual.pdf"},
         "open D:\\\\Overview MANUAL.PDF in D:\\autorun by FormFiles\n"
         "open D:\\\\Shoal7 Manual.pdf in D:\\autorun by FormFiles\n"},
        {"*.txt", {"readme.txt"}, ""}, // listed, but not opened
    };
    const FormFiles* first = &browser();
    for (const Row& r : rows) {
        m_mod->ShowFileBrowser(r.pattern, r.pattern);
        EXPECT_EQ(&browser(), first);
        EXPECT_TRUE(browser().visible());
        EXPECT_EQ(browser().FileMain().path(), "D:\\");
        EXPECT_EQ(browser().FileMain().names(), r.names) << r.pattern;
        EXPECT_FALSE(browser().FileMain().selected(0)) << r.pattern; // the last selection is gone
        for (int i = 0; i < browser().FileMain().listCount(); ++i)
            browser().FileMain().userSetSelected(i, true);
        browser().cmdView_Click();
        EXPECT_EQ(did(), r.did) << r.pattern;
    }
}

TEST_F(FileBrowser, ViewOpensTheSelectionAndDoubleClickTheCurrentEntry) {
    m_mod->ShowFileBrowser("*.con", "x");
    browser().cmdView_Click();
    EXPECT_EQ(did(), ""); // nothing selected

    browser().FileMain().userSetCurrent(1);
    browser().raise(ui::UiEvent::of(ui::EventKind::DblClick, "FileMain"));
    EXPECT_EQ(did(), "run notepad.exe D:\\\\SquallO2.CON\n");

    // An editor that cannot be started is told, and the browser goes on.
    m_launcher.failRuns = true;
    browser().raise(ui::UiEvent::of(ui::EventKind::DblClick, "FileMain"));
    EXPECT_EQ(m_messages.prompts, Strings{"The text editor could not be started for:\r\n"
                                          "D:\\\\SquallO2.CON\r\nFile not found"});
}

TEST_F(FileBrowser, AFolderThatCannotBeListedIsTold) {
    m_mod->CDPath = "D:\\gone";
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    EXPECT_EQ(m_messages.prompts, Strings{"The files of this disc could not be listed:\r\n"
                                          "D:\\gone\r\nPath not found"});
    EXPECT_EQ(browser().caption(), "All included .CON file(s)");
    EXPECT_EQ(browser().FileMain().listCount(), 0);
}

TEST_F(FileBrowser, LaysItselfOutOnLoadAndResize) {
    FormFiles& b = browser();
    EXPECT_EQ(b.caption(), "Form1");
    EXPECT_EQ(std::pair(b.cmdView().left(), b.cmdView().top()), std::pair(615, 0));
    EXPECT_EQ(b.FileMain().top(), 255);
    const int rows[][4] = {{b.width(), b.height(), b.width() - 100, b.height() - 455},
                           {3500, 5000, 3400, 4545},
                           {50, 300, 0, 0}}; // never below zero
    for (const auto& [width, height, listWidth, listHeight] : rows) {
        b.setOuterSize(width, height);
        b.raise(ui::UiEvent::form(ui::EventKind::Resize));
        EXPECT_EQ(std::pair(b.FileMain().width(), b.FileMain().height()),
                  std::pair(listWidth, listHeight));
    }
}

// The program runs while any of its windows is shown; the browser's end brings the main
// window back, loaded anew where it was closed (its load step builds the first page).
TEST_F(FileBrowser, TheProgramRunsWhileAnyOfItsWindowsIsOpen) {
    enum Step {
        Browser,
        Dialog,
        DosDialog,
        Cancel,
        HideMain,
        CloseMain,
        CloseBrowser,
        CloseDialog
    };
    struct Row {
        const char* what;
        std::vector<Step> steps;
        const char* shown; // the windows shown at the end, and the main window's page
        int ends;
    };
    const std::vector<Row> rows = {
        {"the main window closed, the browser open", {Browser, CloseMain}, "FormFiles", 0},
        {"the browser closed after it",
         {Browser, CloseMain, CloseBrowser},
         "formMain Main Menu",
         0},
        {"the browser closed, the main window hidden and minimised",
         {Browser, HideMain, CloseBrowser},
         "formMain Instrument Specific Documentation",
         0},
        {"the last window closed", {Browser, CloseMain, CloseBrowser, CloseMain}, "", 1},
        {"the dialog open alone",
         {Browser, Dialog, CloseMain, CloseBrowser, CloseMain},
         "FormFileSave",
         0},
        {"the dialog, open alone, closed",
         {Browser, Dialog, CloseMain, CloseBrowser, CloseMain, CloseDialog},
         "",
         1},
        {"a hidden but loaded dialog, and the main window closed",
         {DosDialog, Cancel, CloseMain},
         "",
         1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        start();
        m_desktop.ends = 0;
        for (Step step : r.steps) {
            switch (step) {
            case Browser:
                click("View instrument specific documentation");
                click("View .CON file(s)");
                break;
            case Dialog:
                browser().FileMain().userSetSelected(0, true);
                browser().cmdSave_Click();
                break;
            case DosDialog:
                main().ShowDosSoftwareMenu();
                click("Install Quaylog for DOS");
                break;
            case Cancel:
                m_mod->formFileSave().cmdCancel_Click();
                break;
            case HideMain:
                main().hide();
                main().setWindowState(ui::WindowState::Minimized);
                break;
            case CloseMain:
                m_mod->closeByFrame(main());
                break;
            case CloseBrowser:
                m_mod->closeByFrame(browser());
                break;
            case CloseDialog:
                m_mod->closeByFrame(m_mod->formFileSave());
                break;
            }
        }
        std::string shown;
        for (ui::Form* form : m_mod->loadedForms()) {
            if (form->visible())
                shown += (shown.empty() ? "" : " ") + form->name();
        }
        if (m_mod->hasFormMain() && main().visible()) {
            shown += " " + m_mod->CurrentMenu;
            EXPECT_EQ(main().windowState(), ui::WindowState::Normal);
        }
        EXPECT_EQ(shown, r.shown);
        EXPECT_EQ(m_desktop.ends, r.ends);
    }
}

} // namespace
} // namespace discmenu::test

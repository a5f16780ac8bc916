#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

#include <array>
#include <functional>

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
        for (const auto& o : m_launcher.opens) {
            out += "open " + o.file + "\n";
            EXPECT_EQ(o.folder + " " + o.owner, "D:\\autorun FormFiles");
        }
        for (const auto& r : m_launcher.runs)
            out += "run " + r + "\n";
        m_launcher.opens.clear();
        m_launcher.runs.clear();
        return out;
    }
};

// The one browser window lists each kind anew, and opens by the pattern, not by the file:
// View, with every entry selected, hands each to the text editor or the shell, or to none.
TEST_F(FileBrowser, OpensByThePatternNotByTheFile) {
    const std::array<const char*, 3> rows[] = {
        {"*.con", "Shoal7.con|SquallO2.CON|", "run notepad.exe "},
        {"*.CON", "Shoal7.con|SquallO2.CON|", "run notepad.exe "},
        {"*.ini", "deck.ini|", "run notepad.exe "},
        {"*manual*.pdf", "Overview MANUAL.PDF|Shoal7 Manual.pdf|", "open "},
        {"*.txt", "readme.txt|", nullptr}, // listed, but not opened
    };
    const FormFiles* first = &browser();
    for (const auto& [pattern, names, opener] : rows) {
        m_mod->ShowFileBrowser(pattern, pattern);
        EXPECT_EQ(&browser(), first);
        EXPECT_TRUE(browser().visible());
        EXPECT_EQ(browser().FileMain().path(), "D:\\");
        EXPECT_FALSE(browser().FileMain().selected(0)) << pattern; // the last selection is gone
        std::string listed, opened;
        for (int i = 0; i < browser().FileMain().listCount(); ++i) {
            browser().FileMain().userSetSelected(i, true);
            listed += browser().FileMain().list(i) + "|";
            opened += opener ? opener + ("D:\\\\" + browser().FileMain().list(i)) + "\n" : "";
        }
        EXPECT_EQ(listed, names);
        browser().cmdView_Click();
        EXPECT_EQ(did(), opened) << pattern;
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
    // B opens the browser, D the dialog from its Save, Q the dialog for a DOS install and C
    // cancels that; H hides and minimises the main window; M, F and S close the main window,
    // the browser and the dialog by their frames.
    const std::function<void()> steps[] = {
        [&] {
            click("View instrument specific documentation");
            click("View .CON file(s)");
        },
        [&] {
            browser().FileMain().userSetSelected(0, true);
            browser().cmdSave_Click();
        },
        [&] {
            main().ShowDosSoftwareMenu();
            click("Install Quaylog for DOS");
        },
        [&] { m_mod->formFileSave().cmdCancel_Click(); },
        [&] {
            main().hide();
            main().setWindowState(ui::WindowState::Minimized);
        },
        [&] { m_mod->closeByFrame(main()); },
        [&] { m_mod->closeByFrame(browser()); },
        [&] { m_mod->closeByFrame(m_mod->formFileSave()); },
    };
    struct Row {
        const char* steps;
        const char* shown; // the windows shown at the end, and the main window's page
        int ends;
    };
    const Row rows[] = {
        {"BM", "FormFiles", 0},
        {"BMF", "formMain Main Menu", 0},
        {"BHF", "formMain Instrument Specific Documentation", 0},
        {"BMFM", "", 1},
        {"BDMFM", "FormFileSave", 0},
        {"BDMFMS", "", 1},
        {"QCM", "", 1}, // a hidden but loaded dialog keeps nothing running
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.steps);
        start();
        m_desktop.ends = 0;
        for (const char* step = r.steps; *step; ++step)
            steps[std::string_view("BDQCHMFS").find(*step)]();
        std::string shown;
        for (ui::Form* form : m_mod->loadedForms())
            shown += form->visible() ? (shown.empty() ? "" : " ") + form->name() : "";
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

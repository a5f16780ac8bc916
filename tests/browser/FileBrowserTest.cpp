#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

namespace discmenu::test {
namespace {

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
    void select(std::initializer_list<int> rows) {
        for (int r : rows)
            browser().FileMain().userSetSelected(r, true);
    }
};

TEST_F(FileBrowser, MenuRowsOpenTheBrowserOnOneKindOfFile) {
    click("View instrument specific documentation");
    click("View .CON file(s)");
    ASSERT_TRUE(m_mod->hasFormFiles());
    EXPECT_TRUE(browser().visible());
    EXPECT_EQ(browser().caption(), "All included .CON file(s)");
    EXPECT_EQ(browser().FileMain().path(), "D:\\");
    EXPECT_EQ(browser().FileMain().names(),
              (std::vector<std::string>{"Shoal7.con", "SquallO2.CON"}));
    EXPECT_EQ(main().caption(), "Tidewell Software CD - Instrument Specific Documentation");
    EXPECT_TRUE(m_launcher.opens.empty());

    // The same window again, with another kind.
    FormFiles* first = &browser();
    select({0});
    click("View .INI file(s)");
    EXPECT_EQ(&browser(), first);
    EXPECT_EQ(browser().caption(), "All included .INI file(s)");
    EXPECT_EQ(browser().FileMain().names(), (std::vector<std::string>{"deck.ini"}));
    EXPECT_FALSE(browser().FileMain().selected(0));

    click("View Instrument Manual(s)");
    EXPECT_EQ(browser().caption(), "All included manual(s)");
    EXPECT_EQ(browser().FileMain().names(),
              (std::vector<std::string>{"Overview MANUAL.PDF", "Shoal7 Manual.pdf"}));
}

TEST_F(FileBrowser, OpensByThePatternNotByTheFile) {
    struct Row {
        const char* pattern;
        std::vector<std::string> runs;
        std::vector<std::string> opens;
    };
    const std::vector<Row> rows = {
        {"*.con", {"notepad.exe D:\\\\Shoal7.con", "notepad.exe D:\\\\SquallO2.CON"}, {}},
        {"*.CON", {"notepad.exe D:\\\\Shoal7.con", "notepad.exe D:\\\\SquallO2.CON"}, {}},
        {"*manual*.pdf", {}, {"D:\\\\Overview MANUAL.PDF", "D:\\\\Shoal7 Manual.pdf"}},
        {"*.txt", {}, {}}, // listed, but not opened
    };
    for (const Row& r : rows) {
        m_mod->ShowFileBrowser(r.pattern, "x");
        m_launcher.runs.clear();
        m_launcher.opens.clear();
        select({0, 1});
        browser().cmdView_Click(); // lower index first
        EXPECT_EQ(m_launcher.runs, r.runs) << r.pattern;
        std::vector<std::string> opened;
        for (const auto& o : m_launcher.opens) {
            opened.push_back(o.file);
            EXPECT_EQ(o.owner, "FormFiles");
            EXPECT_EQ(o.folder, "D:\\autorun");
        }
        EXPECT_EQ(opened, r.opens) << r.pattern;
    }
}

TEST_F(FileBrowser, ViewOpensTheSelectionAndDoubleClickTheCurrentEntry) {
    m_mod->ShowFileBrowser("*.con", "x");
    browser().cmdView_Click();
    EXPECT_TRUE(m_launcher.runs.empty()); // nothing selected

    browser().FileMain().userSetCurrent(1);
    browser().raise(ui::UiEvent::of(ui::EventKind::DblClick, "FileMain"));
    EXPECT_EQ(m_launcher.runs, (std::vector<std::string>{"notepad.exe D:\\\\SquallO2.CON"}));

    // An editor that cannot be started is told, and the browser goes on.
    m_launcher.failRuns = true;
    browser().raise(ui::UiEvent::of(ui::EventKind::DblClick, "FileMain"));
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0],
              "The text editor could not be started for:\r\nD:\\\\SquallO2.CON\r\nFile not found");
}

TEST_F(FileBrowser, AFolderThatCannotBeListedIsTold) {
    m_mod->CDPath = "D:\\gone";
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0],
              "The files of this disc could not be listed:\r\nD:\\gone\r\nPath not found");
    EXPECT_EQ(browser().caption(), "All included .CON file(s)");
    EXPECT_EQ(browser().FileMain().listCount(), 0);
}

TEST_F(FileBrowser, LaysItselfOutOnLoadAndResize) {
    FormFiles& b = browser();
    EXPECT_EQ(b.caption(), "Form1");
    EXPECT_EQ(b.cmdSave().left(), 0);
    EXPECT_EQ(b.cmdSave().top(), 0);
    EXPECT_EQ(b.cmdView().left(), 615);
    EXPECT_EQ(b.cmdView().top(), 0);
    EXPECT_EQ(b.FileMain().top(), 255);
    EXPECT_EQ(b.FileMain().width(), b.width() - 100);
    EXPECT_EQ(b.FileMain().height(), b.height() - 455);

    struct Row {
        int width, height, listWidth, listHeight;
    };
    const Row rows[] = {{3000, 5000, 2900, 4545}, {3500, 5000, 3400, 4545}, {50, 300, 0, 0}};
    for (const Row& r : rows) {
        b.setOuterSize(r.width, r.height);
        b.raise(ui::UiEvent::form(ui::EventKind::Resize));
        EXPECT_EQ(b.FileMain().width(), r.listWidth);
        EXPECT_EQ(b.FileMain().height(), r.listHeight);
    }
}

TEST_F(FileBrowser, ClosingItBringsTheMainWindowBack) {
    m_mod->ShowFileBrowser("*.con", "x");
    main().hide();
    main().setWindowState(ui::WindowState::Minimized);
    m_mod->closeByFrame(browser());
    EXPECT_FALSE(m_mod->hasFormFiles());
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().windowState(), ui::WindowState::Normal);
    EXPECT_EQ(m_desktop.ends, 0);
}

TEST_F(FileBrowser, TheProgramRunsWhileAnyOfItsWindowsIsOpen) {
    const std::vector<std::string> firstPage = main().visibleItems();
    click("View instrument specific documentation");
    click("View .CON file(s)");
    ASSERT_NE(main().visibleItems(), firstPage);

    // Closing the main window with the browser open leaves the browser working.
    m_mod->closeByFrame(main());
    EXPECT_EQ(m_desktop.ends, 0);
    EXPECT_FALSE(m_mod->hasFormMain());
    EXPECT_TRUE(browser().visible());

    // The browser's end brings the main window back, loaded anew: its load step builds
    // the first page again.
    m_mod->closeByFrame(browser());
    EXPECT_EQ(m_desktop.ends, 0);
    ASSERT_TRUE(m_mod->hasFormMain());
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().visibleItems(), firstPage);

    // The last window closed ends the program.
    m_mod->closeByFrame(main());
    EXPECT_EQ(m_desktop.ends, 1);
}

TEST_F(FileBrowser, ClosingTheLastOpenWindowEndsTheProgram) {
    // The destination dialog open alone, the main window closed before it.
    click("View instrument specific documentation");
    click("View .CON file(s)");
    browser().FileMain().userSetSelected(0, true);
    browser().cmdSave_Click();
    m_mod->closeByFrame(main());
    m_mod->closeByFrame(browser()); // brings the main window back
    m_mod->closeByFrame(main());
    EXPECT_EQ(m_desktop.ends, 0);
    m_mod->closeByFrame(m_mod->formFileSave());
    EXPECT_EQ(m_desktop.ends, 1);
}

} // namespace
} // namespace discmenu::test

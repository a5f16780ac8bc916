#include "DiscFixture.h"
#include "menu/FormMain.h"

namespace discmenu::test {
namespace {

using Items = std::vector<std::string>;
using Open = FakeLauncher::Open;

// A service disc with two jobs and a full software folder; the program runs from the
// root's autorun folder.
class MenuActions : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        folder("1001_CD_Contents/recovered data");
        folder("1002_CD_Contents");
        const std::string sw = "CD Current Version (7.16)/Components/";
        for (const char* f : {"Brinext-Win32_7.1.exe", "brinext-win32_7.16.EXE",
                              "BrinextSwell_2.1.exe", "quaylog_5.30.pdf", "quaylog_7.2.pdf",
                              "TWL Battery Budget Calculator.xls", "Adobe Acrobat/rp505enu.exe"})
            file(sw + f);
        start();
        m_launcher.opens.clear();
    }

    FormMain& main() { return m_mod->formMain(); }

    // Clicks the visible item with this caption, as the user would.
    void click(const std::string& caption) {
        for (int i = 0; i <= main().lblMainUBound(); ++i) {
            if (main().lblMain(i).visible() && main().lblMain(i).caption() == caption) {
                main().raise(ui::UiEvent::of(ui::EventKind::Click, "lblMain", i));
                return;
            }
        }
        ADD_FAILURE() << "no visible item " << caption;
    }

    const std::string sw = "D:\\\\CD Current Version (7.16)\\Components";
    // The same folder as the file system reports the paths of the files it lists.
    const std::string listed = "D:\\CD Current Version (7.16)\\Components";
};

TEST_F(MenuActions, NavigationRowsChangeThePageAndTitle) {
    struct Row {
        const char* click;
        const char* page;
        const char* title;
    };
    // Walks the whole tree of a service disc and back up again.
    const Row rows[] = {
        {"View included software and documentation", "Included Software and Documentation",
         "Included Software and Documentation"},
        {"Install windows software", "Windows Software", "Windows Software"},
        {"Return to Previous Menu", "Included Software and Documentation",
         "Included Software and Documentation"},
        {"Install DOS software", "DOS software", "DOS software"},
        {"Return to Previous Menu", "Included Software and Documentation",
         "Included Software and Documentation"},
        {"DOS utilities", "DOS Utilities", "DOS Utilities"},
        {"Return to Previous Menu", "Included Software and Documentation",
         "Included Software and Documentation"},
        {"View software documentation", "Software Documentation", "Software Documentation"},
        {"Return to Previous Menu", "Included Software and Documentation",
         "Included Software and Documentation"},
        // Back to the selected job's page, whose title is the job id.
        {"Return to Previous Menu", "Main Menu", "1001"},
    };
    for (const Row& r : rows) {
        click(r.click);
        EXPECT_EQ(m_mod->CurrentMenu, r.page) << r.click;
        EXPECT_EQ(main().caption(), std::string("Tidewell Software CD - ") + r.title) << r.click;
    }
    EXPECT_TRUE(m_launcher.opens.empty());
    EXPECT_TRUE(m_messages.prompts.empty());
}

TEST_F(MenuActions, DocumentRowsOpenTheirPathAsConcatenated) {
    struct Row {
        const char* click;
        std::string target;
        bool titleKept;
    };
    // The job documents and the two fixed items leave the title alone.
    const std::vector<Row> rows = {
        {"View Recovered Data", "D:\\\\1001_CD_Contents\\recovered data", true},
        {"Visit our website offline", sw + "\\website\\index.htm", true},
        {"Browse this CD", "D:\\", true},
    };
    for (const Row& r : rows) {
        main().SetWindowTitle("before");
        m_launcher.opens.clear();
        click(r.click);
        ASSERT_EQ(m_launcher.opens.size(), 1u) << r.click;
        EXPECT_EQ(m_launcher.opens[0], (Open{r.target, "D:\\autorun", "formMain"})) << r.click;
        EXPECT_EQ(main().caption(), "Tidewell Software CD - before") << r.click;
        EXPECT_EQ(m_mod->CurrentMenu, "Main Menu");
    }

    // The other job documents, from the captions themselves (their folders need not exist).
    struct Job {
        const char* caption;
        const char* name;
    };
    const Job jobs[] = {{"View Service Report", "service report.pdf"},
                        {"View Calibration Documents", "calibration documents"},
                        {"View Configuration Documents", "configuration documents"},
                        {"View .CON and .INI Files", "CON & INI files"}};
    for (const Job& j : jobs) {
        main().lblMain(2).setCaption(j.caption);
        m_launcher.opens.clear();
        main().lblMain_Click(2);
        ASSERT_EQ(m_launcher.opens.size(), 1u);
        EXPECT_EQ(m_launcher.opens[0].file, std::string("D:\\\\1001_CD_Contents\\") + j.name);
    }

    click("View included software and documentation");
    click("View software documentation");
    m_launcher.opens.clear();
    click("View the contents and installation document");
    ASSERT_EQ(m_launcher.opens.size(), 1u);
    EXPECT_EQ(m_launcher.opens[0].file, sw + "\\CDContentsAndInstallation.pdf");
    EXPECT_EQ(main().caption(), "Tidewell Software CD - Software Documentation");
}

TEST_F(MenuActions, InstallerAndManualRowsOpenTheLastMatch) {
    click("View included software and documentation");
    click("Install windows software");
    struct Row {
        const char* page;
        const char* click;
        std::string target; // empty: nothing is opened
    };
    const std::vector<Row> rows = {
        {"windows", "Install Brinext for Windows", listed + "\\brinext-win32_7.16.EXE"},
        {"windows", "Install Brinext Swell for Windows", listed + "\\BrinextSwell_2.1.exe"},
        {"docs", "View the Quaylog Win32 Manual", listed + "\\quaylog_5.30.pdf"},
        {"docs", "View the Quaylog v7 Manual (Recommended)", listed + "\\quaylog_7.2.pdf"},
        {"docs", "View TWL Battery Budget Calculator",
         listed + "\\TWL Battery Budget Calculator.xls"},
        {"docs", "View the TWL Data Processing Manual", ""}, // not on this disc
    };
    for (const Row& r : rows) {
        if (std::string(r.page) == "docs" && m_mod->CurrentMenu != "Software Documentation") {
            click("Return to Previous Menu");
            click("View software documentation");
        }
        m_launcher.opens.clear();
        main().SetWindowTitle("before");
        click(r.click);
        if (r.target.empty()) {
            EXPECT_TRUE(m_launcher.opens.empty()) << r.click;
        } else {
            ASSERT_EQ(m_launcher.opens.size(), 1u) << r.click;
            EXPECT_EQ(m_launcher.opens[0].file, r.target) << r.click;
        }
        // The page stays; its title is written again.
        EXPECT_EQ(main().caption(), "Tidewell Software CD - " + m_mod->CurrentMenu) << r.click;
    }
}

TEST_F(MenuActions, ReaderInstallation) {
    click("View included software and documentation");
    const std::string caption = "Install Adobe Acorbat Reader (Required to view .PDF documents)";
    struct Row {
        bool installerPresent;
        Answer answer;
        const char* prompt;
        bool opened;
    };
    const Row rows[] = {
        {true, Answer::Ok, "This will install Adobe Acrobat version 5.05.", true},
        {true, Answer::Cancel, "This will install Adobe Acrobat version 5.05.", false},
        // No installer: "." alone as the version, and nothing to start either way.
        {false, Answer::Ok, "This will install Adobe Acrobat version ..", false},
    };
    for (const Row& r : rows) {
        if (!r.installerPresent)
            std::filesystem::remove_all(host("CD Current Version (7.16)/Components/Adobe Acrobat"));
        m_launcher.opens.clear();
        m_messages.prompts.clear();
        m_messages.answers = {r.answer};
        click(caption);
        ASSERT_EQ(m_messages.prompts.size(), 1u);
        EXPECT_EQ(m_messages.prompts[0], r.prompt);
        EXPECT_EQ(m_messages.buttons[0], Buttons::OkCancel);
        EXPECT_EQ(m_launcher.opens.size(), r.opened ? 1u : 0u);
        if (r.opened) {
            EXPECT_EQ(m_launcher.opens[0].file, listed + "\\Adobe Acrobat\\rp505enu.exe");
        }
    }
    EXPECT_NE(
        m_traceText.str().find("message\tOKCancel\tThis will install Adobe Acrobat version 5.05.\n"
                               "answer\tCancel\n"),
        std::string::npos);
}

TEST_F(MenuActions, ConsoleRowsPassTheirCommandLinesExactly) {
    click("View included software and documentation");
    click("DOS utilities");
    click("Prog**.exe - Reload calibration coefficients into an instrument");
    click("CALPUSH.exe - Reload Calibration coefficients into .CON file");
    EXPECT_EQ(m_launcher.runs,
              (std::vector<std::string>{"cmd.exe /k pushd \"" + sw + "\\progsoftware\"&&dir",
                                        "cmd.exe /k pushd \"" + sw + "\"&&dir calpush.exe"}));
    EXPECT_EQ(main().caption(), "Tidewell Software CD - DOS Utilities");
}

TEST_F(MenuActions, AFailingStepDoesNotStopTheStepsAfterIt) {
    // A console that cannot start: the title is still written.
    click("View included software and documentation");
    click("DOS utilities");
    m_launcher.failRuns = true;
    main().SetWindowTitle("before");
    click("Prog**.exe - Reload calibration coefficients into an instrument");
    EXPECT_EQ(main().caption(), "Tidewell Software CD - DOS Utilities");
    EXPECT_TRUE(m_messages.prompts.empty());

    // A page that cannot be built is left part-built, and the title still follows it.
    m_mod->CDPath = "D:\\gone";
    click("Return to Previous Menu");
    main().lblMain(2).setCaption("View instrument specific documentation");
    main().lblMain_Click(2);
    EXPECT_EQ(m_mod->CurrentMenu, "Instrument Specific Documentation");
    EXPECT_EQ(main().visibleItems(), Items{});
    EXPECT_EQ(main().caption(), "Tidewell Software CD - Instrument Specific Documentation");

    // An installer folder that cannot be read leaves nothing to open, without a word.
    m_mod->CDPath = "D:\\gone";
    main().lblMain(2).setCaption("Install Brinext for Windows");
    main().lblMain_Click(2);
    EXPECT_TRUE(m_launcher.opens.empty());
    EXPECT_TRUE(m_messages.prompts.empty());
}

TEST_F(MenuActions, AnUnknownCaptionIsReported) {
    main().lblMain(2).setCaption("View Service report"); // one letter off
    main().SetWindowTitle("before");
    main().lblMain_Click(2);
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0], "ERROR: View Service report NOT FOUND.");
    EXPECT_EQ(m_messages.buttons[0], Buttons::Ok);
    EXPECT_EQ(main().caption(), "Tidewell Software CD - Main Menu"); // the title step still runs
    EXPECT_TRUE(m_launcher.opens.empty());
}

TEST_F(MenuActions, HoverHighlightsTheItemUnderThePointer) {
    click("View included software and documentation"); // six items: slots 2 to 7
    main().ShowWindowsSoftwareMenu();                  // slots 5 to 7 hidden now
    auto colours = [&] {
        std::string c;
        for (int i = 0; i <= main().lblMainUBound(); ++i)
            c += main().lblMain(i).foreColor() == ui::Yellow ? 'Y' : 'w';
        return c;
    };
    auto move = [&](const char* control, int index) {
        main().raise(ui::UiEvent::of(ui::EventKind::MouseMove, control, index));
        return colours();
    };
    for (int i = 0; i <= 7; ++i)
        main().lblMain(i).setForeColor(ui::Yellow); // hidden ones are whitened too
    EXPECT_EQ(move("lblMain", 3), "wwwYwwww");
    EXPECT_EQ(move("lblMain", 0), "Ywwwwwww");
    EXPECT_EQ(move("Label1", -1), "Ywwwwwww"); // no handler: unchanged
    EXPECT_EQ(move("lblTitle", -1), "Ywwwwwww");
    EXPECT_EQ(move("lblRMATitle", -1), "wwwwwwww");
    EXPECT_EQ(move("lblMain", 4), "wwwwYwww");
    EXPECT_EQ(move("lstRMA", -1), "wwwwwwww");
    EXPECT_EQ(move("lblMain", 2), "wwYwwwww");
    EXPECT_EQ(move("", -1), "wwwwwwww"); // the window's background

    // A click that rebuilds the page leaves the row under the pointer yellow.
    move("lblMain", 4); // "Return to Previous Menu"
    click("Return to Previous Menu");
    EXPECT_EQ(main().lblMain(4).caption(),
              "Install Adobe Acorbat Reader (Required to view .PDF documents)");
    EXPECT_EQ(colours(), "wwwwYwww");
}

} // namespace
} // namespace discmenu::test

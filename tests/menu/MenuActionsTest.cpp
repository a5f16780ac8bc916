#include "DiscFixture.h"
#include "menu/FormMain.h"

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

// A service disc with two jobs and a full software folder; the program runs from the
// root's autorun folder. Every item's page and target on the sample discs is walked by the
// disc check and the end-to-end walks; these are the rows they do not show.
class MenuActions : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        folder("1001_CD_Contents/recovered data");
        folder("1002_CD_Contents");
        for (const char* f :
             {"Brinext-Win32_7.1.exe", "brinext-win32_7.16.EXE", "Adobe Acrobat/rp505enu.exe"})
            file(std::string("CD Current Version (7.16)/Components/") + f);
        start();
    }
    FormMain& main() { return m_mod->formMain(); }
    // Clicks the visible item with this caption, as the user would.
    void click(const std::string& caption) {
        for (int i = 0; i <= main().lblMainUBound(); ++i) {
            if (main().lblMain(i).visible() && main().lblMain(i).caption() == caption)
                return main().raise(ui::UiEvent::of(ui::EventKind::Click, "lblMain", i));
        }
        ADD_FAILURE() << "no visible item " << caption;
    }

    const std::string sw = "D:\\\\CD Current Version (7.16)\\Components";
};

// "gone": the software folder cannot be read and no console starts; each step of a click
// goes on past the failure of the one before, without a word.
TEST_F(MenuActions, AFailingStepDoesNotStopTheStepsAfterIt) {
    struct Row {
        std::string caption;
        std::string did;    // what was opened or run
        std::string prompt; // the message shown; "?" before it: with OK and Cancel
        bool titleKept = false;
        Answer answer = Answer::Ok;
        bool gone = false;
    };
    const std::string reader = "Install Adobe Acorbat Reader (Required to view .PDF documents)";
    // The same folder as the file system reports the paths of the files it lists.
    const std::string listed = "D:\\CD Current Version (7.16)\\Components";
    const std::vector<Row> rows = {
        // The reader's version is read from its installer's name.
        {reader, "open " + listed + "\\Adobe Acrobat\\rp505enu.exe",
         "?This will install Adobe Acrobat version 5.05."},
        {reader, "", "?This will install Adobe Acrobat version 5.05.", false, Answer::Cancel},
        // No installer: "." alone as the version, and nothing to start either way.
        {reader, "", "?This will install Adobe Acrobat version ..", false, Answer::Ok, true},
        {"View Service report", "", "ERROR: View Service report NOT FOUND."}, // one letter off
        // The job's documents and the two fixed items leave the title alone.
        {"View Recovered Data", "open D:\\\\1001_CD_Contents\\recovered data", "", true},
        {"View .CON and .INI Files", "open D:\\\\1001_CD_Contents\\CON & INI files", "", true},
        {"Browse this CD", "open D:\\", "", true},
        {"Install Brinext for Windows", "open " + listed + "\\brinext-win32_7.16.EXE", ""},
        {"View the TWL Data Processing Manual", "", ""}, // not on this disc
        {"Prog**.exe - Reload calibration coefficients into an instrument",
         "run cmd.exe /k pushd \"D:\\gone\\progsoftware\"&&dir", "", false, Answer::Ok, true},
        // The page is left part-built, and the title follows it.
        {"View instrument specific documentation", "", "", false, Answer::Ok, true},
        {"Install Brinext for Windows", "", "", false, Answer::Ok, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        m_mod->CDPath = r.gone ? "D:\\gone" : sw;
        m_launcher.failRuns = r.gone;
        m_launcher.opens.clear();
        m_launcher.runs.clear();
        m_messages.prompts.clear();
        m_messages.buttons.clear();
        m_messages.answers = {r.answer};
        main().SetWindowTitle("before");
        main().lblMain(2).setCaption(r.caption);
        main().raise(ui::UiEvent::of(ui::EventKind::Click, "lblMain", 2));
        std::string did;
        for (const auto& o : m_launcher.opens) {
            did += "open " + o.file;
            EXPECT_EQ(o.folder + " " + o.owner, "D:\\autorun formMain");
        }
        for (const auto& line : m_launcher.runs)
            did += "run " + line;
        EXPECT_EQ(did, r.did);
        Strings told;
        for (std::size_t i = 0; i < m_messages.prompts.size(); ++i)
            told.push_back((m_messages.buttons[i] == Buttons::OkCancel ? "?" : "") +
                           m_messages.prompts[i]);
        EXPECT_EQ(told, r.prompt.empty() ? Strings{} : Strings{r.prompt});
        EXPECT_EQ(main().caption(),
                  "Tidewell Software CD - " + (r.titleKept ? "before" : m_mod->CurrentMenu));
    }
    EXPECT_EQ(m_mod->CurrentMenu, "Instrument Specific Documentation");
    EXPECT_EQ(main().visibleItems(), Strings{});
}

// The console's folder stands in double quotes: a copy of the disc under a folder whose
// name cmd would take apart ("&" starts a command, "(" a group) runs nothing of it.
TEST_F(MenuActions, ConsoleRowsPassTheirCommandLinesExactly) {
    folder("R&D (x)/autorun");
    const std::vector<std::pair<std::string, std::string>> discs = {
        {"D:\\autorun", sw}, {"D:\\R&D (x)\\autorun", "D:\\R&D (x)"}};
    for (const auto& [programFolder, cdPath] : discs) {
        start(programFolder);
        if (m_mod->CurrentMenu == "Main Menu")
            click("View included software and documentation");
        click("DOS utilities");
        click("Prog**.exe - Reload calibration coefficients into an instrument");
        click("CALPUSH.exe - Reload Calibration coefficients into .CON file");
        EXPECT_EQ(m_launcher.runs,
                  (Strings{"cmd.exe /k pushd \"" + cdPath + "\\progsoftware\"&&dir",
                           "cmd.exe /k pushd \"" + cdPath + "\"&&dir calpush.exe"}));
        EXPECT_EQ(main().caption(), "Tidewell Software CD - DOS Utilities");
        m_launcher.runs.clear();
    }
}

} // namespace
} // namespace discmenu::test

#include "DiscFixture.h"
#include "browser/FormFiles.h"
#include "platform/posix/PathResolver.h"
#include "savedlg/FormFileSave.h"

#include <set>

namespace discmenu::test {
namespace {

namespace fs = std::filesystem;

// Names of this machine that Windows cannot hold. A backslash in a host name is shown as
// U+F05C and must never act as a separator: a disc is untrusted input.
class HostNames : public DiscFixture {
protected:
    void SetUp() override {
        file("autorun/version", "7.16\r\n");
        for (const Named& n : discFiles)
            file(n.host, std::string("disc:") + n.host);
        // What a backslash taken as a separator would reach instead.
        writeFile(m_temp.path() / "escape.con", "outside the disc");
        file("sub/inner.con", "a real subfolder");
        start();
    }
    std::set<std::string> entriesOf(const fs::path& folder) {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(folder))
            out.insert(e.path().filename().string());
        return out;
    }
    FormFiles& browser() { return m_mod->formFiles(); }

    struct Named {
        const char* host;
        const char* shown;
    };
    static constexpr Named discFiles[] = {
        {"..\\escape.con", "..\uF05Cescape.con"},
        {"sub\\inner.con", "sub\uF05Cinner.con"},
        {"\\lead.con", "\uF05Clead.con"},
        {"trail.con\\", "trail.con\uF05C"},
        {"a\\\\b.con", "a\uF05C\uF05Cb.con"},
        {"odd:*?\"<>|.con", "odd:*?\"<>|.con"}, // other characters pass as they are
        // U+F05C itself beside a backslash: both listed alike, the name found again by
        // what it was listed as (generated trees of seeds 11 and 25 held such names).
        {"pua\uF05Cand\\slash.con", "pua\uF05Cand\uF05Cslash.con"},
    };
};

TEST_F(HostNames, ABackslashInANameStaysInsideTheName) {
    m_mod->ShowFileBrowser("*", "All");
    std::set<std::string> shown(browser().FileMain().names().begin(),
                                browser().FileMain().names().end());
    for (const Named& n : discFiles) {
        EXPECT_TRUE(shown.contains(n.shown)) << n.host;
        const std::string path = "D:\\" + std::string(n.shown);
        EXPECT_TRUE(m_fs->fileExists(path)) << n.host;
        EXPECT_EQ(m_fs->readStart(path, 100).value_or("?"), std::string("disc:") + n.host);
    }
    // View opens each listed file itself.
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    for (int i = 0; i < browser().FileMain().listCount(); ++i)
        browser().FileMain().userSetSelected(i, true);
    browser().cmdView_Click();
    ASSERT_EQ(m_launcher.runs.size(), 6u); // the trailing backslash's name ends otherwise
    for (const std::string& run : m_launcher.runs) {
        const std::string path = run.substr(std::string("notepad.exe ").size());
        EXPECT_TRUE(m_fs->readStart(path, 100).value_or("?").starts_with("disc:")) << run;
    }
}

TEST_F(HostNames, SaveWritesEachFileIntoTheChosenFolderOnly) {
    fs::create_directories(m_temp.path() / "other/dest");
    m_mod->ShowFileBrowser("*", "All");
    for (int i = 0; i < browser().FileMain().listCount(); ++i)
        browser().FileMain().userSetSelected(i, true);
    FormFileSave& dialog = m_mod->formFileSave();
    dialog.setCaption("Save In");
    dialog.show();
    m_mod->SavePath = "E:\\dest";
    m_messages.prompts.clear();
    dialog.cmdSave_Click();
    ASSERT_EQ(m_messages.prompts.size(), 1u) << m_messages.prompts.front();
    EXPECT_TRUE(m_messages.prompts.front().starts_with(" 7 File(s) copied:"));

    // Each file is saved under the name it is shown as, on this machine: its own name, but
    // for a U+F05C of the name, which comes back a backslash.
    std::set<std::string> expected;
    for (const Named& n : discFiles) {
        const std::string saved = posix::hostName(n.shown);
        expected.insert(saved);
        EXPECT_EQ(readFile(m_temp.path() / "other/dest" / saved), std::string("disc:") + n.host);
    }
    EXPECT_EQ(entriesOf(m_temp.path() / "other/dest"), expected);
    EXPECT_EQ(entriesOf(m_temp.path() / "other"), std::set<std::string>{"dest"});
    EXPECT_EQ(readFile(m_temp.path() / "escape.con"), "outside the disc");
    EXPECT_EQ(readFile(host("sub/inner.con")), "a real subfolder");
}

} // namespace
} // namespace discmenu::test

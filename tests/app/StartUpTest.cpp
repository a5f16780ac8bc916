#include "DiscFixture.h"
#include "menu/FormMain.h"

#include <fcntl.h>
#include <future>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::test {
namespace {

using Items = std::vector<std::string>;
using Entries = std::vector<std::string>;

class StartUp : public DiscFixture {
protected:
    FormMain& main() { return m_mod->formMain(); }
    Items items() { return main().visibleItems(); }
    std::string header(const char* name) { return main().headerLabel(name).caption(); }
};

const Items includedTop = {"Install windows software", "Install DOS software",
                           "Install Adobe Acorbat Reader (Required to view .PDF documents)",
                           "DOS utilities", "View software documentation"};

TEST_F(StartUp, ServiceDiscWithThreeJobs) {
    file("autorun/version", "7.16\r\n");
    folder("1002_CD_Contents");
    folder("1003_CD_Contents");
    file("1001_CD_Contents/service Report.pdf");
    folder("1001_CD_Contents/recovered data");
    folder("CD Current Version (7.16)/Components");
    file("A17.job", "9.9\r\nnever read\r\n"); // job folders make it a service disc
    ModMain& mod = start();

    EXPECT_FALSE(mod.IsGenericCD);
    EXPECT_EQ(mod.CDRoot, "D:\\");
    EXPECT_EQ(mod.CDBase, "D:\\");
    EXPECT_EQ(mod.CDPath, "D:\\\\CD Current Version (7.16)\\Components"); // doubled after the root
    EXPECT_EQ(mod.RMAList, "1001, 1002 and 1003");
    EXPECT_EQ(mod.JobName, "");
    EXPECT_EQ(mod.SavePath, "C:\\");
    EXPECT_EQ(header("lblTitle"), "Customer Service CD");
    EXPECT_EQ(header("lblRMATitle"), "RMA # 1001, 1002 and 1003");
    EXPECT_EQ(header("lblVersion"), "Version 7.16");
    EXPECT_EQ(main().lstRMA().entries(), (Entries{"1001", "1002", "1003"}));
    EXPECT_TRUE(main().lstRMA().visible());
    EXPECT_EQ(main().lstRMA().height(), 675);
    EXPECT_EQ(main().lstRMA().listIndex(), 0);
    // The first job's page is the first page.
    EXPECT_EQ(items(), (Items{"View Service Report", "View Recovered Data",
                              "View included software and documentation"}));
    EXPECT_EQ(main().caption(), "Tidewell Software CD - 1001");
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(m_desktop.doEventsCalls, 5); // once per subfolder
}

TEST_F(StartUp, ServiceDiscTakesTheDateOfItsVersionFolder) {
    folder("1001_CD_Contents");
    folder("CD Current Version (7.16)/Components");
    using namespace std::chrono;
    touch("CD Current Version (7.16)", sys_days{2007y / 3 / 20} + 10h + 15min + 2s);
    start();
    EXPECT_EQ(m_mod->JobDate, "3/20/2007");
    EXPECT_EQ(header("lblDate"), "Services completed: 3/20/2007");

    // Written at exactly midnight, the time stamp is a date alone, and taken whole.
    touch("CD Current Version (7.16)", sys_days{2007y / 3 / 21});
    start();
    EXPECT_EQ(m_mod->JobDate, "3/21/2007");

    // Dates far from 1970 are the file system's own, with nothing cut or wrapped.
    touch("CD Current Version (7.16)", sys_days{2300y / 6 / 13} + 12h);
    start();
    EXPECT_EQ(m_mod->JobDate, "6/13/2300");
    touch("CD Current Version (7.16)", sys_days{1910y / 6 / 13} + 12h);
    start();
    EXPECT_EQ(m_mod->JobDate, "6/13/1910");
}

TEST_F(StartUp, ServiceDiscWithOneJobKeepsTheListHidden) {
    folder("1001_CD_Contents");
    folder("CD Current Version (7.16)/Components");
    start();
    EXPECT_EQ(header("lblRMATitle"), "RMA # 1001");
    EXPECT_FALSE(main().lstRMA().visible());
    EXPECT_EQ(main().lstRMA().height(), 225);
    EXPECT_EQ(main().lstRMA().entries(), (Entries{"1001"})); // the design entry is gone
    EXPECT_EQ(items(), (Items{"View included software and documentation"}));
}

TEST_F(StartUp, ManyJobsScrollAndAreTracedOnce) {
    std::string expectedJobs = "jobs";
    for (int i = 0; i < 200; ++i) {
        folder(std::to_string(1000 + i) + "_CD_Contents");
        expectedJobs += "\t" + std::to_string(1000 + i);
    }
    start();
    EXPECT_EQ(main().lstRMA().listCount(), 200);
    EXPECT_EQ(main().lstRMA().top() + main().lstRMA().height(), main().clientHeight());
    // The list grows once per folder during the scan; the trace tells only where it ended
    // (after the design entry the window's load step shows).
    std::istringstream trace(m_traceText.str());
    std::vector<std::string> jobLines;
    for (std::string line; std::getline(trace, line);) {
        if (line.starts_with("jobs"))
            jobLines.push_back(line);
    }
    EXPECT_EQ(jobLines, (std::vector<std::string>{"jobs\tlstRMA", expectedJobs}));
}

TEST_F(StartUp, VersionFolders) {
    struct Row {
        std::vector<std::string> folders;
        std::string versionFile; // empty: none
        std::string version;
        std::string cdPath;
    };
    const std::vector<Row> rows = {
        {{"1001_CD_Contents", "CD Current Version (7.16)"},
         "",
         "7.16",
         "D:\\\\CD Current Version (7.16)\\Components"},
        {{"1001_CD_Contents", "CD Current Version ()"},
         "",
         "",
         "D:\\\\CD Current Version ()\\Components"},
        // Any name ending in ")" is a version folder: characters 21 onwards.
        {{"1001_CD_Contents", "Software Release (V8.01)"},
         "",
         ".01",
         "D:\\\\CD Current Version (.01)\\Components"},
        // Too short to hold a version: passed over.
        {{"1001_CD_Contents", "Old (7)"}, "", "", "D:\\\\CD Current Version ()\\Components"},
        // Two of them: the later one in the listing wins.
        {{"1001_CD_Contents", "CD Current Version (7.16)", "CD Current Version (7.2)"},
         "",
         "7.2",
         "D:\\\\CD Current Version (7.2)\\Components"},
        // The version file is read when the first job folder is met, so a version folder
        // listed before that job folder is overridden by it.
        {{"CD Current Version (7.16)", "Z1001_CD_Contents"},
         "6.5",
         "6.5",
         "D:\\\\CD Current Version (6.5)\\Components"},
        {{"1001_CD_Contents", "CD Current Version (7.16)"},
         "6.5",
         "7.16",
         "D:\\\\CD Current Version (7.16)\\Components"},
    };
    for (const Row& r : rows) {
        std::filesystem::remove_all(m_disc);
        for (const std::string& f : r.folders)
            folder(f);
        if (!r.versionFile.empty())
            file("autorun/version", r.versionFile + "\r\n");
        start();
        EXPECT_EQ(m_mod->CDVersion, r.version) << r.folders.back();
        EXPECT_EQ(m_mod->CDPath, r.cdPath) << r.folders.back();
    }
}

TEST_F(StartUp, JobFolderNamesAreComparedExactly) {
    folder("1001_cd_contents"); // other letter case: not a job folder
    file("autorun/version", "7.16\r\n");
    start();
    EXPECT_TRUE(m_mod->IsGenericCD);
    EXPECT_EQ(m_mod->CDRoot, "");
}

TEST_F(StartUp, AnEmptyJobIdIsAnEntryLikeAnyOther) {
    folder("_CD_Contents");
    folder("1001_CD_Contents");
    folder("1002_CD_Contents");
    start();
    // "_CD_Contents" is listed last ("_" sorts after digits); before it, 1001 started the
    // list and 1002 joined; the empty id then joins as well.
    EXPECT_EQ(main().lstRMA().entries(), (Entries{"", "1001", "1002"}));
    EXPECT_EQ(m_mod->RMAList, ", 1001 and 1002");
}

TEST_F(StartUp, SoftwareDiscMadeForAJob) {
    struct Row {
        std::string jobFile;
        std::string content;
        std::string versionFile;
        std::string version, date, name;
    };
    const std::vector<Row> rows = {
        {"A17.job", "7.16\r\nMarch 2007\r\n", "6.0\r\n", "7.16", "March 2007", "A17"},
        {"A17.JOB", "7.16\r\nMarch 2007", "", "7.16", "March 2007", "A17"},
        // The one-line form: the line is the date, the version comes from the version file.
        {"A17.job", "March 2007\r\n", "7.16\r\n", "7.16", "March 2007", "A17"},
        {"A17.job", "March 2007", "", "March 2007", "March 2007", "A17"},
        // Line feeds alone: one line.
        {"B2.Job", "7.16\nMarch 2007\n", "6.0", "6.0", "7.16\nMarch 2007\n", "B2"},
        // Empty: both reads meet the end; the date takes the (empty) version.
        {"C3.job", "", "6.0", "6.0", "", "C3"},
        {"Jöb.job", "7.16\r\nM\xE4rz 2007\r\n", "", "7.16", "März 2007", "Jöb"},
    };
    for (const Row& r : rows) {
        std::filesystem::remove_all(m_disc);
        file(r.jobFile, r.content);
        if (!r.versionFile.empty())
            file("autorun/version", r.versionFile);
        ModMain& mod = start();
        EXPECT_EQ(mod.CDVersion, r.version) << r.content;
        EXPECT_EQ(mod.JobDate, r.date) << r.content;
        EXPECT_EQ(mod.JobName, r.name) << r.content;
        EXPECT_FALSE(mod.IsGenericCD);
        EXPECT_EQ(mod.CDRoot, "");
        EXPECT_EQ(header("lblTitle"), "Software CD");
        EXPECT_EQ(header("lblRMATitle"), "Job Number " + r.name);
        EXPECT_EQ(header("lblVersion"), "Version " + r.version);
        EXPECT_EQ(header("lblDate"), "Job Completed: " + r.date);
        EXPECT_EQ(items(), (Items{"View instrument specific documentation",
                                  "View included software and documentation"}));
        EXPECT_EQ(main().caption(), "Tidewell Software CD - Main Menu");
        EXPECT_FALSE(main().lstRMA().visible());
    }
}

TEST_F(StartUp, TheLastJobFileListedDecides) {
    file("a1.job", "1.0\r\nfirst\r\n");
    file("B2.JOB", "2.0\r\nsecond\r\n");
    ModMain& mod = start();
    EXPECT_EQ(mod.JobName, "B2");
    EXPECT_EQ(mod.CDVersion, "2.0");
    EXPECT_EQ(mod.JobDate, "second");
}

TEST_F(StartUp, GenericSoftwareDisc) {
    file("autorun/version", "7.16\r\n");
    ModMain& mod = start();
    EXPECT_TRUE(mod.IsGenericCD);
    EXPECT_EQ(mod.CDPath, "D:\\");
    EXPECT_EQ(mod.JobName + mod.JobDate + mod.RMAList + mod.CDRoot, "");
    EXPECT_EQ(header("lblTitle"), "Software CD");
    EXPECT_EQ(header("lblVersion"), "Version 7.16");
    EXPECT_EQ(header("lblRMATitle"), "");
    EXPECT_EQ(header("lblDate"), "");
    EXPECT_EQ(items(), includedTop);
    EXPECT_EQ(mod.CurrentMenu, "Included Software and Documentation");
    EXPECT_EQ(main().caption(), "Customer Service CD"); // nothing sets a title before navigating

    std::filesystem::remove(host("autorun/version"));
    start();
    EXPECT_EQ(header("lblVersion"), "Version ");
}

TEST_F(StartUp, AVersionFileThatIsNoFileCountsAsMissing) {
    folder("autorun");
    ASSERT_EQ(::mkfifo(host("autorun/version").c_str(), 0644), 0);
    file("A17.job", "March 2007\r\n"); // one line: the version comes from the version file
    auto started = std::async(std::launch::async, [this] { start(); });
    if (started.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "start-up waited on a named pipe";
        if (const int writer = ::open(host("autorun/version").c_str(), O_WRONLY | O_NONBLOCK);
            writer >= 0)
            ::close(writer);
    }
    started.get();
    const std::string version = header("lblVersion");
    const std::string date = header("lblDate");

    std::filesystem::remove(host("autorun/version"));
    start();
    EXPECT_EQ(version, header("lblVersion"));
    EXPECT_EQ(date, header("lblDate"));
}

TEST_F(StartUp, ProgramFolders) {
    struct Row {
        std::string programFolder;
        std::string cdBase;
        std::string cdPath; // on a generic disc: the disc root
    };
    const std::vector<Row> rows = {
        {"D:\\autorun", "D:\\", "D:\\"},
        {"D:\\autorun1", "D:\\", "D:\\"}, // 11 characters: like a root
        {"D:\\", "D:\\", "D:\\"},
        {"D:\\CD Current Version (7.1)\\Components\\autorun",
         "D:\\CD Current Version (7.1)\\Components", "D:"},
        {"D:\\CD Current Version (7.16)\\Components\\autorun",
         "D:\\CD Current Version (7.16)\\Components", "D:\\"},
        {"D:\\CD Current Version (7.160)\\Components\\autorun",
         "D:\\CD Current Version (7.160)\\Components", "D:\\"},
        {"D:\\copies\\disc one\\autorun", "D:\\copies\\disc one", "D:\\copies\\disc one"},
    };
    folder("copies/disc one");
    for (const Row& r : rows) {
        ModMain& mod = start(r.programFolder);
        EXPECT_EQ(mod.CDBase, r.cdBase) << r.programFolder;
        EXPECT_EQ(mod.CDPath, r.cdPath) << r.programFolder;
        EXPECT_TRUE(m_messages.prompts.empty()) << r.programFolder;
    }
}

TEST_F(StartUp, ServiceDiscStartedFromItsSoftwareFolder) {
    folder("1001_CD_Contents");
    folder("CD Current Version (7.1)/Components/autorun");
    file("autorun/version", "7.1\r\n");
    ModMain& mod = start("D:\\CD Current Version (7.1)\\Components\\autorun");
    EXPECT_EQ(mod.CDRoot, "D:");
    EXPECT_EQ(mod.CDPath, "D:\\CD Current Version (7.1)\\Components");
    EXPECT_TRUE(m_fs->folderExists(mod.CDPath));
}

TEST_F(StartUp, AnUnreadableDiscFolderIsToldAndTheMenuStillComes) {
    ModMain& mod = start("D:\\gone\\autorun");
    ASSERT_EQ(m_messages.prompts.size(), 1u);
    EXPECT_EQ(m_messages.prompts[0],
              "The disc folder could not be read:\r\nD:\\gone\r\nPath not found");
    EXPECT_TRUE(mod.IsGenericCD);
    EXPECT_TRUE(main().visible());
}

TEST_F(StartUp, TheMainWindowLoadsWhenTheFirstJobFolderIsMet) {
    folder("1001_CD_Contents");
    folder("2001_CD_Contents");
    folder("CD Current Version (7.16)/Components");
    std::vector<bool> loadedAtEachFolder;
    m_desktop.onDoEvents = [&] { loadedAtEachFolder.push_back(m_mod->hasFormMain()); };
    start();
    EXPECT_EQ(loadedAtEachFolder, (std::vector<bool>{false, true, true}));
}

} // namespace
} // namespace discmenu::test

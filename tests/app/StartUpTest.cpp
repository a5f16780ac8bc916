#include "DiscFixture.h"
#include "menu/FormMain.h"

#include <algorithm>
#include <future>
#include <ranges>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

class StartUp : public DiscFixture {
protected:
    FormMain& main() { return m_mod->formMain(); }
    std::string header(const char* name) { return main().headerLabel(name).caption(); }
    // Makes the disc anew with these folders ("a|b").
    void folders(const std::string& names) {
        std::filesystem::remove_all(m_disc);
        for (const auto name : std::views::split(names, '|'))
            folder(std::string(name.begin(), name.end()));
    }
};

// Job folders make a service disc (its job file is never read). The job list shows from two
// jobs on, as tall as its entries down to the window's bottom, where it scrolls. It grows
// once per folder during the scan; the trace writes it only where it ended (after the
// design entry that the window's load step shows).
TEST_F(StartUp, ManyJobsScrollAndAreTracedOnce) {
    file("A17.job", "9.9\r\nnever read\r\n");
    const int rows[][3] = {{1, false, 225}, {3, true, 675}, {200, true, 4800 - 2400}};
    for (const auto& [jobs, shown, height] : rows) {
        std::string traced = "jobs";
        for (int i = 0; i < jobs; ++i) {
            folder(std::to_string(1000 + i) + "_CD_Contents");
            traced += '\t' + std::to_string(1000 + i);
        }
        m_traceText.str("");
        start();
        EXPECT_EQ(main().lstRMA().listCount(), jobs);
        EXPECT_EQ(m_mod->JobName + header("lblTitle"), "Customer Service CD");
        EXPECT_EQ(main().lstRMA().visible(), shown != 0);
        EXPECT_EQ(main().lstRMA().height(), height);
        std::istringstream trace(m_traceText.str());
        Strings jobLines;
        for (std::string line; std::getline(trace, line);) {
            if (line.starts_with("jobs"))
                jobLines.push_back(line);
        }
        EXPECT_EQ(jobLines, (Strings{"jobs\tlstRMA", traced}));
    }
}

TEST_F(StartUp, ServiceDiscTakesTheDateOfItsVersionFolder) {
    using namespace std::chrono;
    folders("1001_CD_Contents|CD Current Version (7.16)/Components");
    const std::pair<sys_seconds, const char*> rows[] = {
        {sys_days{2007y / 3 / 20} + 10h + 15min + 2s, "3/20/2007"},
        {sys_days{2007y / 3 / 21}, "3/21/2007"}, // at midnight the stamp is a date alone
        // Far from 1970: the file system's own date, with nothing cut or wrapped.
        {sys_days{2300y / 6 / 13} + 12h, "6/13/2300"},
        {sys_days{1910y / 6 / 13} + 12h, "6/13/1910"},
    };
    for (const auto& [stamp, date] : rows) {
        touch("CD Current Version (7.16)", stamp);
        start();
        EXPECT_EQ(header("lblDate"), std::string("Services completed: ") + date);
    }
}

TEST_F(StartUp, VersionFolders) {
    struct Row {
        const char* folders;
        const char* versionFile; // empty: none
        const char* version;
    };
    const Row rows[] = {
        {"1001_CD_Contents|CD Current Version (7.16)", "", "7.16"},
        {"1001_CD_Contents|CD Current Version ()", "", ""},
        // Any name ending in ")" is a version folder: characters 21 onwards.
        {"1001_CD_Contents|Software Release (V8.01)", "", ".01"},
        // Too short to hold a version: passed over, the version before it stays.
        {"1001_CD_Contents|CD Current Version (7.16)|Old (7)", "", "7.16"},
        // Two of them: the later one in the listing wins.
        {"1001_CD_Contents|CD Current Version (7.16)|CD Current Version (7.2)", "", "7.2"},
        // The version file is read when the first job folder is met, so a version folder
        // listed before that job folder is overridden by it.
        {"CD Current Version (7.16)|Z1001_CD_Contents", "6.5\r\n", "6.5"},
        {"1001_CD_Contents|CD Current Version (7.16)", "6.5\r\n", "7.16"},
    };
    for (const Row& r : rows) {
        folders(r.folders);
        if (*r.versionFile)
            file("autorun/version", r.versionFile);
        start();
        EXPECT_EQ(m_mod->CDPath,
                  std::string("D:\\\\CD Current Version (") + r.version + ")\\Components")
            << r.folders;
    }
}

TEST_F(StartUp, SoftwareDiscMadeForAJob) {
    struct Row {
        const char* jobFile;
        const char* content;
        const char* versionFile;  // empty: none
        const char* shown;        // version, date and job name (the sample disc shows the header)
        const char* earlier = ""; // a job file listed before it
    };
    const Row rows[] = {
        {"A17.job", "7.16\r\nMarch 2007\r\n", "6.0\r\n", "7.16|March 2007|A17"},
        {"A17.JOB", "7.16\r\nMarch 2007", "", "7.16|March 2007|A17"},
        // The one-line form: the line is the date, the version comes from the version file.
        {"A17.job", "March 2007\r\n", "7.16\r\n", "7.16|March 2007|A17"},
        {"A17.job", "March 2007", "", "March 2007|March 2007|A17"},
        {"B2.Job", "7.16\nMarch 2007\n", "6.0", "6.0|7.16\nMarch 2007\n|B2"}, // one line
        // Empty: both reads meet the end; the date takes the (empty) version.
        {"C3.job", "", "6.0", "6.0||C3"},
        // Windows-1252 text, and the name cut by characters.
        {"Jöb.job", "7.16\r\nM\xE4rz 2007\r\n", "", "7.16|März 2007|Jöb"},
        {"B2.JOB", "2.0\r\nsecond\r\n", "", "2.0|second|B2", "a1.job"}, // the last one decides
    };
    for (const Row& r : rows) {
        folders("autorun");
        file(r.jobFile, r.content);
        if (*r.versionFile)
            file("autorun/version", r.versionFile);
        if (*r.earlier)
            file(r.earlier, "1.0\r\nfirst\r\n");
        ModMain& mod = start();
        EXPECT_EQ(mod.CDVersion + "|" + mod.JobDate + "|" + mod.JobName, r.shown);
        EXPECT_EQ(main().caption(), "Tidewell Software CD - Main Menu");
    }
}

// Without job folders or job file (a job folder's name in other letters is none), the disc
// is a generic one; without its version file the header tells no version.
TEST_F(StartUp, GenericSoftwareDisc) {
    folders("1001_cd_contents");
    EXPECT_TRUE(start().IsGenericCD);
    EXPECT_EQ(header("lblTitle") + "|" + header("lblVersion"), "Software CD|Version ");
}

#ifndef _WIN32 // named pipes in folders are a POSIX matter
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
    const std::string shown = header("lblVersion") + "|" + header("lblDate");
    std::filesystem::remove(host("autorun/version"));
    start();
    EXPECT_EQ(shown, header("lblVersion") + "|" + header("lblDate"));
}
#endif

// The folder that holds the job folders, from the folder the program starts in (its
// "autorun" folder, below the disc's software or a copy of the disc).
TEST_F(StartUp, ProgramFolders) {
    struct Row {
        std::string programFolder;
        std::string root;        // CDPath, on these generic discs
        std::string cdBase = {}; // empty: the program folder without "\autorun"
    };
    const std::string v = "D:\\CD Current Version (", a = ")\\Components\\autorun";
    const std::vector<Row> rows = {
        {"D:\\autorun", "D:\\", "D:\\"},
        {"D:\\autorun1", "D:\\", "D:\\"}, // 11 characters: like a root
        {"D:\\", "D:\\", "D:\\"},
        {v + "7.1" + a, "D:"}, // the historic cut of 36 characters, kept where it gives a root
        {v + "7.16" + a, "D:\\"},
        {v + "7" + a, "D:\\"}, // other version lengths: the folder that holds it
        {v + "7.160" + a, "D:\\"},
        {"D:\\media\\disc\\CD Current Version (7.16)\\Components\\autorun", "D:\\media\\disc"},
        {"D:\\copies\\disc one\\autorun", "D:\\copies\\disc one"},
        {"D:\\Discs\\Über\\autorun", "D:\\Discs\\Über"},
        // Exactly 36 characters would have left nothing: not the version layout.
        {"D:\\" + std::string(33, 'a') + "\\autorun", "D:\\" + std::string(33, 'a')},
        {v + "7.16)\\Components\\x\\autorun", v + "7.16)\\Components\\x"},
    };
    for (const Row& r : rows) {
        std::string below = r.root.substr(std::min<std::size_t>(3, r.root.size()));
        std::ranges::replace(below, '\\', '/');
        folder(below);
        ModMain& mod = start(r.programFolder);
        EXPECT_EQ(mod.CDBase, r.cdBase.empty()
                                  ? r.programFolder.substr(0, r.programFolder.size() - 8)
                                  : r.cdBase)
            << r.programFolder;
        EXPECT_EQ(mod.CDPath, r.root) << r.programFolder;
        EXPECT_TRUE(m_messages.prompts.empty()) << r.programFolder;
    }
}

TEST_F(StartUp, ServiceDiscStartedFromItsSoftwareFolder) {
    folders("1001_CD_Contents|CD Current Version (7.1)/Components/autorun");
    ModMain& mod = start("D:\\CD Current Version (7.1)\\Components\\autorun");
    EXPECT_EQ(mod.CDRoot, "D:");
    EXPECT_EQ(mod.CDPath, "D:\\CD Current Version (7.1)\\Components");
    EXPECT_TRUE(m_fs->folderExists(mod.CDPath));
}

TEST_F(StartUp, AnUnreadableDiscFolderIsToldAndTheMenuStillComes) {
    EXPECT_TRUE(start("D:\\gone\\autorun").IsGenericCD);
    EXPECT_EQ(m_messages.prompts,
              Strings{"The disc folder could not be read:\r\nD:\\gone\r\nPath not found"});
    EXPECT_TRUE(main().visible());
}

} // namespace
} // namespace discmenu::test

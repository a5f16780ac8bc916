#include "CheckSupport.h"
#include "DiscFixture.h"
#include "check/NameRules.h"
#include "check/ReportWriters.h"

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <ranges>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;

std::uint64_t filesBelow(const std::filesystem::path& folder) {
    return static_cast<std::uint64_t>(std::ranges::count_if(
        std::filesystem::recursive_directory_iterator(folder),
        [](const std::filesystem::directory_entry& e) { return e.is_regular_file(); }));
}

// The sample discs as the text report tells them: every page in menu order, no problem,
// and what the walk of the menu found where it is least plain.
TEST(SampleDiscCheck, ReportsEveryPageAndNoProblem) {
    struct Row {
        const char* disc;
        const char* summary;
        Strings pages;
        Strings excerpts;
    };
    const char* reader = "    Install Adobe Acorbat Reader (Required to view .PDF documents)\n"
                         "        message \"This will install Adobe Acrobat version 5.05.\"\n";
    const std::vector<Row> rows = {
        {"service-disc",
         "service disc: 8 pages, 33 items, 3 jobs, ",
         {"Main Menu 1001", "Included Software and Documentation", "Windows Software",
          "DOS software", "DOS Utilities", "Software Documentation", "Main Menu 1002",
          "Main Menu 1003"},
         {"CDRoot    D:\\\nCDPath    D:\\\\CD Current Version (7.16)\\Components\n",
          "\"Customer Service CD\"  \"RMA # 1001, 1002 and 1003\"  \"Version 7.16\"  \"Services ",
          "Jobs      1001 1002 1003\n",
          "Page 1: Main Menu (job 1001)    window \"Tidewell Software CD - 1001\"\n",
          // Job 1002 keeps its report in capitals; the menu still finds and opens it.
          "Page 7: Main Menu (job 1002)    window \"Tidewell Software CD - 1002\"\n"
          "    View Service Report\n        opens D:\\\\1002_CD_Contents\\service report.pdf\n",
          // Every job reaches the same software pages.
          "Page 8: Main Menu (job 1003)    window \"Tidewell Software CD - 1003\"\n"
          "    View included software and documentation\n        -> page 2 \"Included "}},
        {"software-job-disc",
         "software disc made for a job: 7 pages, 30 items, ",
         {"Main Menu", "Instrument Specific Documentation", "Included Software and Documentation",
          "Windows Software", "DOS software", "DOS Utilities", "Software Documentation"},
         {"CDRoot    \nCDPath    D:\\\n",
          "Header    \"Software CD\"  \"Job Number A17\"  \"Version 7.16\"  \"Job Completed: "
          "March 2007\"\n",
          // A row only for the kinds of file the disc holds (no .CAP, no .CFG), each row's
          // browser listing them with the menu's own pattern.
          "    View .CAL file(s)\n"
          "        file browser \"All included .CAL file(s)\", *.cal: 1 file\n"
          "          Shoal7_1717.cal\n"
          "    View .CON file(s)\n"
          "        file browser \"All included .CON file(s)\", *.con: 2 files\n"
          "          Shoal7_1717.con\n          SquallO2_1717.CON\n"
          "    View .INI file(s)\n"
          "        file browser \"All included .INI file(s)\", *.ini: 1 file\n"
          "          Deck Unit.ini\n    Return to Previous Menu\n",
          reader + std::string("        searches D:\\\\Adobe Acrobat for \"rp\"*.exe: 1 match\n"
                               "        opens D:\\Adobe Acrobat\\rp505enu.exe\n"),
          "    Install Quaylog for DOS\n        message \"Please select the folder you would like "
          "this software intsalled in. (The files will be extracted and installed "
          "automatically into the selected directory)\"\n",
          "        dialog \"Install path for Quaylog\", installs from D:\\\\brinext.dos\\\n"}},
        {"generic-disc",
         "generic software disc: 5 pages, 22 items, ",
         {"Included Software and Documentation", "Windows Software", "DOS software",
          "DOS Utilities", "Software Documentation"},
         {"Header    \"Software CD\"  \"\"  \"Version 7.16\"  \"\"\n",
          "On every page\n    Visit our website offline\n        opens D:\\\\website\\index.htm\n"
          "    Browse this CD\n        opens D:\\\n",
          // The top page has no way back, and no title before the user moves on.
          "Page 1: Included Software and Documentation    window \"Customer Service CD\"\n",
          "Page 4: DOS Utilities    window \"Tidewell Software CD - DOS Utilities\"\n"
          "    Prog**.exe - Reload calibration coefficients into an instrument\n"
          "        runs cmd.exe /k pushd \"D:\\\\progsoftware\"&&dir\n"
          "    CALPUSH.exe - Reload Calibration coefficients into .CON file\n"
          "        runs cmd.exe /k pushd \"D:\\\"&&dir calpush.exe\n"
          "    Return to Previous Menu\n        -> page 1 \"Included Software and "
          "Documentation\"\n"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.disc);
        const auto report = checkFolder(std::filesystem::path(DISCMENU_SAMPLES) / r.disc);
        Strings pages;
        for (const check::Page& p : report.pages)
            pages.push_back(p.title + (p.job.empty() ? "" : " " + p.job));
        EXPECT_EQ(pages, r.pages);
        std::ostringstream text;
        check::writeText(text, report, r.disc);
        EXPECT_EQ(report.exitStatus(), 0);
        EXPECT_TRUE(text.str().contains(std::string("\n") + r.summary)) << text.str();
        EXPECT_TRUE(text.str().ends_with("; no problems\n"));
        for (const std::string& e : r.excerpts)
            EXPECT_TRUE(text.str().contains(e)) << e;
        EXPECT_EQ(report.files, filesBelow(std::filesystem::path(DISCMENU_SAMPLES) / r.disc));
    }
}

// A disc tree built for one kind of problem at a time, on top of a disc that has none.
class BrokenDisc : public DiscFixture {
protected:
    // Everything the software pages open, under folder (empty: the root).
    void software(const std::string& at) {
        for (const char* f :
             {"website/index.htm", "CDContentsAndInstallation.pdf", "progsoftware/prog16.exe",
              "calpush.exe", "Adobe Acrobat/rp505enu.exe", "brinext-win32_7.16.exe",
              "BrinextSwell_2.1.exe", "quaylog_5.30.pdf", "quaylog_7.2.pdf",
              "TWLDATAPROCESSING_7.16.pdf", "TWL Battery Budget Calculator.xls",
              "brinext.dos/binstall.bat", "bxswell.dos/SETUP31.BAT"})
            file(at + f);
    }
};

TEST_F(BrokenDisc, EachKindOfProblemWithItsPathAndReason) {
    enum Disc { Service, Software, Job };
    struct Row {
        Disc disc;
        // What is changed on it: "-path" removed, "+path=content", "+path" or "+folder/"
        // added, "|" between.
        std::string change;
        std::string expected;   // "kind|part of the reason|start of the path"
        std::uint64_t size = 0; // the last file added is made this large
    };
    const std::string v = "CD Current Version (7.16)/Components";
    const std::string longName = std::string(61, 'a') + ".pdf";
    const std::vector<Row> rows = {
        {Software, "-BrinextSwell_2.1.exe",
         "missing-target|no file starts with \"BrinextSwell_\"|D:\\"},
        {Software, "-Adobe Acrobat",
         "missing-target|searches a folder that is not|D:\\\\Adobe Acrobat"},
        {Software, "-CDContentsAndInstallation.pdf",
         "missing-target|opens what is not on the|D:\\\\CDContentsAndInstallation.pdf"},
        {Software, "-progsoftware", "missing-target|console on a folder|D:\\\\progsoftware"},
        {Software, "-bxswell.dos", "missing-target|installs from a folder|D:\\\\bxswell.dos\\"},
        {Service, "-" + v,
         "missing-target|the software folder of version \"7.16\"|D:\\\\CD Current Version "
         "(7.16)\\Components"},
        // The later name in the disc's order wins: "7.16" sorts after "7.1.".
        {Software, "+Brinext-Win32_7.1.exe",
         "several-matches|opens \"brinext-win32_7.16.exe\", not "
         "\"Brinext-Win32_7.1.exe\"|D:\\brinext-win32_7.16.exe"},
        {Job, "+B18.job=7.16\r\nApril 2007\r\n",
         "several-matches|takes \"B18.job\", not \"A17.job\"|D:\\"},
        {Service, "+CD Current Version (7.17)/Components/",
         "several-matches|takes \"CD Current Version (7.17)\"|D:\\"},
        {Service, "+1042_CD_Content/", "skipped-folder|not list it as a job|D:\\1042_CD_Content"},
        {Service, "+_CD_Contents/", "skipped-folder|without a job number|D:\\_CD_Contents"},
        {Service, "+Old (1)/", "skipped-folder|too short|D:\\Old (1)"},
        // Sorted after the real one, it is taken for the version folder.
        {Service, "+Drafts for customer (old)/",
         "skipped-folder|takes it for the version folder (version \"(old\")|D:\\Drafts"},
        {Service, "+autorun/version=7.15\r\n",
         "version-mismatch|says \"7.15\", the version folder \"7.16\"|D:\\\\autorun\\version"},
        {Job, "+A17.job=", "job-file-no-date|no date line|D:\\\\A17.job"},
        {Job, "+A17.job=7.16\nMarch 2007\n", "job-file-no-date|line feed alone|D:\\\\A17.job"},
        // ".con" is in the name, so the row shows; "*.con" matches nothing.
        {Job, "-Shoal7_1717.con|+setup.configuration",
         "empty-browser|\"View .CON file(s)\" is shown|D:\\"},
        {Software, "+progsoftware/" + longName,
         "name-too-long|65 characters|D:\\progsoftware\\" + longName},
        {Software, "+website/what?.htm", "name-forbidden|\"?\"|D:\\website\\what?.htm"},
        {Software, "+website/Index.htm", "name-case-clash|only in letter case|D:\\website\\"},
        {Software, "+data.bin", "too-large|more than a CD (700 MB)|D:\\", check::cdBytes + 1},
        {Software, "+data.bin", "too-large|more than a single-layer DVD|D:\\", check::dvdBytes + 1},
        {Software, "-", "unreadable|Path not found|D:\\"}, // no disc at all
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        std::filesystem::remove_all(m_disc);
        file("autorun/version", "7.16\r\n");
        software(row.disc == Service ? v + "/" : "");
        if (row.disc == Service)
            folder("1001_CD_Contents/recovered data");
        if (row.disc == Job) {
            file("A17.job", "7.16\r\nMarch 2007\r\n");
            file("Shoal7_1717.con");
        }
        for (const auto part : std::views::split(row.change, '|')) {
            const std::string change(part.begin(), part.end());
            const std::string path = change.substr(1, change.find('=') - 1);
            if (change[0] == '-')
                std::filesystem::remove_all(host(path));
            else if (path.ends_with('/'))
                folder(path);
            else
                file(path, change.contains('=') ? change.substr(change.find('=') + 1) : "x");
            if (row.size)
                std::filesystem::resize_file(host(path), row.size);
        }
        const auto r = checkFolder(m_disc);
        EXPECT_EQ(r.exitStatus(), row.expected.starts_with("unreadable|") ? 2 : 1);
        std::string all;
        for (const auto& p : r.problems) {
            EXPECT_FALSE(p.reason.contains('\n')) << p.reason;
            all += p.kind + " | " + p.reason + " | " + p.path + "\n";
        }
        const std::size_t bar = row.expected.find('|'), path = row.expected.rfind('|') + 1;
        EXPECT_TRUE(std::ranges::any_of(r.problems, [&](const check::Problem& p) {
            return row.expected.starts_with(p.kind + "|") &&
                   p.reason.contains(row.expected.substr(bar + 1, path - bar - 2)) &&
                   p.path.starts_with(row.expected.substr(path));
        })) << all;
    }
}

// Names fed to the rules in a folder's own order: each later name differing only in case
// names the first one met.
TEST(NameRules, EachCaseClashNamesTheFirstNameMet) {
    check::DiscReport r;
    check::NameRules names(r, "D:\\");
    auto entries = [](Strings list) {
        std::vector<check::TreeEntry> out;
        for (const std::string& name : list)
            out.push_back({name, false, 1, false});
        return out;
    };
    names.visit("", {{"website", true, 0, false}, {"WEBSITE", true, 0, false}});
    names.visit("website", entries({"Index.htm", "a.txt", "index.htm", "INDEX.HTM"}));
    // A folder differing only in case from one met before: its names are met as well, and
    // clash only with names of its own.
    names.visit("WEBSITE", entries({"index.htm", "b.txt"}));
    names.finish();
    Strings clashes;
    for (const check::Problem& p : r.problems)
        clashes.push_back(p.kind + " " + p.path + " " + p.reason.substr(0, p.reason.find(" only")));
    EXPECT_EQ(clashes,
              (Strings{"name-case-clash D:\\WEBSITE differs from \"website\"",
                       "name-case-clash D:\\website\\index.htm differs from \"Index.htm\"",
                       "name-case-clash D:\\website\\INDEX.HTM differs from \"Index.htm\""}));
    EXPECT_EQ(r.files, 6u);
    EXPECT_EQ(names.index().met("D:\\Website\\B.TXT"), true);
    EXPECT_EQ(names.index().met("D:\\website\\c.txt"), false);
}

// The check's walk of the menu asks the tree it walked whether files and folders exist,
// where the tree can tell as the machine would; everywhere else the machine is asked.
class WalkedTree : public DiscFixture {};

TEST_F(WalkedTree, TellsWhatExistsAsTheMachineDoes) {
    file("1001_CD_Contents/service Report.pdf");
    folder("1001_CD_Contents/recovered data");
    file("F\u00fcr/x.txt");
    file("Twice/a.txt");
    file("twice/b.txt");
    writeFile(m_disc / "a\\b.txt", "x"); // one name, with a backslash in it
    std::filesystem::create_symlink("1001_CD_Contents/service Report.pdf", host("link.pdf"));
    std::filesystem::create_symlink("1001_CD_Contents", host("folderlink"));
    std::filesystem::create_symlink("nowhere", host("gone"));
    check::DiscReport r;
    check::NameRules names(r, "D:\\");
    ASSERT_TRUE(posix::PosixDiscTree(m_disc.string()).walk(names));
    // Whether the tree tells it (else the machine is asked).
    const std::pair<const char*, bool> rows[] = {
        {"D:\\", true},
        {"D:", true},
        {"d:\\1001_cd_contents\\SERVICE REPORT.PDF", true},
        {"D:\\\\1001_CD_Contents\\\\service Report.pdf", true},
        {"D:\\1001_CD_Contents\\.\\recovered data\\", true},
        {"D:\\1001_CD_Contents\\recovered data\\nothing", true},
        {"D:\\missing\\service Report.pdf", true},
        {"D:\\1001_CD_Contents", true}, // a root holding a name beyond ASCII tells plain names
        {"D:\\1001_CD_Contents\\service Report.pdf\\x", false}, // through a file
        {"D:\\missing\\..\\1001_CD_Contents", false},
        {"D:\\F\u00fcr\\x.txt", false},
        {"D:\\F\u00dcR\\X.TXT", false},
        {"D:\\twice\\a.txt", false}, // "Twice" and "twice": which one is the machine's pick
        {"D:\\TWICE\\b.txt", false},
        {"D:\\link.pdf", false},
        {"D:\\folderlink\\service Report.pdf", false},
        {"D:\\gone", false},
        {"D:\\a\\b.txt", true}, // nothing is named "a"
        {"D:\\a\uf05cb.txt", false},
        {"D:/1001_CD_Contents", false},
        {"E:\\", false},
        {"C:\\1001_CD_Contents", false},
    };
    for (const auto& [path, told] : rows) {
        SCOPED_TRACE(path);
        const auto file = names.index().exists(path, false);
        const auto folder = names.index().exists(path, true);
        EXPECT_EQ(file.has_value() && folder.has_value(), told);
        EXPECT_EQ(file.value_or(m_fs->fileExists(path)), m_fs->fileExists(path));
        EXPECT_EQ(folder.value_or(m_fs->folderExists(path)), m_fs->folderExists(path));
    }
}

// Deeper than the walk keeps folders open: the rest are opened by their paths, in the same
// order; a folder whose path is longer than the machine takes is one that cannot be read.
TEST_F(WalkedTree, GoesAsDeepAsTheMachineReaches) {
    auto walk = [&] {
        check::DiscReport r;
        check::NameRules names(r, "D:\\");
        EXPECT_TRUE(posix::PosixDiscTree(m_disc.string()).walk(names));
        names.finish();
        return r;
    };
    std::string deep = "a";
    for (int i = 1; i < 80; ++i) {
        file(deep + "/f.txt");
        deep += i == 40 ? "/b" : "/a";
    }
    file(deep + "/what?.txt");
    file("a/z.txt");
    auto r = walk();
    EXPECT_EQ(r.folders, 80u);
    EXPECT_EQ(r.files, filesBelow(m_disc));
    std::ranges::replace(deep, '/', '\\');
    EXPECT_EQ(r.problems, (std::vector<check::Problem>{{"name-forbidden", r.problems.at(0).reason,
                                                        "D:\\" + deep + "\\what?.txt"}}));

    // Folders named by 200 characters, each in the one before, past the longest path.
    std::filesystem::remove_all(m_disc);
    std::filesystem::create_directories(m_disc);
    const std::string name(200, 'n');
    auto lengthAt = [&](std::size_t level) {
        return m_disc.string().size() + level * (1 + name.size());
    };
    int fd = ::open(m_disc.c_str(), O_RDONLY | O_DIRECTORY);
    for (std::size_t level = 1; lengthAt(level - 1) < PATH_MAX + 400; ++level) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0755), 0);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ::close(fd);
    std::size_t read = 0; // the folders whose paths the machine takes
    while (lengthAt(read + 1) < PATH_MAX)
        ++read;
    r = walk();
    EXPECT_EQ(r.folders, read + 1); // the first folder too far is still listed in its parent
    // Each name is longer than the disc format keeps; one folder cannot be read.
    EXPECT_EQ(r.problems.size(), read + 2);
    EXPECT_TRUE(std::ranges::any_of(r.problems, [&](const check::Problem& p) {
        return p.kind == "unreadable-folder" && p.path.size() == 3 + (read + 1) * (1 + name.size());
    }));
    // Taken apart from the deepest folder up, as no path reaches it.
    std::function<void(int)> empty = [&](int parent) {
        const int at = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY);
        if (at < 0)
            return;
        empty(at);
        ::close(at);
        ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
    };
    const int root = ::open(m_disc.c_str(), O_RDONLY | O_DIRECTORY);
    empty(root);
    ::close(root);
}

} // namespace
} // namespace discmenu::test

#include "CheckSupport.h"
#include "DiscFixture.h"
#include "check/NameRules.h"

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::test {
namespace {

using Strings = std::vector<std::string>;
const std::filesystem::path samples = DISCMENU_SAMPLES;

Strings pageTitles(const check::DiscReport& r) {
    Strings titles;
    for (const check::Page& p : r.pages)
        titles.push_back(p.title + (p.job.empty() ? "" : " " + p.job));
    return titles;
}

Strings captions(const check::Page& page) {
    Strings out;
    for (const check::ItemAction& a : page.items)
        out.push_back(a.caption);
    return out;
}

const check::ItemAction& itemOf(const check::DiscReport& r, const std::string& caption) {
    for (const check::Page& p : r.pages) {
        for (const check::ItemAction& a : p.items) {
            if (a.caption == caption)
                return a;
        }
    }
    throw std::runtime_error("no item " + caption);
}

std::uint64_t filesBelow(const std::filesystem::path& folder) {
    return static_cast<std::uint64_t>(std::count_if(
        std::filesystem::recursive_directory_iterator(folder),
        std::filesystem::recursive_directory_iterator(),
        [](const std::filesystem::directory_entry& e) { return e.is_regular_file(); }));
}

const Strings includedTop = {"Install windows software", "Install DOS software",
                             "Install Adobe Acorbat Reader (Required to view .PDF documents)",
                             "DOS utilities", "View software documentation"};
const Strings softwarePages = {"Windows Software", "DOS software", "DOS Utilities",
                               "Software Documentation"};

TEST(SampleDiscCheck, ServiceDisc) {
    const auto r = checkFolder(samples / "service-disc");
    EXPECT_EQ(r.kind, check::DiscKind::Service);
    EXPECT_EQ(r.exitStatus(), 0);
    EXPECT_TRUE(r.problems.empty()) << r.problems.front().reason;
    EXPECT_EQ(r.CDRoot, "D:\\");
    EXPECT_EQ(r.CDPath, "D:\\\\CD Current Version (7.16)\\Components");
    EXPECT_EQ(r.CDVersion, "7.16");
    EXPECT_EQ(r.RMAList, "1001, 1002 and 1003");
    EXPECT_EQ(r.title, "Customer Service CD");
    EXPECT_EQ(r.rmaTitle, "RMA # 1001, 1002 and 1003");
    EXPECT_EQ(r.version, "Version 7.16");
    EXPECT_EQ(r.date, "Services completed: " + r.JobDate);
    EXPECT_EQ(r.jobs, (Strings{"1001", "1002", "1003"}));
    // The first job's pages in menu order, then the other jobs' own pages.
    EXPECT_EQ(pageTitles(r),
              (Strings{"Main Menu 1001", "Included Software and Documentation", "Windows Software",
                       "DOS software", "DOS Utilities", "Software Documentation", "Main Menu 1002",
                       "Main Menu 1003"}));
    EXPECT_EQ(captions(r.pages[0]).size(), 6u); // job 1001 holds all five documents
    EXPECT_EQ(r.pages[0].windowTitle, "Tidewell Software CD - 1001");
    // Job 1002 keeps its report in capitals; the menu still finds and opens it.
    EXPECT_EQ(captions(r.pages[6]), (Strings{"View Service Report", "View Calibration Documents",
                                             "View included software and documentation"}));
    EXPECT_EQ(r.pages[6].items[0].opens, (Strings{"D:\\\\1002_CD_Contents\\service report.pdf"}));
    EXPECT_EQ(captions(r.pages[7]), (Strings{"View included software and documentation"}));
    EXPECT_EQ(r.pages[7].items[0].page, 1); // every job reaches the same software pages
    EXPECT_EQ(r.files, filesBelow(samples / "service-disc"));
}

TEST(SampleDiscCheck, SoftwareDiscMadeForAJob) {
    const auto r = checkFolder(samples / "software-job-disc");
    EXPECT_EQ(r.kind, check::DiscKind::SoftwareJob);
    EXPECT_EQ(r.exitStatus(), 0);
    EXPECT_TRUE(r.problems.empty()) << r.problems.front().reason;
    EXPECT_EQ(r.CDRoot, "");
    EXPECT_EQ(r.CDPath, "D:\\");
    EXPECT_EQ(r.JobName, "A17");
    EXPECT_EQ(r.CDVersion, "7.16");
    EXPECT_EQ(r.JobDate, "March 2007");
    EXPECT_EQ(r.title, "Software CD");
    EXPECT_EQ(r.rmaTitle, "Job Number A17");
    EXPECT_EQ(r.date, "Job Completed: March 2007");
    EXPECT_TRUE(r.jobs.empty());
    EXPECT_EQ(pageTitles(r), (Strings{"Main Menu", "Instrument Specific Documentation",
                                      "Included Software and Documentation", "Windows Software",
                                      "DOS software", "DOS Utilities", "Software Documentation"}));
    // The instrument page shows a row only for kinds of file the disc holds (no .CAP, no
    // .CFG), and each row's browser lists them with the menu's own pattern.
    EXPECT_EQ(captions(r.pages[1]),
              (Strings{"View Instrument Manual(s)", "View .CAL file(s)", "View .CON file(s)",
                       "View .INI file(s)", "Return to Previous Menu"}));
    const auto& con = itemOf(r, "View .CON file(s)");
    EXPECT_EQ(con.browserCaption, "All included .CON file(s)");
    EXPECT_EQ(con.browserPattern, "*.con");
    EXPECT_EQ(con.browserFiles, (Strings{"Shoal7_1717.con", "SquallO2_1717.CON"}));
    const auto& reader =
        itemOf(r, "Install Adobe Acorbat Reader (Required to view .PDF documents)");
    EXPECT_EQ(reader.messages, (Strings{"This will install Adobe Acrobat version 5.05."}));
    EXPECT_EQ(reader.opens, (Strings{"D:\\Adobe Acrobat\\rp505enu.exe"}));
    const auto& quaylog = itemOf(r, "Install Quaylog for DOS");
    EXPECT_EQ(quaylog.dialogCaption, "Install path for Quaylog");
    EXPECT_EQ(quaylog.dialogSource, "D:\\\\brinext.dos\\");
    EXPECT_EQ(itemOf(r, "CALPUSH.exe - Reload Calibration coefficients into .CON file").runs,
              (Strings{"cmd.exe /k pushd \"D:\\\"&&dir calpush.exe"}));
    EXPECT_EQ(r.files, filesBelow(samples / "software-job-disc"));
}

TEST(SampleDiscCheck, GenericSoftwareDisc) {
    const auto r = checkFolder(samples / "generic-disc");
    EXPECT_EQ(r.kind, check::DiscKind::Generic);
    EXPECT_EQ(r.exitStatus(), 0);
    EXPECT_TRUE(r.problems.empty()) << r.problems.front().reason;
    EXPECT_EQ(r.JobName, "");
    EXPECT_EQ(r.version, "Version 7.16");
    EXPECT_EQ(r.rmaTitle, "");
    // The top page has no way back; its pages lead back to it.
    Strings expected = {"Included Software and Documentation"};
    expected.insert(expected.end(), softwarePages.begin(), softwarePages.end());
    EXPECT_EQ(pageTitles(r), expected);
    EXPECT_EQ(captions(r.pages[0]), includedTop);
    for (std::size_t i = 1; i < r.pages.size(); ++i)
        EXPECT_EQ(r.pages[i].items.back().page, 0) << r.pages[i].title;
    ASSERT_EQ(r.fixedItems.size(), 2u);
    EXPECT_EQ(r.fixedItems[0].opens, (Strings{"D:\\\\website\\index.htm"}));
    EXPECT_EQ(r.fixedItems[1].opens, (Strings{"D:\\"}));
}

// A disc tree built for one kind of problem at a time, on top of a disc that has none.
class BrokenDisc : public DiscFixture {
public:
    using DiscFixture::file;
    using DiscFixture::folder;
    using DiscFixture::host;
    // Everything the software pages open, under folder (empty: the root).
    void software(const std::string& at = "") {
        for (const char* f :
             {"website/index.htm", "CDContentsAndInstallation.pdf", "progsoftware/prog16.exe",
              "calpush.exe", "Adobe Acrobat/rp505enu.exe", "brinext-win32_7.16.exe",
              "BrinextSwell_2.1.exe", "quaylog_5.30.pdf", "quaylog_7.2.pdf",
              "TWLDATAPROCESSING_7.16.pdf", "TWL Battery Budget Calculator.xls",
              "brinext.dos/binstall.bat", "bxswell.dos/SETUP31.BAT"})
            file(at + f);
    }
    void serviceDisc() {
        file("autorun/version", "7.16\r\n");
        folder("1001_CD_Contents/recovered data");
        software("CD Current Version (7.16)/Components/");
    }
    void softwareDisc() {
        file("autorun/version", "7.16\r\n");
        software();
    }
    void jobDisc() {
        softwareDisc();
        file("A17.job", "7.16\r\nMarch 2007\r\n");
        file("Shoal7_1717.con");
    }
    check::DiscReport check() { return checkFolder(m_disc); }
};

TEST_F(BrokenDisc, WellMadeDiscsHaveNoProblems) {
    for (auto make : {&BrokenDisc::serviceDisc, &BrokenDisc::softwareDisc, &BrokenDisc::jobDisc}) {
        std::filesystem::remove_all(m_disc);
        std::filesystem::create_directories(m_disc);
        (this->*make)();
        const auto r = check();
        EXPECT_TRUE(r.problems.empty())
            << r.problems.front().kind << " " << r.problems.front().path;
        EXPECT_EQ(r.exitStatus(), 0);
    }
}

TEST_F(BrokenDisc, EachKindOfProblemWithItsPathAndReason) {
    struct Row {
        const char* what;
        std::function<void(BrokenDisc&)> make;
        check::Problem expected; // the reason need only contain expected.reason
    };
    const std::vector<Row> rows = {
        {"an installer no prefix finds",
         [](BrokenDisc& d) {
             d.softwareDisc();
             std::filesystem::remove(d.host("BrinextSwell_2.1.exe"));
         },
         {"missing-target", "no file starts with \"BrinextSwell_\"", "D:\\"}},
        {"the reader installer folder",
         [](BrokenDisc& d) {
             d.softwareDisc();
             std::filesystem::remove_all(d.host("Adobe Acrobat"));
         },
         {"missing-target", "searches a folder that is not on the disc", "D:\\\\Adobe Acrobat"}},
        {"a document opened by its full name",
         [](BrokenDisc& d) {
             d.softwareDisc();
             std::filesystem::remove(d.host("CDContentsAndInstallation.pdf"));
         },
         {"missing-target", "opens what is not on the disc",
          "D:\\\\CDContentsAndInstallation.pdf"}},
        {"the DOS tool folder",
         [](BrokenDisc& d) {
             d.softwareDisc();
             std::filesystem::remove_all(d.host("progsoftware"));
         },
         {"missing-target", "console on a folder", "D:\\\\progsoftware"}},
        {"a DOS package folder",
         [](BrokenDisc& d) {
             d.softwareDisc();
             std::filesystem::remove_all(d.host("bxswell.dos"));
         },
         {"missing-target", "installs from a folder", "D:\\\\bxswell.dos\\"}},
        {"the software folder of a service disc's version",
         [](BrokenDisc& d) {
             d.serviceDisc();
             std::filesystem::remove_all(d.host("CD Current Version (7.16)/Components"));
         },
         {"missing-target", "the software folder of version \"7.16\"",
          "D:\\\\CD Current Version (7.16)\\Components"}},
        // The later name in the disc's order wins: "7.16" sorts after "7.1.".
        {"a prefix that several files match",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("Brinext-Win32_7.1.exe");
         },
         {"several-matches", "opens \"brinext-win32_7.16.exe\", not \"Brinext-Win32_7.1.exe\"",
          "D:\\brinext-win32_7.16.exe"}},
        {"two job files",
         [](BrokenDisc& d) {
             d.jobDisc();
             d.file("B18.job", "7.16\r\nApril 2007\r\n");
         },
         {"several-matches", "takes \"B18.job\", not \"A17.job\"", "D:\\"}},
        {"two version folders",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.folder("CD Current Version (7.17)/Components");
         },
         {"several-matches", "takes \"CD Current Version (7.17)\"", "D:\\"}},
        {"a job folder name one letter short",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.folder("1042_CD_Content");
         },
         {"skipped-folder", "not list it as a job", "D:\\1042_CD_Content"}},
        {"a job folder without a number",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.folder("_CD_Contents");
         },
         {"skipped-folder", "without a job number", "D:\\_CD_Contents"}},
        {"a folder ending in \")\" too short to be a version folder",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.folder("Old (1)");
         },
         {"skipped-folder", "too short", "D:\\Old (1)"}},
        // Sorted after the real one, it is taken for the version folder.
        {"a folder ending in \")\" that is no version folder",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.folder("Drafts for customer (old)");
         },
         {"skipped-folder", "takes it for the version folder (version \"(old\")",
          "D:\\Drafts for customer (old)"}},
        {"version file and version folder disagree",
         [](BrokenDisc& d) {
             d.serviceDisc();
             d.file("autorun/version", "7.15\r\n");
         },
         {"version-mismatch", "says \"7.15\", the version folder \"7.16\"",
          "D:\\\\autorun\\version"}},
        {"an empty job file",
         [](BrokenDisc& d) {
             d.jobDisc();
             d.file("A17.job", "");
         },
         {"job-file-no-date", "no date line", "D:\\\\A17.job"}},
        {"a job file with line feeds alone",
         [](BrokenDisc& d) {
             d.jobDisc();
             d.file("A17.job", "7.16\nMarch 2007\n");
         },
         {"job-file-no-date", "line feed alone", "D:\\\\A17.job"}},
        // ".con" is in the name, so the row shows; "*.con" matches nothing.
        {"a browser row with nothing to list",
         [](BrokenDisc& d) {
             d.jobDisc();
             std::filesystem::remove(d.host("Shoal7_1717.con"));
             d.file("setup.configuration");
         },
         {"empty-browser", "\"View .CON file(s)\" is shown", "D:\\"}},
        {"a name longer than Joliet keeps",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("progsoftware/" + std::string(61, 'a') + ".pdf");
         },
         {"name-too-long", "65 characters", "D:\\progsoftware\\" + std::string(61, 'a') + ".pdf"}},
        {"a character Windows forbids",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("website/what?.htm");
         },
         {"name-forbidden", "\"?\"", "D:\\website\\what?.htm"}},
        {"names that differ only in case",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("website/Index.htm");
         },
         {"name-case-clash", "only in letter case", "D:\\website\\"}},
        {"more than a CD holds",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("data.bin", "");
             std::filesystem::resize_file(d.host("data.bin"), check::cdBytes + 1);
         },
         {"too-large", "more than a CD (700 MB)", "D:\\"}},
        {"more than a DVD holds",
         [](BrokenDisc& d) {
             d.softwareDisc();
             d.file("data.bin", "");
             std::filesystem::resize_file(d.host("data.bin"), check::dvdBytes + 1);
         },
         {"too-large", "more than a single-layer DVD", "D:\\"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(m_disc);
        std::filesystem::create_directories(m_disc);
        row.make(*this);
        const auto r = check();
        EXPECT_EQ(r.exitStatus(), 1);
        const auto found = std::find_if(r.problems.begin(), r.problems.end(), [&](const auto& p) {
            return p.kind == row.expected.kind && p.path.starts_with(row.expected.path) &&
                   p.reason.find(row.expected.reason) != std::string::npos;
        });
        EXPECT_NE(found, r.problems.end()) << [&] {
            std::string all;
            for (const auto& p : r.problems)
                all += p.kind + " | " + p.reason + " | " + p.path + "\n";
            return all;
        }();
    }
}

TEST_F(BrokenDisc, ADiscThatCannotBeReadEndsTheCheck) {
    std::filesystem::remove_all(m_disc);
    const auto r = check();
    EXPECT_EQ(r.kind, check::DiscKind::Unreadable);
    EXPECT_EQ(r.exitStatus(), 2);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].kind, "unreadable");
    EXPECT_EQ(r.problems[0].reason.find('\n'), std::string::npos); // one line
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
    std::vector<std::pair<std::string, std::string>> clashes;
    for (const check::Problem& p : r.problems) {
        if (p.kind == "name-case-clash")
            clashes.emplace_back(p.path, p.reason.substr(0, p.reason.find(" only")));
    }
    using Clashes = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(clashes, (Clashes{{"D:\\WEBSITE", "differs from \"website\""},
                                {"D:\\website\\index.htm", "differs from \"Index.htm\""},
                                {"D:\\website\\INDEX.HTM", "differs from \"Index.htm\""}}));
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

    struct Row {
        std::string path;
        bool told; // whether the tree tells it (else the machine is asked)
    };
    const std::vector<Row> rows = {
        {"D:\\", true},
        {"D:", true},
        {"d:\\1001_cd_contents\\SERVICE REPORT.PDF", true},
        {"D:\\\\1001_CD_Contents\\\\service Report.pdf", true},
        {"D:\\1001_CD_Contents\\.\\recovered data\\", true},
        {"D:\\1001_CD_Contents\\recovered data\\nothing", true},
        {"D:\\missing\\service Report.pdf", true},
        // A root holding a name beyond ASCII still tells its plain names.
        {"D:\\1001_CD_Contents", true},
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
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const auto file = names.index().exists(row.path, false);
        const auto folder = names.index().exists(row.path, true);
        EXPECT_EQ(file.has_value(), row.told);
        EXPECT_EQ(folder.has_value(), row.told);
        if (file) {
            EXPECT_EQ(*file, m_fs->fileExists(row.path));
        }
        if (folder) {
            EXPECT_EQ(*folder, m_fs->folderExists(row.path));
        }
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
    std::string deep;
    std::string forbidden;
    for (int i = 0; i < 80; ++i) {
        if (i > 0)
            deep += '/';
        deep += i == 40 ? 'b' : 'a';
        file(deep + "/f.txt");
        if (i == 70) {
            file(deep + "/what?.txt");
            forbidden = "D:\\" + deep + "/what?.txt";
            std::replace(forbidden.begin(), forbidden.end(), '/', '\\');
        }
    }
    file("a/z.txt");
    auto r = walk();
    EXPECT_EQ(r.folders, 80u);
    EXPECT_EQ(r.files, filesBelow(m_disc));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].path, forbidden);

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
    const auto unreadable = std::find_if(r.problems.begin(), r.problems.end(), [](const auto& p) {
        return p.kind == "unreadable-folder";
    });
    ASSERT_NE(unreadable, r.problems.end());
    EXPECT_EQ(unreadable->path.size(), 3 + (read + 1) * (1 + name.size()));
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

#include "platform/posix/PosixFileSystem.h"
#include "DiscFixture.h"
#include "Unwritable.h"
#include "platform/ConsoleCommand.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/PosixEnvironment.h"

#include <fcntl.h>
#include <future>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::test {
namespace {

using PosixFileSystem = DiscFixture;

// The rows the machine-wide contract table (FileSystemContractTest) does not hold: what a
// host path walk could get wrong.
TEST_F(PosixFileSystem, ResolvesNamesWithoutRegardToCase) {
    file("Software/Quaylog_7.PDF");
    struct Row {
        const char* path;
        bool file;
        bool folder;
    };
    const Row rows[] = {
        {"D:\\software\\..\\Software\\quaylog_7.pdf", true, false},
        {"D:\\Software\\Quaylog_7.PDF\\", true, false},
        {"Software", false, false}, // no drive at all
    };
    for (const Row& r : rows) {
        EXPECT_EQ(m_fs->fileExists(r.path), r.file) << r.path;
        EXPECT_EQ(m_fs->folderExists(r.path), r.folder) << r.path;
    }
}

TEST_F(PosixFileSystem, ListsFilesAndFoldersApart) {
    for (const char* n : {"b.txt", "A.txt", "a.TXT", "_x", "1", "Zeta", "über", "Über2"})
        file(std::string("f/") + n);
    folder("f/Sub");
    folder("f/another");
    symlink("nowhere", host("f/dangling").c_str());
    auto files = m_fs->files("D:\\f");
    ASSERT_TRUE(files);
    EXPECT_EQ(listedNames(files), (std::vector<std::string>{"1", "A.txt", "a.TXT", "b.txt", "Zeta",
                                                            "_x", "über", "Über2"}));
    for (const FolderEntry& e : *files)
        EXPECT_EQ(e.path, "D:\\f\\" + e.name);
    EXPECT_EQ(listedNames(m_fs->subfolders("D:\\\\f\\")),
              (std::vector<std::string>{"another", "Sub"}));
    file("top.txt");
    auto top = m_fs->files("D:");
    ASSERT_TRUE(top && top->size() == 1);
    EXPECT_EQ(top->front().path, "D:\\top.txt");
}

TEST_F(PosixFileSystem, CopyReplacesAnExistingFile) {
    file("src/a.con", "new");
    writeFile(m_temp.path() / "other/dest/A.CON", "old");
    ASSERT_TRUE(m_fs->copyFile("D:\\src\\a.con", "E:\\dest\\a.con", nullptr));
    // The stored name is kept, in the way Windows replaces a file of another letter case.
    EXPECT_EQ(readFile(m_temp.path() / "other/dest/A.CON"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_temp.path() / "other/dest"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(PosixFileSystem, CopyFailures) {
    file("src/a.con", "new");
    writeFile(m_temp.path() / "other/dest/keep.con", "precious");
    struct Row {
        const char* from;
        const char* to;
        int number;
    };
    const Row rows[] = {
        {"D:\\src\\missing.con", "E:\\dest\\x.con", 53},
        {"D:\\src\\a.con", "E:\\nowhere\\a.con", 76},
        {"D:\\src\\a.con", "Q:\\a.con", 68},
        {"D:\\src\\a.con", "E:\\dest", 75}, // a folder stands there
    };
    for (const Row& r : rows) {
        auto copied = m_fs->copyFile(r.from, r.to, nullptr);
        ASSERT_FALSE(copied) << r.from << " " << r.to;
        EXPECT_EQ(copied.error().number(), r.number) << r.from << " " << r.to;
    }
}

TEST_F(PosixFileSystem, AFailedCopyLeavesTheExistingFileIntact) {
    // Reading this process's memory at offset 0 fails after the copy has begun.
    posix::DriveMap drives;
    drives.add('E', (m_temp.path() / "other").string());
    drives.add('P', "/proc/self");
    posix::PathResolver paths(drives);
    posix::PosixFileSystem fs(paths);
    if (!std::filesystem::exists("/proc/self/mem"))
        GTEST_SKIP() << "needs /proc/self/mem";
    writeFile(m_temp.path() / "other/keep.con", "precious");
    auto copied = fs.copyFile("P:\\mem", "E:\\keep.con", nullptr);
    ASSERT_FALSE(copied);
    EXPECT_EQ(readFile(m_temp.path() / "other/keep.con"), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_temp.path() / "other"),
                            std::filesystem::directory_iterator()),
              1); // no half-written file left beside it
}

TEST_F(PosixFileSystem, ARefusedCopyIsPermissionDenied) {
    file("src/a.con", "new");
    writeFile(m_temp.path() / "other/ro.con", "old");
    Unwritable ro(m_temp.path() / "other/ro.con");
    if (!ro.holds())
        GTEST_SKIP() << "this file system cannot refuse the superuser";
    auto copied = m_fs->copyFile("D:\\src\\a.con", "E:\\ro.con", nullptr);
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().number(), 70);
    EXPECT_EQ(readFile(m_temp.path() / "other/ro.con"), "old");
}

TEST_F(PosixFileSystem, CopyFolderAndMakeFolder) {
    file("pkg/DEMO/one.dat", "1");
    file("pkg/DEMO/deeper/two.dat", "2");
    writeFile(m_temp.path() / "other/DEMO/one.dat", "old");
    ASSERT_TRUE(m_fs->copyFolder("D:\\pkg\\DEMO", "E:\\\\DEMO", nullptr));
    EXPECT_EQ(readFile(m_temp.path() / "other/DEMO/one.dat"), "1");
    EXPECT_EQ(readFile(m_temp.path() / "other/DEMO/deeper/two.dat"), "2");

    EXPECT_TRUE(m_fs->makeFolder("E:\\New"));
    EXPECT_EQ(m_fs->makeFolder("E:\\new").error().number(), 75); // already there, in any case
    EXPECT_EQ(m_fs->makeFolder("E:\\a\\b").error().number(), 76);
    EXPECT_EQ(m_fs->makeFolder("Q:\\a").error().number(), 68);
}

// The files of the folder below root, with their contents, by relative path.
std::map<std::string, std::string> tree(const std::filesystem::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        const std::string rel = std::filesystem::relative(e.path(), root).string();
        out[rel] = e.is_directory() ? "/" : readFile(e.path());
    }
    return out;
}

TEST_F(PosixFileSystem, CopyFolderReplacesFilesOfAnyLetterCase) {
    // An earlier install left these, written by a program that spells names its own way.
    writeFile(m_temp.path() / "other/demo/WAVE1.DAT", "old");
    writeFile(m_temp.path() / "other/demo/SUB/WAVE2.DAT", "old");
    file("pkg/DEMO/wave1.dat", "new1");
    file("pkg/DEMO/sub/wave2.dat", "new2");
    file("pkg/DEMO/sub/wave3.dat", "new3");
    ASSERT_TRUE(m_fs->copyFolder("D:\\pkg\\DEMO", "E:\\DEMO", nullptr));
    EXPECT_EQ(tree(m_temp.path() / "other"),
              (std::map<std::string, std::string>{{"demo", "/"},
                                                  {"demo/WAVE1.DAT", "new1"},
                                                  {"demo/SUB", "/"},
                                                  {"demo/SUB/WAVE2.DAT", "new2"},
                                                  {"demo/SUB/wave3.dat", "new3"}}));
}

TEST_F(PosixFileSystem, CopyFolderCopiesEachRealFolderOnce) {
    file("pkg/DEMO/one.dat", "1");
    file("pkg/DEMO/deep/two.dat", "2");
    std::filesystem::create_directory_symlink(".", host("pkg/DEMO/self"));
    std::filesystem::create_directory_symlink("../..", host("pkg/DEMO/deep/up")); // pkg
    std::filesystem::create_directory_symlink("deep", host("pkg/DEMO/twin"));
    auto copied = m_fs->copyFolder("D:\\pkg\\DEMO", "E:\\DEMO", nullptr);
    ASSERT_TRUE(copied) << copied.error().description;
    // Each real folder is copied once, under whichever of its names the walk meets first
    // (deep or its link twin); deep/up leads out of DEMO, so it is not followed.
    auto copiedTree = tree(m_temp.path() / "other/DEMO");
    const std::string deep = copiedTree.contains("deep") ? "deep" : "twin";
    EXPECT_EQ(copiedTree, (std::map<std::string, std::string>{
                              {"one.dat", "1"}, {deep, "/"}, {deep + "/two.dat", "2"}}));
}

TEST_F(PosixFileSystem, CopyFolderNeverFollowsALinkOutOfIt) {
    // A link to "/" in a package once made an install copy the whole machine, /proc and all.
    file("pkg/DEMO/one.dat", "1");
    file("secret.txt", "s");
    std::filesystem::create_directory_symlink("/", host("pkg/DEMO/root"));
    std::filesystem::create_symlink(host("secret.txt"), host("pkg/DEMO/secret.txt"));
    std::filesystem::create_symlink("one.dat", host("pkg/DEMO/alias.dat")); // inside: copied
    std::filesystem::create_symlink("gone", host("pkg/DEMO/dangling"));
    (void)m_fs->copyFolder("D:\\pkg\\DEMO", "E:\\DEMO", nullptr);
    EXPECT_EQ(tree(m_temp.path() / "other/DEMO"),
              (std::map<std::string, std::string>{{"one.dat", "1"}, {"alias.dat", "1"}}));
}

TEST_F(PosixFileSystem, CopyFolderNeverWalksIntoItsOwnCopy) {
    file("pkg/one.dat", "1");
    ASSERT_TRUE(m_fs->copyFolder("D:\\pkg", "D:\\pkg\\copy", nullptr));
    EXPECT_EQ(tree(host("pkg")), (std::map<std::string, std::string>{
                                     {"one.dat", "1"}, {"copy", "/"}, {"copy/one.dat", "1"}}));
}

TEST_F(PosixFileSystem, ReadsOnlyTheStartOfAFile) {
    file("big", std::string(5000, 'x'));
    EXPECT_EQ(m_fs->readStart("D:\\big", 100)->size(), 100u);
    EXPECT_EQ(m_fs->readStart("D:\\BIG", 1 << 20)->size(), 5000u);
    EXPECT_EQ(m_fs->readStart("D:\\none", 10).error().number(), 53);
}

// Runs step, which must not wait on fifo. Should it wait, a writer that opens and closes
// the fifo lets it go on, so that the test fails instead of hanging.
template <class F> auto withoutWaiting(const std::filesystem::path& fifo, F step) {
    auto running = std::async(std::launch::async, step);
    if (running.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "waited on " << fifo;
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return running.get();
}

TEST_F(PosixFileSystem, OnlyRegularFilesAreOpened) {
    folder("autorun");
    ASSERT_EQ(::mkfifo(host("autorun/version").c_str(), 0644), 0);
    std::filesystem::create_symlink(host("autorun/version"), host("linked.job"));
    const std::filesystem::path fifo = host("autorun/version");
    for (const char* path : {"D:\\autorun\\version", "D:\\linked.job"}) {
        auto read = withoutWaiting(fifo, [&] { return m_fs->readStart(path, 100); });
        ASSERT_FALSE(read) << path;
        EXPECT_EQ(read.error().number(), 53) << path; // as if it were missing
        EXPECT_FALSE(m_fs->fileExists(path)) << path;
        auto copied =
            withoutWaiting(fifo, [&] { return m_fs->copyFile(path, "E:\\copy", nullptr); });
        ASSERT_FALSE(copied) << path;
        EXPECT_EQ(copied.error().number(), 53) << path;
    }
    EXPECT_FALSE(std::filesystem::exists(m_temp.path() / "other/copy"));

    // A device would be read without end.
    std::filesystem::create_symlink("/dev/zero", host("zero.job"));
    EXPECT_EQ(m_fs->readStart("D:\\zero.job", 100).error().number(), 53);
    EXPECT_EQ(m_fs->copyFile("D:\\zero.job", "E:\\copy", nullptr).error().number(), 53);
}

TEST(DriveMap, GivesTheWindowsPathThroughTheClosestDrive) {
    posix::DriveMap drives;
    drives.add('C', "/home/ann/");
    drives.add('Z', "/");
    drives.add('d', "/media/disc");
    struct Row {
        const char* host;
        const char* windows;
    };
    const Row rows[] = {{"/media/disc/autorun", "D:\\autorun"},
                        {"/media/disc", "D:\\"},
                        {"/media/disc2/autorun", "Z:\\media\\disc2\\autorun"},
                        {"/home/ann/Discs/x", "C:\\Discs\\x"},
                        {"/media/disc/a\\b/autorun", "D:\\a\uF05Cb\\autorun"}, // one name
                        {"/", "Z:\\"}};
    for (const Row& r : rows)
        EXPECT_EQ(drives.toWindows(r.host).value_or("?"), r.windows) << r.host;
}

TEST(RegionalDateTime, WritesDateAndTimeTheWindowsWay) {
    std::tm t{};
    t.tm_year = 107;
    t.tm_mon = 2;
    t.tm_mday = 20;
    t.tm_hour = 10;
    t.tm_min = 15;
    t.tm_sec = 2;
    EXPECT_EQ(posix::regionalDateTime(t, nullptr), "3/20/2007 10:15:02 AM");
    t.tm_hour = 12;
    EXPECT_EQ(posix::regionalDateTime(t, "C.UTF-8"), "3/20/2007 12:15:02 PM");
    t.tm_hour = 0;
    EXPECT_EQ(posix::regionalDateTime(t, "POSIX"), "3/20/2007 12:15:02 AM");
    t.tm_min = t.tm_sec = 0;
    EXPECT_EQ(posix::regionalDateTime(t, ""), "3/20/2007"); // midnight: the date alone
    EXPECT_EQ(posix::regionalDateTime(t, "no_SUCH.locale"), "3/20/2007");
}

TEST(RegionalDateTime, TakesEveryDateWindowsCanHold) {
    using namespace std::chrono;
    const posix::PosixEnvironment env(posix::DriveMap{}, "/");
    // Noon, so that the date is the same in every time zone.
    struct Row {
        sys_days day;
        const char* date;
    };
    const Row rows[] = {{sys_days{1601y / 1 / 1}, "1/1/1601"},
                        {sys_days{1677y / 9 / 21}, "9/21/1677"},
                        {sys_days{2262y / 4 / 12}, "4/12/2262"},
                        {sys_days{2300y / 6 / 13}, "6/13/2300"},
                        {sys_days{30827y / 12 / 31}, "12/31/30827"}};
    const char* was = std::getenv("LC_ALL");
    const std::string saved = was ? was : "";
    ::setenv("LC_ALL", "C", 1);
    for (const Row& r : rows) {
        const std::string text = env.dateTimeText(r.day + 12h);
        EXPECT_EQ(text.substr(0, text.find(' ')), r.date);
    }
    if (was)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

TEST(CommandLine, TakesTheProgramsCommandLinesApart) {
    // The console's folder is quoted, so that cmd runs nothing of a name like "R&D (x)".
    for (const ConsoleCommand& c : {ConsoleCommand{"D:\\\\sw\\progsoftware", ""},
                                    ConsoleCommand{"C:\\R&D (x)|^<>", "calpush.exe"},
                                    ConsoleCommand{"D:\\", "calpush.exe"}}) {
        const std::string line = consoleCommandLine(c);
        EXPECT_EQ(line, "cmd.exe /k pushd \"" + c.folder + "\"&&dir" +
                            (c.name.empty() ? "" : " " + c.name));
        auto back = parseConsoleCommand(line);
        ASSERT_TRUE(back) << line;
        EXPECT_EQ(back->folder, c.folder);
        EXPECT_EQ(back->name, c.name);
    }
    auto console = parseConsoleCommand("cmd.exe /k pushd D:\\A&&B&&dir calpush.exe");
    ASSERT_TRUE(console);
    EXPECT_EQ(console->folder, "D:\\A&&B"); // the listing is the last "&&dir"
    EXPECT_FALSE(parseConsoleCommand("cmd.exe /k pushd D:\\&&dirx"));
    EXPECT_FALSE(parseConsoleCommand("cmd.exe /c del D:\\x"));
    EXPECT_EQ(posix::parseNotepadCommand("notepad.exe D:\\a b.con").value_or("?"), "D:\\a b.con");
    EXPECT_FALSE(posix::parseNotepadCommand("notepad.exe "));
    EXPECT_FALSE(posix::parseNotepadCommand("calc.exe"));
}

} // namespace
} // namespace discmenu::test

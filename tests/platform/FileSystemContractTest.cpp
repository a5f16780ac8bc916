// What the program relies on of the machine's file system, one table run against the
// adapter of the machine the tests are built for: POSIX on Linux, Win32 under Wine.

#include "DiscFixture.h"
#include "MachineFiles.h"
#include "Unwritable.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace discmenu::test {
namespace {

using FileSystemContract = DiscFixture;

TEST_F(FileSystemContract, NamesResolveTheWindowsWay) {
    file("Software/Quaylog_7.PDF");
    struct Row {
        const char* path;
        bool file;
        bool folder;
    };
    const Row rows[] = {
        {"D:\\Software\\Quaylog_7.PDF", true, false},
        {"d:\\SOFTWARE\\quaylog_7.pdf", true, false},
        {"D:\\\\Software\\\\Quaylog_7.PDF", true, false}, // doubled separators name the same place
        {"D:\\Software", false, true},
        {"D:\\software\\", false, true},
        {"D:\\", false, true},
        {"D:", false, true},                        // the drive's current folder, its root here
        {"D:Software\\Quaylog_7.PDF", true, false}, // relative to that current folder
        {"D:\\Software\\Quaylog_8.PDF", false, false},
        {"D:\\Nowhere\\Quaylog_7.PDF", false, false},
        {"Q:\\Software", false, false}, // no such drive
        {"", false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(m_fs->fileExists(r.path), r.file) << r.path;
        EXPECT_EQ(m_fs->folderExists(r.path), r.folder) << r.path;
    }
    const std::vector<char> drives = m_fs->drives();
    for (char letter : {'C', 'D', 'E'})
        EXPECT_NE(std::find(drives.begin(), drives.end(), letter), drives.end()) << letter;
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
}

TEST_F(FileSystemContract, ListsFilesAndFoldersApartWithTheirPaths) {
    for (const char* n : {"b.txt", "A.txt", "_x", "1", "Zeta", "über", "Überprüfung.con"})
        file(std::string("f/") + n);
    folder("f/Sub");
    folder("f/another");
    touch("f/Sub", FileTime(std::chrono::seconds(1'200'000'000)));
    auto files = m_fs->files("D:\\f");
    ASSERT_TRUE(files);
    EXPECT_EQ(listedNames(files), (std::vector<std::string>{"1", "A.txt", "b.txt", "Zeta", "_x",
                                                            "über", "Überprüfung.con"}));
    for (const FolderEntry& e : *files)
        EXPECT_EQ(e.path, "D:\\f\\" + e.name);
    auto folders = m_fs->subfolders("D:\\\\f\\");
    EXPECT_EQ(listedNames(folders), (std::vector<std::string>{"another", "Sub"}));
    for (const FolderEntry& e : *folders) {
        EXPECT_EQ(e.path, "D:\\f\\" + e.name);
        if (e.name == "Sub") {
            EXPECT_EQ(e.modified, FileTime(std::chrono::seconds(1'200'000'000)));
        }
    }
    file("top.txt");
    auto top = m_fs->files("D:");
    ASSERT_TRUE(top && top->size() == 1);
    EXPECT_EQ(top->front().path, "D:\\top.txt");
    EXPECT_EQ(*m_fs->readStart("d:\\F\\ÜBERPRÜFUNG.CON", 100), "x");
}

TEST_F(FileSystemContract, EachFailureHasItsNumber) {
    file("src/a.con", "new");
    folder("src/sub");
    writeFile(home("dest/keep.con"), "precious");
    auto number = [](const auto& result) { return result ? 0 : result.error().number(); };
    struct Row {
        const char* what;
        int got;
        int expected;
    };
    const Row rows[] = {
        {"list a missing drive", number(m_fs->subfolders("Q:\\")), 68},
        {"list a missing folder", number(m_fs->files("D:\\nothing")), 76},
        {"list a file", number(m_fs->files("D:\\src\\a.con")), 76},
        {"read a missing file", number(m_fs->readStart("D:\\src\\b.con", 10)), 53},
        {"read on a missing drive", number(m_fs->readStart("Q:\\a.con", 10)), 68},
        {"copy a missing file",
         number(m_fs->copyFile("D:\\src\\b.con", "C:\\dest\\b.con", nullptr)), 53},
        {"copy into a missing folder",
         number(m_fs->copyFile("D:\\src\\a.con", "C:\\nowhere\\a.con", nullptr)), 76},
        {"copy onto a missing drive",
         number(m_fs->copyFile("D:\\src\\a.con", "Q:\\a.con", nullptr)), 68},
        {"copy onto a folder", number(m_fs->copyFile("D:\\src\\a.con", "C:\\dest", nullptr)), 75},
        {"make a folder that is there", number(m_fs->makeFolder("C:\\DEST")), 75}, // any case
        {"make a folder in a missing one", number(m_fs->makeFolder("C:\\no\\where")), 76},
        {"make a folder on a missing drive", number(m_fs->makeFolder("Q:\\new")), 68},
        {"copy a missing folder", number(m_fs->copyFolder("D:\\none", "C:\\none", nullptr)), 76},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected) << r.what;
    EXPECT_EQ(readFile(home("dest/keep.con")), "precious");
}

TEST_F(FileSystemContract, ACopyReplacesOnlyOnceComplete) {
    // A copy broken off before it is complete (here by its progress listener, at the first
    // piece it hears of, which may be the whole content) leaves the file that was there.
    file("big.dat", std::string(300'000, 'n'));
    writeFile(home("dest/BIG.DAT"), "old");
    struct BreakOff : CopyProgress {
        void copied(std::uint64_t, std::uint64_t) override {
            throw std::runtime_error("broken off");
        }
    } breakOff;
    EXPECT_THROW((void)m_fs->copyFile("D:\\big.dat", "C:\\dest\\big.dat", &breakOff),
                 std::runtime_error);
    EXPECT_EQ(readFile(home("dest/BIG.DAT")), "old");

    struct Count : CopyProgress {
        std::uint64_t last = 0;
        void copied(std::uint64_t done, std::uint64_t) override { last = done; }
    } count;
    ASSERT_TRUE(m_fs->copyFile("D:\\big.dat", "C:\\dest\\big.dat", &count));
    EXPECT_EQ(count.last, 300'000u);
    // The stored name is kept, as Windows keeps it when it replaces a file.
    EXPECT_EQ(readFile(home("dest/BIG.DAT")), std::string(300'000, 'n'));

    writeFile(home("dest/ro.con"), "old");
    Unwritable ro(home("dest/ro.con"));
    if (ro.holds()) {
        auto refused = m_fs->copyFile("D:\\big.dat", "C:\\dest\\ro.con", nullptr);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().number(), 70);
        EXPECT_EQ(readFile(home("dest/ro.con")), "old");
    }
}

#ifdef _WIN32
TEST_F(FileSystemContract, ALockedDestinationIsRefusedAndKept) {
    // Another program holds the destination open and shares nothing: the copy is refused
    // as a permission matter, the file stays as it was, and no temporary file stays beside it.
    file("a.con", "new");
    writeFile(home("dest/locked.con"), "old");
    HANDLE lock = CreateFileW(home("dest/locked.con").wstring().c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    auto refused = m_fs->copyFile("D:\\a.con", "C:\\dest\\locked.con", nullptr);
    CloseHandle(lock);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().number(), 70);
    EXPECT_EQ(readFile(home("dest/locked.con")), "old");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(home("dest")))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"locked.con"});
    ASSERT_TRUE(m_fs->copyFile("D:\\a.con", "C:\\dest\\locked.con", nullptr));
    EXPECT_EQ(readFile(home("dest/locked.con")), "new");
}
#endif

// The folder of a small file system the test command mounted to be filled (Linux path; under
// Wine its drive Z: is the Linux root), or empty where it could not mount one.
std::filesystem::path smallDisk() {
    const char* folder = std::getenv("DISCMENU_SMALL_DISK");
    if (!folder || !*folder)
        return {};
    std::string path = folder;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
#endif
    return path;
}

TEST_F(FileSystemContract, AFullDiskRefusesTheCopyAndKeepsWhatWasThere) {
    const std::filesystem::path disk = smallDisk();
    if (disk.empty()) {
        GTEST_SKIP() << "no small file system to fill (mounting one needs root)";
    }
    std::filesystem::create_directories(disk / "dest");
    writeFile(disk / "dest" / "report.pdf", "old");
    file("big.dat", std::string(4 << 20, 'b')); // larger than the small disk
    file("pkg/one.dat", "one");
    file("pkg/two.dat", std::string(4 << 20, 't'));
    auto fs = machineFileSystem({{'D', m_disc}, {'F', disk}});

    auto full = fs->copyFile("D:\\big.dat", "F:\\dest\\report.pdf", nullptr);
    ASSERT_FALSE(full);
    EXPECT_EQ(full.error().code, Err::DiskFull);
    EXPECT_EQ(readFile(disk / "dest" / "report.pdf"), "old");
    auto folder = fs->copyFolder("D:\\pkg", "F:\\dest\\pkg", nullptr);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().code, Err::DiskFull);
    // What stands under a real name is whole; nothing of the broken copies is left.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(disk / "dest"))
        left.push_back(entry.path().lexically_relative(disk / "dest").generic_string());
    std::sort(left.begin(), left.end());
    EXPECT_TRUE(left == std::vector<std::string>({"pkg", "pkg/one.dat", "report.pdf"}) ||
                left == std::vector<std::string>({"pkg", "report.pdf"}) ||
                left == std::vector<std::string>({"report.pdf"}))
        << ::testing::PrintToString(left);
    if (std::filesystem::exists(disk / "dest" / "pkg" / "one.dat")) {
        EXPECT_EQ(readFile(disk / "dest" / "pkg" / "one.dat"), "one");
    }
    // With room again the same copy goes through.
    file("big.dat", "small now");
    ASSERT_TRUE(fs->copyFile("D:\\big.dat", "F:\\dest\\report.pdf", nullptr));
    EXPECT_EQ(readFile(disk / "dest" / "report.pdf"), "small now");
}

TEST_F(FileSystemContract, PathsLongerThan260CharactersWork) {
    std::string path = "C:\\";
    for (int i = 0; i < 8; ++i) {
        path += std::string(40, static_cast<char>('a' + i));
        ASSERT_TRUE(m_fs->makeFolder(path)) << path.size();
        path += "\\";
    }
    ASSERT_GT(path.size(), 300u);
    file("doc.pdf", "content");
    ASSERT_TRUE(m_fs->copyFile("D:\\doc.pdf", path + "doc.pdf", nullptr));
    EXPECT_TRUE(m_fs->fileExists(path + "doc.pdf"));
    EXPECT_TRUE(m_fs->folderExists(path));
    EXPECT_EQ(listedNames(m_fs->files(path)), std::vector<std::string>{"doc.pdf"});
    EXPECT_EQ(*m_fs->readStart(path + "\\doc.pdf", 100), "content");
    ASSERT_TRUE(
        m_fs->copyFolder("C:\\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "E:\\copy", nullptr));
    EXPECT_TRUE(m_fs->fileExists("E:\\copy" + path.substr(43) + "doc.pdf"));
}

} // namespace
} // namespace discmenu::test

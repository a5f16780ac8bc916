// Copies interrupted by a failing system call at every point of a batch: whatever call
// fails, no partial file stands under a real name, the file that was there is intact or
// wholly replaced, no temporary file is left behind, and every file not copied is reported.

#include "DiscFixture.h"
#include "FaultySysCalls.h"

#include <cerrno>
#include <map>
#include <set>

namespace discmenu::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>; // relative path -> content

Files filesBelow(const fs::path& root) {
    Files out;
    if (!fs::exists(root))
        return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            out[fs::relative(e.path(), root).string()] = readFile(e.path());
    }
    return out;
}

class CopyFaults : public DiscFixture {
protected:
    CopyFaults() {
        for (const auto& [rel, content] : source)
            file("pkg/DEMO/" + rel, content);
    }
    fs::path destination() const { return m_temp.path() / "other/DEMO"; }
    // What an earlier install left: two of the files, in their old versions.
    void earlierInstall() {
        fs::remove_all(destination());
        for (const auto& [rel, content] : before)
            writeFile(destination() / rel, content);
    }

    const Files source = {{"a.dat", "new a"},
                          {"b.dat", std::string(300000, 'b')},
                          {"sub/c.dat", "new c"},
                          {"sub/deeper/d.dat", "new d"},
                          {"empty.dat", ""}};
    const Files before = {{"a.dat", "old a"}, {"sub/c.dat", "old c"}};
};

TEST_F(CopyFaults, AFolderCopyFailingAtAnyCallKeepsItsPromises) {
    FaultySysCalls counting;
    posix::PosixFileSystem counted(*m_paths, &counting);
    earlierInstall();
    posix::CopyReport full;
    ASSERT_TRUE(counted.copyFolderReporting("D:\\pkg\\DEMO", "E:\\DEMO", nullptr, full));
    EXPECT_EQ(filesBelow(destination()), source);
    EXPECT_EQ(full.copied.size(), source.size());
    const int calls = counting.calls();
    ASSERT_GT(calls, 20);

    for (int error : {EIO, ENOSYS}) { // ENOSYS: also where the copy has another way
        for (int failAt = 1; failAt <= calls; ++failAt) {
            SCOPED_TRACE("call " + std::to_string(failAt) + " fails with " + std::to_string(error));
            earlierInstall();
            FaultySysCalls faulty(failAt, error);
            posix::PosixFileSystem fsWithFault(*m_paths, &faulty);
            posix::CopyReport report;
            const Outcome done =
                fsWithFault.copyFolderReporting("D:\\pkg\\DEMO", "E:\\DEMO", nullptr, report);
            ASSERT_TRUE(faulty.failed());

            // Under each real name: the whole new content, or what stood there, or nothing.
            const Files now = filesBelow(destination());
            for (const auto& [rel, content] : now) {
                ASSERT_FALSE(fs::path(rel).filename().string().starts_with(".discmenu-copy"))
                    << "temporary file left: " << rel;
                const bool isNew = source.contains(rel) && source.at(rel) == content;
                const bool isOld = before.contains(rel) && before.at(rel) == content;
                EXPECT_TRUE(isNew || isOld) << rel << " holds a partial or foreign content";
            }
            // Each file is reported copied, and is there, or is reported not copied by
            // itself, or by a folder above it that could not be made or read whole.
            std::set<std::string> copied;
            for (const std::string& p : report.copied)
                copied.insert(fs::relative(p, destination()).string());
            for (const auto& [rel, content] : source) {
                const std::string target = (destination() / rel).string();
                bool itself = false;
                bool above = false;
                for (const posix::CopyReport::NotCopied& n : report.notCopied) {
                    itself |= n.path == target;
                    above |= target.starts_with(n.path + "/");
                }
                EXPECT_TRUE(copied.contains(rel) || itself || above) << rel << " not reported";
                EXPECT_FALSE(copied.contains(rel) && itself) << rel << " reported both ways";
                if (copied.contains(rel)) {
                    EXPECT_EQ(now.count(rel) ? now.at(rel) : "(missing)", content) << rel;
                }
            }
            EXPECT_EQ(bool(done), report.notCopied.empty());
        }
    }
}

// Durability is paid once per batch, in the order that keeps the promises: every content
// flushed before any file gets its real name (the whole file system at once, through a
// folder opened before the first byte was written, so that it tells of any failure since,
// or each file by itself), and every folder that got a name flushed after the last rename.
TEST_F(CopyFaults, ABatchFlushesContentsThenRenamesThenFlushesFolders) {
    struct Recording : posix::RealSysCalls {
        std::map<int, std::string> paths;
        std::vector<std::pair<std::string, std::string>> steps; // (what, path)
        int open(const char* path, int flags, mode_t mode) override {
            const int fd = RealSysCalls::open(path, flags, mode);
            paths[fd] = path;
            steps.emplace_back("open", path);
            return fd;
        }
        ssize_t copyFileRange(int in, int out, std::size_t length) override {
            steps.emplace_back("copy", paths[out]);
            return RealSysCalls::copyFileRange(in, out, length);
        }
        int fsync(int fd) override {
            steps.emplace_back("fsync", paths[fd]);
            return RealSysCalls::fsync(fd);
        }
        int syncFs(int fd) override {
            steps.emplace_back("syncfs", paths[fd]);
            return RealSysCalls::syncFs(fd);
        }
        int rename(const char* from, const char* to) override {
            steps.emplace_back("rename", from);
            return RealSysCalls::rename(from, to);
        }
    } sys;
    posix::PosixFileSystem recorded(*m_paths, &sys);
    earlierInstall();
    posix::CopyReport report;
    ASSERT_TRUE(recorded.copyFolderReporting("D:\\pkg\\DEMO", "E:\\DEMO", nullptr, report));

    auto firstOf = [&](const std::string& what, const std::string& path = {}) {
        for (std::size_t i = 0; i < sys.steps.size(); ++i) {
            if (sys.steps[i].first == what && (path.empty() || sys.steps[i].second == path))
                return i;
        }
        return sys.steps.size();
    };
    const std::size_t firstRename = firstOf("rename");
    std::set<std::string> renamed, flushedBefore, flushedAfter;
    bool wholeFileSystem = false;
    for (std::size_t i = 0; i < sys.steps.size(); ++i) {
        const auto& [what, path] = sys.steps[i];
        if (what == "rename") {
            renamed.insert(path);
        } else if (what == "syncfs") {
            ASSERT_LT(i, firstRename);
            ASSERT_LT(firstOf("open", path), firstOf("copy")) << "opened after the writing";
            wholeFileSystem = true;
        } else if (what == "fsync") {
            (i < firstRename ? flushedBefore : flushedAfter).insert(path);
        }
    }
    EXPECT_EQ(renamed.size(), source.size());
    if (!wholeFileSystem) {
        EXPECT_EQ(flushedBefore, renamed);
    }
    EXPECT_EQ(flushedAfter,
              (std::set<std::string>{destination().string(), (destination() / "sub").string(),
                                     (destination() / "sub/deeper").string()}));
    EXPECT_LT(firstRename, firstOf("fsync", destination().string()));
}

// A kernel or file system without its own copy: read and write do it, to the last byte.
TEST_F(CopyFaults, CopiesWithoutTheKernelsCopy) {
    struct NoKernelCopy : posix::RealSysCalls {
        ssize_t copyFileRange(int, int, std::size_t) override {
            errno = EXDEV;
            return -1;
        }
    } sys;
    posix::PosixFileSystem plain(*m_paths, &sys);
    posix::CopyReport report;
    ASSERT_TRUE(plain.copyFolderReporting("D:\\pkg\\DEMO", "E:\\DEMO", nullptr, report));
    EXPECT_EQ(filesBelow(destination()), source);
}

} // namespace
} // namespace discmenu::test

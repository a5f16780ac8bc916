#include "platform/posix/PosixDiscTree.h"

#include "platform/posix/Errors.h"

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace discmenu::posix {

namespace {

// How many folders of one line of descent stay open while their subfolders are walked:
// each subfolder is then opened by its name in its parent, not by a path the kernel walks
// from the root. Below that depth folders are opened by their whole path, so that a deep
// tree cannot use up the process's descriptors.
constexpr std::size_t openDepth = 64;
// How many listed folders, each holding a descriptor, may wait for the visitor.
constexpr std::size_t handoverDepth = 256;

// A folder as listed by the walk, waiting for its files' sizes and for the visitor.
struct Listed {
    std::string relative;
    int fd = -1; // the folder, for its files' sizes; closed by whoever ends up with it
    std::vector<check::TreeEntry> entries;
    std::vector<std::size_t> toSize; // entries the folder says are regular files
    std::optional<Failure> failure;  // the folder could not be opened
};

// The folders passed from the walk, which lists them, to the visitor's thread, which looks
// up the files' sizes and visits them: the two halves of the system calls run on two cores.
// In walk order; the walk waits while the visitor lags too far behind.
class Handover {
public:
    ~Handover() {
        for (Listed& l : m_waiting)
            if (l.fd >= 0)
                ::close(l.fd);
    }
    // False when the visitor's side has stopped: the walk stops too.
    bool put(Listed listed) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_waiting.size() < handoverDepth || m_abandoned; });
        if (m_abandoned) {
            if (listed.fd >= 0)
                ::close(listed.fd);
            return false;
        }
        m_waiting.push_back(std::move(listed));
        m_changed.notify_all();
        return true;
    }
    void end() {
        std::lock_guard lock(m_mutex);
        m_ended = true;
        m_changed.notify_all();
    }
    void abandon() {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }
    // False once the walk has ended and every folder was taken.
    bool take(Listed& listed) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_waiting.empty() || m_ended; });
        if (m_waiting.empty())
            return false;
        listed = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_changed.notify_all();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Listed> m_waiting;
    bool m_ended = false;
    bool m_abandoned = false;
};

// One entry of a listing: its type where the folder tells it, else a look at the entry
// (which also gives a file's size). A regular file by its type is sized later.
void addEntry(int fd, const char* name, unsigned char type, Listed& listed,
              std::vector<std::string>& subfolders) {
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
        return;
    check::TreeEntry& entry = listed.entries.emplace_back();
    entry.name = name;
    bool isFolder = type == DT_DIR;
    bool isFile = false;
    if (type == DT_REG) {
        listed.toSize.push_back(listed.entries.size() - 1);
        return;
    }
    if (type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
            if (isFile)
                entry.bytes = static_cast<std::uint64_t>(st.st_size);
        }
    }
    entry.folder = isFolder;
    entry.other = !isFolder && !isFile;
    if (isFolder)
        subfolders.push_back(entry.name);
}

// Lists one open folder; fills its subfolders' names for the walk to go on with.
void listFolder(int fd, std::vector<char>& block, Listed& listed,
                std::vector<std::string>& subfolders) {
#ifdef __linux__
    // The folder's entries straight from the kernel, a large block at a time.
    for (;;) {
        const ssize_t n = ::getdents64(fd, block.data(), block.size());
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const dirent64*>(block.data() + at);
            addEntry(fd, e->d_name, e->d_type, listed, subfolders);
            at += e->d_reclen;
        }
    }
#else
    (void)block;
    const int own = ::dup(fd);
    DIR* dir = own < 0 ? nullptr : ::fdopendir(own);
    if (!dir) {
        if (own >= 0)
            ::close(own);
        return;
    }
    while (dirent* e = ::readdir(dir))
        addEntry(::dirfd(dir), e->d_name, e->d_type, listed, subfolders);
    ::closedir(dir);
#endif
}

// The sizes of the files a folder's listing called regular; one that is gone or is no
// longer a regular file is neither file nor folder.
void sizeFiles(Listed& listed) {
    for (std::size_t i : listed.toSize) {
        check::TreeEntry& entry = listed.entries[i];
        struct stat st {};
        if (listed.fd >= 0 &&
            ::fstatat(listed.fd, entry.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            entry.bytes = static_cast<std::uint64_t>(st.st_size);
        else
            entry.other = true;
    }
}

// A folder whose subfolders are being walked.
struct Level {
    int fd = -1; // open while its subfolders are walked, unless the tree is deeper than openDepth
    std::string host;
    std::string relative;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};

// Lists every folder below ROOTFD (which it owns), every folder before its subfolders, the
// subfolders in the folder's own order, and hands each on.
void listTree(int rootFd, const std::string& root, Handover& handover) {
    std::vector<Level> levels;
    std::vector<char> block(64 * 1024);
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;
    bool going = true;
    // Lists a folder just opened, hands it on, and makes it the walk's deepest.
    auto enter = [&](int fd, std::string host, std::string relative) {
        Level& level = levels.emplace_back();
        level.host = std::move(host);
        Listed listed;
        listed.relative = relative;
        level.relative = std::move(relative);
        listFolder(fd, block, listed, level.subfolders);
        listed.fd = listed.toSize.empty() ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (!listed.toSize.empty() && listed.fd < 0) {
            // No descriptor to spare: the sizes are looked up here.
            listed.fd = fd;
            sizeFiles(listed);
            listed.fd = -1;
        }
        going = handover.put(std::move(listed));
        if (levels.size() <= openDepth && !level.subfolders.empty()) {
            level.fd = fd;
        } else {
            ::close(fd);
        }
    };
    enter(rootFd, root, "");
    while (!levels.empty()) {
        Level& parent = levels.back();
        if (!going || parent.next == parent.subfolders.size()) {
            if (parent.fd >= 0)
                ::close(parent.fd);
            levels.pop_back();
            continue;
        }
        const std::string& name = parent.subfolders[parent.next++];
        std::string host = parent.host + "/" + name;
        std::string relative = parent.relative.empty() ? name : parent.relative + "\\" + name;
        // The path the folder would be opened by fails the same way when it is too long.
        int fd = -1;
        int error = ENAMETOOLONG;
        if (host.size() < PATH_MAX) {
            fd = parent.fd >= 0 ? ::openat(parent.fd, name.c_str(), flags)
                                : ::open(host.c_str(), flags);
            error = errno;
        }
        if (fd < 0) {
            Listed unreadable;
            unreadable.relative = std::move(relative);
            unreadable.failure = failureFromErrno(error, err::PathNotFound);
            going = handover.put(std::move(unreadable));
            continue;
        }
        enter(fd, std::move(host), std::move(relative));
    }
    handover.end();
}

} // namespace

Outcome PosixDiscTree::walk(check::TreeVisitor& visitor) const {
    const int rootFd = ::open(m_root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (rootFd < 0)
        return failErrno(errno, err::PathNotFound);
    Handover handover;
    std::thread lister([&] { listTree(rootFd, m_root, handover); });
    // However this side ends (a visitor's exception too), the lister stops and is joined.
    struct Join {
        Handover& handover;
        std::thread& lister;
        ~Join() {
            handover.abandon();
            lister.join();
        }
    } join{handover, lister};
    Listed listed;
    while (handover.take(listed)) {
        if (listed.failure) {
            visitor.unreadable(listed.relative, *listed.failure);
            continue;
        }
        sizeFiles(listed);
        if (listed.fd >= 0)
            ::close(listed.fd);
        listed.fd = -1;
        visitor.visit(listed.relative, listed.entries);
    }
    return {};
}

} // namespace discmenu::posix

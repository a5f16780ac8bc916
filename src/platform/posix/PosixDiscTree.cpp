#include "platform/posix/PosixDiscTree.h"

#include "platform/posix/Errors.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

// One entry of a listing: its type where the folder tells it, else a look at the entry.
void addEntry(int fd, const char* name, unsigned char type, std::vector<check::TreeEntry>& entries,
              std::vector<std::string>& subfolders) {
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
        return;
    check::TreeEntry& entry = entries.emplace_back();
    entry.name = name;
    bool isFolder = type == DT_DIR;
    bool isFile = false;
    if (type == DT_REG || type == DT_UNKNOWN) {
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
void listFolder(int fd, std::vector<char>& block, std::vector<check::TreeEntry>& entries,
                std::vector<std::string>& subfolders) {
#ifdef __linux__
    // The folder's entries straight from the kernel, a large block at a time.
    for (;;) {
        const ssize_t n = ::getdents64(fd, block.data(), block.size());
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const dirent64*>(block.data() + at);
            addEntry(fd, e->d_name, e->d_type, entries, subfolders);
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
        addEntry(::dirfd(dir), e->d_name, e->d_type, entries, subfolders);
    ::closedir(dir);
#endif
}

// A folder whose subfolders are being walked.
struct Level {
    int fd = -1; // open while its subfolders are walked, unless the tree is deeper than openDepth
    std::string host;
    std::string relative;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};

} // namespace

Outcome PosixDiscTree::walk(check::TreeVisitor& visitor) const {
    std::vector<Level> levels;
    std::vector<check::TreeEntry> entries;
    std::vector<char> block(64 * 1024);
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;
    // Lists a folder just opened, hands it to the visitor, and makes it the walk's deepest.
    auto enter = [&](int fd, std::string host, std::string relative) {
        Level& level = levels.emplace_back();
        level.host = std::move(host);
        level.relative = std::move(relative);
        entries.clear();
        listFolder(fd, block, entries, level.subfolders);
        visitor.visit(level.relative, entries);
        if (levels.size() <= openDepth && !level.subfolders.empty())
            level.fd = fd;
        else
            ::close(fd);
    };
    const int rootFd = ::open(m_root.c_str(), flags);
    if (rootFd < 0)
        return failErrno(errno, Err::PathNotFound);
    enter(rootFd, m_root, "");
    // Every folder before its subfolders, the subfolders in the folder's own order.
    while (!levels.empty()) {
        Level& parent = levels.back();
        if (parent.next == parent.subfolders.size()) {
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
            visitor.unreadable(relative, failureFromErrno(error, Err::PathNotFound));
            continue;
        }
        enter(fd, std::move(host), std::move(relative));
    }
    return {};
}

} // namespace discmenu::posix

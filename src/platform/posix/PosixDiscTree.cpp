#include "platform/posix/PosixDiscTree.h"

#include "platform/posix/Errors.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace discmenu::posix {

namespace {

// One entry of a listing: its type where the folder tells it, else a look at the entry.
void addEntry(int fd, const char* name, unsigned char type, std::vector<check::TreeEntry>& entries,
              std::vector<std::string>& subfolders) {
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
        return;
    check::TreeEntry& entry = entries.emplace_back();
    entry.name = name;
    bool isFolder = type == DT_DIR;
    if (type == DT_REG || type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            if (S_ISREG(st.st_mode))
                entry.bytes = static_cast<std::uint64_t>(st.st_size);
        }
    }
    entry.folder = isFolder;
    if (isFolder)
        subfolders.push_back(entry.name);
}

// Lists one open folder, and closes it; fills its subfolders' names for the walk to go on
// with.
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
    ::close(fd);
#else
    (void)block;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    while (dirent* e = ::readdir(dir))
        addEntry(::dirfd(dir), e->d_name, e->d_type, entries, subfolders);
    ::closedir(dir);
#endif
}

} // namespace

Outcome PosixDiscTree::walk(check::TreeVisitor& visitor) const {
    // Folders still to list: host path and path below the root.
    std::vector<std::pair<std::string, std::string>> pending{{m_root, ""}};
    std::vector<check::TreeEntry> entries;
    std::vector<std::string> subfolders;
    std::vector<char> block(64 * 1024);
    bool first = true;
    while (!pending.empty()) {
        auto [host, relative] = std::move(pending.back());
        pending.pop_back();
        const int fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            const int error = errno;
            if (first)
                return failErrno(error, err::PathNotFound);
            visitor.unreadable(relative, failureFromErrno(error, err::PathNotFound));
            continue;
        }
        first = false;
        entries.clear();
        subfolders.clear();
        listFolder(fd, block, entries, subfolders);
        visitor.visit(relative, entries);
        // Pushed in reverse, so that the walk goes on with the first subfolder.
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            pending.emplace_back(host + "/" + *it, relative.empty() ? *it : relative + "\\" + *it);
    }
    return {};
}

} // namespace discmenu::posix

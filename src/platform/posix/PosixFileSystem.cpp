#include "platform/posix/PosixFileSystem.h"

#include "platform/WindowsPath.h"
#include "platform/posix/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::posix {

namespace {

bool statKind(const std::string& host, bool folder) {
    struct stat st {};
    return ::stat(host.c_str(), &st) == 0 && (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode));
}

FileTime modifiedOf(const struct stat& st) {
#ifdef __APPLE__
    return FileTime(std::chrono::seconds(st.st_mtimespec.tv_sec));
#else
    return FileTime(std::chrono::seconds(st.st_mtim.tv_sec));
#endif
}

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a file for reading only when it is a regular file. Anything else (a named pipe
// that would wait for a writer, a device that would be read without end) fails as a
// missing file, and is never waited on: the open itself does not block.
Result<int> openRegular(const std::string& host) {
    const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return failErrno(errno, Err::FileNotFound);
    if (struct stat st{}; ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
                          ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return fail(Err::FileNotFound);
    }
    return fd;
}

// The names a destination folder holds, read once, so that each file copied into it finds
// the folder's own spelling of its name (as childPath does) without reading the folder
// again for every file.
class StoredNames {
public:
    explicit StoredNames(const std::string& folder) : m_folder(folder) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return;
        while (dirent* e = ::readdir(dir)) {
            m_exact.insert(e->d_name);
            m_keys.try_emplace(winpath::nameKey(e->d_name), e->d_name); // the first match wins
        }
        ::closedir(dir);
    }
    std::string pathOf(const std::string& name) const {
        if (m_exact.contains(name))
            return hostJoin(m_folder, name);
        auto stored = m_keys.find(winpath::nameKey(name));
        return hostJoin(m_folder, stored == m_keys.end() ? name : stored->second);
    }

private:
    std::string m_folder;
    std::set<std::string> m_exact;
    std::map<std::string, std::string> m_keys;
};

} // namespace

bool PosixFileSystem::fileExists(const std::string& path) const {
    auto host = m_paths.toHost(path);
    return host && statKind(*host, false);
}

bool PosixFileSystem::folderExists(const std::string& path) const {
    auto host = m_paths.toHost(path);
    return host && statKind(*host, true);
}

Result<std::vector<FolderEntry>> PosixFileSystem::subfolders(const std::string& folder) const {
    return list(folder, Kind::Folders);
}

Result<std::vector<FolderEntry>> PosixFileSystem::files(const std::string& folder) const {
    return list(folder, Kind::Files);
}

Result<std::vector<FolderEntry>> PosixFileSystem::list(const std::string& folder, Kind kind) const {
    auto host = m_paths.toHost(folder);
    if (!host)
        return std::unexpected(host.error());
    DIR* dir = ::opendir(host->c_str());
    if (!dir)
        return failErrno(errno, Err::PathNotFound);
    const int dirFd = ::dirfd(dir);
    const std::string base = winpath::normalised(folder);
    const std::string prefix = base.ends_with('\\') ? base : base + "\\";

    std::vector<FolderEntry> entries;
    while (dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        // The entry's type from the folder itself where it tells; a look at the entry
        // only where it does not, or where a folder's time is wanted.
        bool isFolder = e->d_type == DT_DIR;
        bool isFile = e->d_type == DT_REG;
        struct stat st {};
        if (!(isFolder || isFile) || (isFolder && kind == Kind::Folders)) {
            if (::fstatat(dirFd, name, &st, 0) != 0)
                continue; // a dangling link is neither file nor folder
            isFolder = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (kind == Kind::Folders ? !isFolder : !isFile)
            continue;
        FolderEntry& entry = entries.emplace_back();
        entry.name = shownName(name);
        entry.path = prefix + entry.name;
        if (kind == Kind::Folders)
            entry.modified = modifiedOf(st);
    }
    ::closedir(dir);
    return entries;
}

Result<std::string> PosixFileSystem::readStart(const std::string& path,
                                               std::size_t maxBytes) const {
    auto host = m_paths.toHost(path);
    if (!host)
        return std::unexpected(host.error());
    auto opened = openRegular(*host);
    if (!opened)
        return std::unexpected(opened.error());
    Fd in{*opened};
    std::string bytes;
    char buffer[4096];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(in.fd, buffer, std::min(sizeof buffer, maxBytes - bytes.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failErrno(errno, Err::FileNotFound);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

Outcome PosixFileSystem::copyFile(const std::string& source, const std::string& destination,
                                  CopyProgress* progress) {
    auto from = m_paths.toHost(source);
    if (!from)
        return std::unexpected(from.error());
    auto to = m_paths.toHost(destination);
    if (!to)
        return std::unexpected(to.error());
    CopyBatch batch(m_sys, progress);
    batch.add(*from, *to);
    return batch.finish();
}

Outcome PosixFileSystem::copyFolder(const std::string& source, const std::string& destination,
                                    CopyProgress* progress) {
    CopyReport report;
    return copyFolderReporting(source, destination, progress, report);
}

Outcome PosixFileSystem::copyFolderReporting(const std::string& source,
                                             const std::string& destination, CopyProgress* progress,
                                             CopyReport& report) {
    auto from = m_paths.toHost(source);
    if (!from)
        return std::unexpected(from.error());
    auto to = m_paths.toHost(destination);
    if (!to)
        return std::unexpected(to.error());
    // The whole folder is one batch: its files are made durable together.
    CopyBatch batch(m_sys, progress);
    std::set<std::pair<dev_t, ino_t>> seen;
    char* real = ::realpath(from->c_str(), nullptr);
    const std::string root = real ? real : *from;
    std::free(real);
    copyHostFolder(*from, *to, batch, seen, root);
    Outcome done = batch.finish();
    report = batch.report();
    return done;
}

namespace {

// Whether the entry at host, should it be a link, still leads to a place inside root. A link
// that leads out of the folder being copied (to "/", say, or to a file elsewhere on the
// machine) is left out without a word, as a loop is: a copy never reaches beyond what it was
// asked to copy, and never copies the whole machine.
bool staysInside(const std::string& host, const std::string& root) {
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return true;
    char* real = ::realpath(host.c_str(), nullptr);
    if (!real)
        return false;
    const std::string target = real;
    std::free(real);
    return root == "/" || target == root || target.starts_with(root + "/");
}

} // namespace

void PosixFileSystem::copyHostFolder(const std::string& from, const std::string& to,
                                     CopyBatch& batch, std::set<std::pair<dev_t, ino_t>>& seen,
                                     const std::string& root) {
    struct stat source {};
    if (::stat(from.c_str(), &source) != 0 || !S_ISDIR(source.st_mode))
        return batch.notCopied(to, failure(Err::PathNotFound));
    if (!seen.insert({source.st_dev, source.st_ino}).second)
        return; // a link back to a folder already copied: left out without a word
    if (m_sys.mkdir(to.c_str(), 0777) == 0)
        batch.folderMade(to);
    else if (errno != EEXIST)
        return batch.notCopied(to, failureFromErrno(errno, Err::PathNotFound));
    // The copy itself is never walked as a source, should it lie inside the source.
    if (struct stat made{}; ::stat(to.c_str(), &made) == 0)
        seen.insert({made.st_dev, made.st_ino});
    DIR* dir = m_sys.openDir(from.c_str());
    if (!dir)
        return batch.notCopied(to, failureFromErrno(errno, Err::PathNotFound));
    std::vector<std::pair<std::string, bool>> children;
    for (;;) {
        errno = 0;
        const dirent* e = m_sys.readDir(dir);
        if (!e) {
            // Whatever the folder holds beyond this point is not known, so not copied.
            if (errno != 0)
                batch.notCopied(to, failureFromErrno(errno, Err::PathNotFound));
            break;
        }
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        children.emplace_back(name, statKind(hostJoin(from, name), true));
    }
    ::closedir(dir);
    // Every child is tried.
    const StoredNames stored(to);
    for (const auto& [name, isFolder] : children) {
        if (!staysInside(hostJoin(from, name), root))
            continue;
        // The destination's own spelling of the name, when it has the name already.
        const std::string target = stored.pathOf(name);
        if (isFolder)
            copyHostFolder(hostJoin(from, name), target, batch, seen, root);
        else
            batch.add(hostJoin(from, name), target);
    }
}

Outcome PosixFileSystem::makeFolder(const std::string& path) {
    auto host = m_paths.toHost(path);
    if (!host)
        return std::unexpected(host.error());
    if (::mkdir(host->c_str(), 0777) == 0)
        return {};
    return errno == EEXIST ? fail(Err::PathFileAccess) : failErrno(errno, Err::PathNotFound);
}

} // namespace discmenu::posix

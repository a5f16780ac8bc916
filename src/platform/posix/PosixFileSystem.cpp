#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/Errors.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
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
Result<int> openRegular(const std::string& host, struct stat& st) {
    const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return failErrno(errno, err::FileNotFound);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return fail(err::FileNotFound, "File not found");
    }
    return fd;
}

std::string hostJoin(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

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
        return failErrno(errno, err::PathNotFound);
    const int dirFd = ::dirfd(dir);
    const std::string base = PathResolver::normalised(folder);
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
    struct stat st {};
    auto opened = openRegular(*host, st);
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
            return failErrno(errno, err::FileNotFound);
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
    return copyHostFile(*from, *to, progress);
}

Outcome PosixFileSystem::copyHostFile(const std::string& from, const std::string& to,
                                      CopyProgress* progress) {
    struct stat st {};
    auto opened = openRegular(from, st);
    if (!opened)
        return std::unexpected(opened.error());
    Fd in{*opened};

    struct stat existing {};
    if (::stat(to.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return fail(err::PathFileAccess, "Path/File access error");
        // A file that may not be written is not replaced, as on Windows.
        if (::access(to.c_str(), W_OK) != 0)
            return failErrno(errno, err::PathNotFound);
    }

    // The new content goes into a file beside the destination and replaces it only
    // when complete: a copy that fails never destroys the file that was there.
    const std::size_t slash = to.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : to.substr(0, slash));
    std::string temp = hostJoin(folder, ".discmenu-copy-XXXXXX");
    Fd out{::mkstemp(temp.data())};
    if (out.fd < 0)
        return failErrno(errno, err::PathNotFound);

    auto abandon = [&](int error) {
        ::unlink(temp.c_str());
        return failErrno(error, err::PathNotFound);
    };
    char buffer[1 << 16];
    const auto total = static_cast<std::uint64_t>(st.st_size);
    std::uint64_t done = 0;
    for (;;) {
        ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return abandon(errno);
        if (n == 0)
            break;
        for (ssize_t written = 0; written < n;) {
            ssize_t w = ::write(out.fd, buffer + written, static_cast<std::size_t>(n - written));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return abandon(errno);
            written += w;
            done += static_cast<std::uint64_t>(w);
        }
        if (progress)
            progress->copied(done, total);
    }
    if (::fchmod(out.fd, st.st_mode & 07777) != 0 || ::fsync(out.fd) != 0)
        return abandon(errno);
    if (::close(out.fd) != 0) {
        out.fd = -1;
        return abandon(errno);
    }
    out.fd = -1;
    if (::rename(temp.c_str(), to.c_str()) != 0)
        return abandon(errno);
    return {};
}

Outcome PosixFileSystem::copyFolder(const std::string& source, const std::string& destination,
                                    CopyProgress* progress) {
    auto from = m_paths.toHost(source);
    if (!from)
        return std::unexpected(from.error());
    auto to = m_paths.toHost(destination);
    if (!to)
        return std::unexpected(to.error());
    std::set<std::pair<dev_t, ino_t>> seen;
    return copyHostFolder(*from, *to, progress, seen);
}

Outcome PosixFileSystem::copyHostFolder(const std::string& from, const std::string& to,
                                        CopyProgress* progress,
                                        std::set<std::pair<dev_t, ino_t>>& seen) {
    struct stat source {};
    if (::stat(from.c_str(), &source) != 0 || !S_ISDIR(source.st_mode))
        return fail(err::PathNotFound, "Path not found");
    if (!seen.insert({source.st_dev, source.st_ino}).second)
        return {}; // a link back to a folder already copied: left out without a word
    if (::mkdir(to.c_str(), 0777) != 0 && errno != EEXIST)
        return failErrno(errno, err::PathNotFound);
    // The copy itself is never walked as a source, should it lie inside the source.
    if (struct stat made{}; ::stat(to.c_str(), &made) == 0)
        seen.insert({made.st_dev, made.st_ino});
    DIR* dir = ::opendir(from.c_str());
    if (!dir)
        return failErrno(errno, err::PathNotFound);
    std::vector<std::pair<std::string, bool>> children;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        children.emplace_back(name, statKind(hostJoin(from, name), true));
    }
    ::closedir(dir);
    // Every child is tried; the first failure is the folder's.
    Outcome result;
    for (const auto& [name, isFolder] : children) {
        // The destination's own spelling of the name, when it has the name already.
        const std::string target = childPath(to, name);
        Outcome one = isFolder ? copyHostFolder(hostJoin(from, name), target, progress, seen)
                               : copyHostFile(hostJoin(from, name), target, progress);
        if (!one && result)
            result = one;
    }
    return result;
}

Outcome PosixFileSystem::makeFolder(const std::string& path) {
    auto host = m_paths.toHost(path);
    if (!host)
        return std::unexpected(host.error());
    if (::mkdir(host->c_str(), 0777) != 0) {
        if (errno == EEXIST)
            return fail(err::PathFileAccess, "Path/File access error");
        return failErrno(errno, err::PathNotFound);
    }
    return {};
}

} // namespace discmenu::posix

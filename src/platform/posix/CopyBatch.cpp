#include "platform/posix/CopyBatch.h"

#include "platform/posix/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::posix {

namespace {

// The kernel copies this much at a time, so that progress is told now and then.
constexpr std::size_t kernelPiece = 8u << 20;
constexpr std::size_t bufferSize = 1u << 16;

// copy_file_range cannot copy between these two files (another file system, an old kernel,
// a file system that does not offer it): read and write do.
bool kernelCannotCopy(int error) {
    return error == ENOSYS || error == EXDEV || error == EINVAL || error == EOPNOTSUPP ||
           error == ENOTSUP;
}

} // namespace

std::string hostFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

CopyBatch::~CopyBatch() {
    for (const Pending& p : m_pending)
        remove(p.temp);
    for (const auto& [device, fd] : m_devices) {
        if (fd >= 0)
            m_sys.close(fd);
    }
}

void CopyBatch::add(const std::string& from, const std::string& to) {
    Pending p{{}, to, 0};
    if (Outcome written = write(from, p); !written)
        return notCopied(to, written.error());
    m_pending.push_back(std::move(p));
}

// Opens the source (a regular file only: a named pipe or a device fails as a missing file,
// without waiting), checks the destination, and writes the content into a new temporary
// file beside it.
Outcome CopyBatch::write(const std::string& from, Pending& p) {
    const int in = m_sys.open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
    if (in < 0)
        return failErrno(errno, Err::FileNotFound);
    struct Closer {
        SysCalls& sys;
        int fd;
        ~Closer() { sys.close(fd); }
    } source{m_sys, in};
    struct stat st {};
    // Reading a regular file never waits, so O_NONBLOCK changes nothing from here on.
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode))
        return fail(Err::FileNotFound);

    struct stat existing {};
    if (::stat(p.target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return fail(Err::PathFileAccess);
        // A file that may not be written is not replaced, as on Windows.
        if (::access(p.target.c_str(), W_OK) != 0)
            return failErrno(errno, Err::PathNotFound);
    }

    const std::string folder = hostFolderOf(p.target);
    const int out = createTemp(folder, p.temp);
    if (out < 0)
        return failErrno(errno, Err::PathNotFound);
    struct stat made {};
    Outcome copied;
    if (::fstat(out, &made) == 0) {
        p.device = made.st_dev;
        watchDevice(p.device, folder);
    } else {
        copied = failErrno(errno, Err::PathNotFound);
    }
    if (copied)
        copied = copyBytes(in, out, static_cast<std::uint64_t>(st.st_size));
    if (copied && ::fchmod(out, st.st_mode & 07777) != 0)
        copied = failErrno(errno, Err::PathNotFound);
    if (m_sys.close(out) != 0 && copied)
        copied = failErrno(errno, Err::PathNotFound);
    if (!copied)
        remove(p.temp);
    return copied;
}

// The bytes by the kernel's own copy where it can, by read and write where it cannot.
Outcome CopyBatch::copyBytes(int in, int out, std::uint64_t total) {
    std::uint64_t done = 0;
    bool kernel = true;
    std::vector<char> buffer;
    for (;;) {
        ssize_t n = 0;
        if (kernel) {
            n = m_sys.copyFileRange(in, out, kernelPiece);
            if (n < 0 && errno == EINTR)
                continue;
            // Nothing copied before the end the file had: a file system that reports its
            // files' content only to read.
            if ((n < 0 && kernelCannotCopy(errno)) || (n == 0 && done < total)) {
                kernel = false;
                continue;
            }
        } else {
            buffer.resize(bufferSize);
            n = m_sys.read(in, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            for (ssize_t written = 0; n > 0 && written < n;) {
                const ssize_t w = m_sys.write(out, buffer.data() + written,
                                              static_cast<std::size_t>(n - written));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w < 0)
                    return failErrno(errno, Err::PathNotFound);
                written += w;
            }
        }
        if (n < 0)
            return failErrno(errno, Err::PathNotFound);
        if (n == 0)
            return {};
        done += static_cast<std::uint64_t>(n);
        if (m_progress)
            m_progress->copied(done, total);
    }
}

int CopyBatch::createTemp(const std::string& folder, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + (folder == "/" ? "" : "/") + ".discmenu-copy-" + m_tempTag + "-" +
               std::to_string(++m_tempCount);
        const int fd = m_sys.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void CopyBatch::watchDevice(dev_t device, const std::string& folder) {
    if (!m_devices.contains(device))
        m_devices[device] = m_sys.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
}

// Flushes one file or folder to disk.
Outcome CopyBatch::sync(const std::string& path, int flags) {
    const int fd = m_sys.open(path.c_str(), flags | O_CLOEXEC, 0);
    if (fd < 0)
        return failErrno(errno, Err::PathNotFound);
    const int failed = m_sys.fsync(fd) == 0 ? 0 : errno;
    m_sys.close(fd); // all that matters is done, and told by fsync
    if (failed)
        return failErrno(failed, Err::PathNotFound);
    return {};
}

// A temporary file goes whatever happens; a second try covers a passing failure.
void CopyBatch::remove(const std::string& temp) {
    if (m_sys.unlink(temp.c_str()) != 0 && errno != ENOENT)
        m_sys.unlink(temp.c_str());
}

Outcome CopyBatch::finish() {
    std::vector<Pending> pending = std::move(m_pending);
    m_pending.clear();
    // 1. Every content on disk, before any of it gets a real name: each file system at
    // once where it can be, file by file where not. A single file is flushed by itself:
    // flushing its whole file system would wait for whatever else is being written there.
    std::map<dev_t, int> files;
    for (const Pending& p : pending)
        ++files[p.device];
    std::map<dev_t, Outcome> flushed;
    for (const auto& [device, fd] : m_devices) {
        if (fd < 0)
            continue;
        if (files[device] > 1) {
            if (m_sys.syncFs(fd) == 0)
                flushed[device] = {};
            else if (errno != ENOSYS)
                flushed[device] = failErrno(errno, Err::PathNotFound);
        }
        m_sys.close(fd);
    }
    m_devices.clear();
    std::vector<Pending> durable;
    for (Pending& p : pending) {
        auto whole = flushed.find(p.device);
        if (Outcome synced = whole != flushed.end() ? whole->second : sync(p.temp, O_RDONLY);
            !synced) {
            remove(p.temp);
            notCopied(p.target, synced.error());
        } else {
            durable.push_back(std::move(p));
        }
    }
    // 2. The names: each replaces whatever stood there in one step.
    std::vector<std::string> placed;
    for (const Pending& p : durable) {
        if (m_sys.rename(p.temp.c_str(), p.target.c_str()) != 0) {
            const Failure failure = failureFromErrno(errno, Err::PathNotFound);
            remove(p.temp);
            notCopied(p.target, failure);
        } else {
            placed.push_back(p.target);
            m_folders.insert(hostFolderOf(p.target));
        }
    }
    // 3. The folders' new names on disk. A file below a folder that could not be flushed
    // is in place, complete, but not sure to stay after a crash: it is not reported copied.
    std::vector<CopyReport::NotCopied> unsure;
    for (const std::string& folder : m_folders) {
        if (Outcome synced = sync(folder, O_RDONLY | O_DIRECTORY); !synced)
            unsure.push_back({folder == "/" ? "" : folder, synced.error()});
    }
    m_folders.clear();
    for (const std::string& target : placed) {
        const CopyReport::NotCopied* below = nullptr;
        for (const CopyReport::NotCopied& u : unsure) {
            if (target.starts_with(u.path + "/"))
                below = &u;
        }
        if (below)
            notCopied(target, below->failure);
        else
            m_report.copied.push_back(target);
    }
    if (!m_report.notCopied.empty())
        return std::unexpected(m_report.notCopied.front().failure);
    return {};
}

} // namespace discmenu::posix

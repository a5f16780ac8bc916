#include "Unwritable.h"

#include <fcntl.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

namespace discmenu::test {

namespace {

bool setImmutable(const std::filesystem::path& file, bool on) {
#ifndef __linux__
    (void)file;
    (void)on;
    return false;
#else
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
#endif
}

} // namespace

Unwritable::Unwritable(std::filesystem::path file) : m_file(std::move(file)) {
    std::filesystem::permissions(m_file, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    if (::geteuid() != 0) {
        m_holds = true;
        return;
    }
    m_immutable = setImmutable(m_file, true);
    m_holds = m_immutable;
}

Unwritable::~Unwritable() {
    if (m_immutable)
        setImmutable(m_file, false);
}

} // namespace discmenu::test

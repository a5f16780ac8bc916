#include "FaultySysCalls.h"

#include <cerrno>
#include <unistd.h>

namespace discmenu::test {

bool FaultySysCalls::fails() {
    if (++m_calls != m_failAt)
        return false;
    errno = m_error;
    return true;
}

int FaultySysCalls::open(const char* path, int flags, mode_t mode) {
    return fails() ? -1 : RealSysCalls::open(path, flags, mode);
}

int FaultySysCalls::close(int fd) {
    // A failed close still releases the descriptor, as the system's does.
    if (fails()) {
        RealSysCalls::close(fd);
        errno = m_error;
        return -1;
    }
    return RealSysCalls::close(fd);
}

ssize_t FaultySysCalls::read(int fd, void* buffer, std::size_t length) {
    return fails() ? -1 : RealSysCalls::read(fd, buffer, length);
}

ssize_t FaultySysCalls::write(int fd, const void* buffer, std::size_t length) {
    return fails() ? -1 : RealSysCalls::write(fd, buffer, length);
}

ssize_t FaultySysCalls::copyFileRange(int in, int out, std::size_t length) {
    return fails() ? -1 : RealSysCalls::copyFileRange(in, out, length);
}

int FaultySysCalls::fsync(int fd) {
    return fails() ? -1 : RealSysCalls::fsync(fd);
}

int FaultySysCalls::syncFs(int fd) {
    return fails() ? -1 : RealSysCalls::syncFs(fd);
}

int FaultySysCalls::rename(const char* from, const char* to) {
    return fails() ? -1 : RealSysCalls::rename(from, to);
}

int FaultySysCalls::mkdir(const char* path, mode_t mode) {
    return fails() ? -1 : RealSysCalls::mkdir(path, mode);
}

int FaultySysCalls::unlink(const char* path) {
    return fails() ? -1 : RealSysCalls::unlink(path);
}

DIR* FaultySysCalls::openDir(const char* path) {
    return fails() ? nullptr : RealSysCalls::openDir(path);
}

dirent* FaultySysCalls::readDir(DIR* dir) {
    return fails() ? nullptr : RealSysCalls::readDir(dir);
}

} // namespace discmenu::test

#include "platform/posix/SysCalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::posix {

int RealSysCalls::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

int RealSysCalls::close(int fd) {
    return ::close(fd);
}

ssize_t RealSysCalls::read(int fd, void* buffer, std::size_t length) {
    return ::read(fd, buffer, length);
}

ssize_t RealSysCalls::write(int fd, const void* buffer, std::size_t length) {
    return ::write(fd, buffer, length);
}

ssize_t RealSysCalls::copyFileRange(int in, int out, std::size_t length) {
#ifdef __linux__
    return ::copy_file_range(in, nullptr, out, nullptr, length, 0);
#else
    (void)in;
    (void)out;
    (void)length;
    errno = ENOSYS;
    return -1;
#endif
}

int RealSysCalls::fsync(int fd) {
    return ::fsync(fd);
}

int RealSysCalls::syncFs(int fd) {
#ifdef __linux__
    return ::syncfs(fd);
#else
    (void)fd;
    errno = ENOSYS;
    return -1;
#endif
}

int RealSysCalls::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int RealSysCalls::mkdir(const char* path, mode_t mode) {
    return ::mkdir(path, mode);
}

int RealSysCalls::unlink(const char* path) {
    return ::unlink(path);
}

DIR* RealSysCalls::openDir(const char* path) {
    return ::opendir(path);
}

dirent* RealSysCalls::readDir(DIR* dir) {
    return ::readdir(dir);
}

} // namespace discmenu::posix

#include "platform/posix/SysCalls.h"

#include <cerrno>

namespace discmenu::posix {

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

int RealSysCalls::syncFs(int fd) {
#ifdef __linux__
    return ::syncfs(fd);
#else
    (void)fd;
    errno = ENOSYS;
    return -1;
#endif
}

} // namespace discmenu::posix

#include "platform/posix/Errors.h"

#include <cerrno>
#include <cstring>

namespace discmenu::posix {

Failure failureFromErrno(int error, int missingNumber) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return missingNumber == err::FileNotFound ? Failure{err::FileNotFound, "File not found"}
                                                  : Failure{err::PathNotFound, "Path not found"};
    case EACCES:
    case EPERM:
    case EROFS:
        return {err::PermissionDenied, "Permission denied"};
    case ENOSPC:
    case EDQUOT:
        return {err::DiskFull, "Disk full"};
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return {err::DriveUnavailable, "Device unavailable"};
    default:
        return {err::PathFileAccess,
                std::string("Path/File access error: ") + std::strerror(error)};
    }
}

} // namespace discmenu::posix

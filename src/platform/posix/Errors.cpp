#include "platform/posix/Errors.h"

#include <cerrno>
#include <cstring>

namespace discmenu::posix {

Failure failureFromErrno(int error, Err missing) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return failure(missing);
    case EACCES:
    case EPERM:
    case EROFS:
        return failure(Err::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
        return failure(Err::DiskFull);
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return failure(Err::DriveUnavailable);
    default:
        return failure(Err::PathFileAccess, std::strerror(error));
    }
}

} // namespace discmenu::posix

#pragma once

#include "platform/Failure.h"

namespace discmenu::posix {

// The program's failure for an errno value; missing is what a missing name means for this
// operation (a file to read: FileNotFound; a folder: PathNotFound).
Failure failureFromErrno(int error, Err missing);

inline std::unexpected<Failure> failErrno(int error, Err missing) {
    return std::unexpected(failureFromErrno(error, missing));
}

} // namespace discmenu::posix

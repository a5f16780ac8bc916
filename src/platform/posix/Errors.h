#pragma once

#include "platform/Failure.h"

namespace discmenu::posix {

// The program's failure for an errno value; missingNumber is what a missing name means
// for this operation (53 for a file to read, 76 for a folder).
Failure failureFromErrno(int error, int missingNumber);

inline std::unexpected<Failure> failErrno(int error, int missingNumber) {
    return std::unexpected(failureFromErrno(error, missingNumber));
}

} // namespace discmenu::posix

#pragma once

#include "platform/Failure.h"

#include <cstdint>

namespace discmenu::win32 {

// The program's failure for a Windows error code (GetLastError); missingNumber is what a
// missing name means for this operation (53 for a file to read, 76 for a folder).
Failure failureFromError(std::uint32_t error, int missingNumber);

} // namespace discmenu::win32

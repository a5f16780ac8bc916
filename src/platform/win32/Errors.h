#pragma once

#include "platform/Failure.h"

#include <cstdint>

namespace discmenu::win32 {

// The program's failure for a Windows error code (GetLastError); missing is what a missing
// name means for this operation (a file to read: FileNotFound; a folder: PathNotFound).
Failure failureFromError(std::uint32_t error, Err missing);

} // namespace discmenu::win32

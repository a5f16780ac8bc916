#pragma once

#include "platform/Failure.h"

#include <string>
#include <vector>

namespace discmenu::posix {

// Starts a program detached from this one (it outlives the menu and never becomes a
// zombie), in the given working folder, without a shell. Fails with 53 when the program
// cannot be started.
Outcome spawnDetached(const std::vector<std::string>& argv, const std::string& workingFolder);

// The full path of a program found on PATH, or empty.
std::string findProgram(const std::string& name);

} // namespace discmenu::posix

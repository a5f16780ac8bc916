#pragma once

#include "platform/Failure.h"

#include <string>
#include <vector>

namespace discmenu::posix {

// Starts a program detached from this one (it outlives the menu and never becomes a
// zombie), in the given working folder, without a shell. Fails with 53 when the program
// cannot be started.
Outcome spawnDetached(const std::vector<std::string>& argv, const std::string& workingFolder);

// What a program writes to its standard output (at most 64 KiB), waiting for it to end;
// empty when it cannot be started.
std::string outputOf(const std::vector<std::string>& argv);

// The full path of a program found on PATH, or empty.
std::string findProgram(const std::string& name);

} // namespace discmenu::posix

#pragma once

#include "platform/FileSystem.h"

#include <string_view>
#include <vector>

namespace discmenu {

// The order in which the discs' file systems list a folder: by name without regard to
// case; the exact name breaks ties. Where the program keeps the last match or walks a
// folder step by step, it puts a listing in this order first, so that the outcome is the
// same on every machine.
bool listedBefore(std::string_view a, std::string_view b);
void putInListingOrder(std::vector<FolderEntry>& entries);

} // namespace discmenu

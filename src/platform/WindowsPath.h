#pragma once

#include <string>
#include <string_view>
#include <vector>

// The rules of the program's Windows paths ("D:\a\b"), for the core and every adapter alike.
// A path starts with a drive letter and its colon; backslashes (and slashes) separate its
// names, and a run of them counts as one.
namespace discmenu::winpath {

bool hasDrive(std::string_view path);
// The drive letter in upper case; path has a drive.
char driveOf(std::string_view path);
// "D:" or "D:\" and nothing more.
bool isDriveRoot(std::string_view path);
// The names after the drive (or of the whole path, without one); empty names dropped.
std::vector<std::string> names(std::string_view path);
// "d:\a\\b\" gives "D:\a\b"; "D:" (the drive's current folder, its root to the program)
// gives "D:\". A path without a drive is returned as it is.
std::string normalised(std::string_view path);
// The last name: "D:\a\b\" gives "b".
std::string lastName(std::string_view path);
// Two names are one name to Windows when their keys are equal: letter case is not told apart.
std::string nameKey(std::string_view name);

} // namespace discmenu::winpath

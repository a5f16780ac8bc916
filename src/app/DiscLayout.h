#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Where things stand on a disc: the names the start-up, the job records, the menu pages and
// the disc check look for, and the paths they build from them by plain concatenation.
namespace discmenu::layout {

// A service job's folder at the disc's root: its number and this ending.
inline constexpr std::string_view jobFolderEnd = "_CD_Contents";
// A service disc's software folder is "CD Current Version (7.16)\Components" at the root.
inline constexpr std::string_view versionFolderStart = "CD Current Version (";
inline constexpr std::string_view componentsEnd = ")\\Components";
// Where the version text starts in the version folder's name (1-based, in characters).
inline constexpr std::size_t versionColumn = versionFolderStart.size() + 1;
// The program's folder, below the folder that holds the disc's software.
inline constexpr std::string_view autorunFolder = "\\autorun";
// A software disc made for one job has its job file, the job's number and this ending.
inline constexpr std::string_view jobFileEnd = ".job";

// The folder of a service job, with its trailing separator.
inline std::string jobFolder(const std::string& root, const std::string& jobId) {
    return root + "\\" + jobId + std::string(jobFolderEnd) + "\\";
}
inline std::string softwareFolder(const std::string& root, const std::string& version) {
    return root + "\\" + std::string(versionFolderStart) + version + std::string(componentsEnd);
}
inline std::string versionFile(const std::string& softwareFolder) {
    return softwareFolder + std::string(autorunFolder) + "\\version";
}
inline std::string jobFile(const std::string& softwareFolder, const std::string& jobName) {
    return softwareFolder + "\\" + jobName + std::string(jobFileEnd);
}

} // namespace discmenu::layout

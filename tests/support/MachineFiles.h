#pragma once

#include "platform/FileSystem.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace discmenu::test {

// A drive letter that names a folder of the test machine.
struct TestDrive {
    char letter;
    std::filesystem::path folder;
};

// The machine's own file-system adapter (POSIX or Win32, as built), with the given drive
// letters naming the given folders.
std::unique_ptr<FileSystem> machineFileSystem(const std::vector<TestDrive>& drives);

// Sets a file's or folder's last-modified time.
void setModifiedTime(const std::filesystem::path& path, FileTime when);

} // namespace discmenu::test

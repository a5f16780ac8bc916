// Copies through the program's own file-system adapter, as the menu's Save and install
// actions do, so that a benchmark can time it beside the system's cp:
//   copy_tool file|folder SOURCE DESTINATION
// The paths are paths of this machine. Exits 1 when the copy fails.

#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"

#include <cstring>
#include <filesystem>
#include <iostream>

using namespace discmenu;

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "file") != 0 && std::strcmp(argv[1], "folder") != 0)) {
        std::cerr << "usage: copy_tool file|folder SOURCE DESTINATION\n";
        return 2;
    }
    const posix::DriveMap drives = posix::DriveMap::standard();
    auto windows = [&](const char* path) {
        return drives.toWindows(std::filesystem::absolute(path).lexically_normal().string());
    };
    const auto from = windows(argv[2]);
    const auto to = windows(argv[3]);
    if (!from || !to) {
        std::cerr << "copy_tool: no drive holds the paths\n";
        return 2;
    }
    posix::PathResolver paths(drives);
    posix::PosixFileSystem fs(paths);
    const Outcome done = std::strcmp(argv[1], "file") == 0 ? fs.copyFile(*from, *to, nullptr)
                                                           : fs.copyFolder(*from, *to, nullptr);
    if (!done) {
        std::cerr << "copy_tool: " << done.error().number() << ' ' << done.error().description
                  << '\n';
        return 1;
    }
    return 0;
}

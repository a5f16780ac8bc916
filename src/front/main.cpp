// The process entry on Linux and macOS. The disc check needs no window and runs here, in a
// program that loads no window library: the 48 libraries the windows need took a fixed
// 12 ms of every check. Everything else is the window program beside this one, started in
// this process's place with the same arguments.

#include "front/CheckCommand.h"
#include "platform/posix/PosixEnvironment.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace discmenu;

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--check")
        return front::checkCommand(argc, argv);
    const std::string window = posix::PosixEnvironment::executableFolder() + "/discmenu-window";
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "discmenu: cannot start %s: %s\n", window.c_str(), std::strerror(errno));
    return 127;
}

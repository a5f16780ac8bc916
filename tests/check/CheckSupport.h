#pragma once

#include "Fakes.h"
#include "check/DiscCheck.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixDiscTree.h"
#include "platform/posix/PosixFileSystem.h"

#include <filesystem>
#include <string>

namespace discmenu::test {

// Checks a disc folder as the program's check does: the folder is drive D: and the menu
// starts from D:\autorun.
inline check::DiscReport checkFolder(const std::filesystem::path& disc) {
    posix::DriveMap drives;
    drives.add('D', disc.string());
    posix::PathResolver paths(drives);
    posix::PosixFileSystem fs(paths);
    FakeEnvironment env;
    env.folder = "D:\\autorun";
    posix::PosixDiscTree tree(disc.string());
    return check::checkDisc({fs, env, tree, "D:\\"});
}

} // namespace discmenu::test

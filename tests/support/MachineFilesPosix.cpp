#include "MachineFiles.h"

#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"

#include <sys/time.h>

namespace discmenu::test {

namespace {

struct Resolver {
    posix::PathResolver paths;
};

// The adapter together with the drive map it reads.
class OwningFileSystem : private Resolver, public posix::PosixFileSystem {
public:
    explicit OwningFileSystem(const posix::DriveMap& drives)
        : Resolver{posix::PathResolver(drives)}, posix::PosixFileSystem(paths) {}
};

} // namespace

std::unique_ptr<FileSystem> machineFileSystem(const std::vector<TestDrive>& drives) {
    posix::DriveMap map;
    for (const TestDrive& d : drives)
        map.add(d.letter, d.folder.string());
    return std::make_unique<OwningFileSystem>(map);
}

void setModifiedTime(const std::filesystem::path& path, FileTime when) {
    const auto since = when.time_since_epoch();
    timeval times[2];
    times[0].tv_sec = times[1].tv_sec =
        static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
    times[0].tv_usec = times[1].tv_usec = 0;
    ::utimes(path.c_str(), times);
}

} // namespace discmenu::test

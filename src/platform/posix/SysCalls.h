#pragma once

#include <cstddef>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace discmenu::posix {

// The system calls with which the file-system adapter copies files and folders, behind one
// small interface, so that a test can make any one of them fail and see what the copy does
// then (tests/support/FaultySysCalls.h fails the Nth call with a chosen errno).
//
// Each call keeps its system call's contract: on failure it returns -1 (openDir and
// readDir: null) and sets errno. readDir returns null with errno unchanged at the end of a
// folder, so a caller sets errno to 0 before it. copyFileRange copies up to `length` bytes
// from the current offset of `in` to that of `out` and moves both offsets; where the
// kernel has no such call it fails with ENOSYS, and the caller copies with read and write.
//
// syncFs flushes the whole file system that holds fd and fails when writing anything back
// to it has failed since fd was opened (Linux 5.8 and later); where there is no such call
// it fails with ENOSYS, and the caller flushes file by file with fsync.
//
// RealSysCalls makes the calls themselves; a PosixFileSystem uses its own unless it is
// given another.
class SysCalls {
public:
    virtual ~SysCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode) = 0;
    virtual int close(int fd) = 0;
    virtual ssize_t read(int fd, void* buffer, std::size_t length) = 0;
    virtual ssize_t write(int fd, const void* buffer, std::size_t length) = 0;
    virtual ssize_t copyFileRange(int in, int out, std::size_t length) = 0;
    virtual int fsync(int fd) = 0;
    virtual int syncFs(int fd) = 0;
    virtual int rename(const char* from, const char* to) = 0;
    virtual int mkdir(const char* path, mode_t mode) = 0;
    virtual int unlink(const char* path) = 0;
    virtual DIR* openDir(const char* path) = 0;
    virtual dirent* readDir(DIR* dir) = 0;
};

class RealSysCalls : public SysCalls {
public:
    int open(const char* path, int flags, mode_t mode) override {
        return ::open(path, flags, mode);
    }
    int close(int fd) override { return ::close(fd); }
    ssize_t read(int fd, void* buffer, std::size_t length) override {
        return ::read(fd, buffer, length);
    }
    ssize_t write(int fd, const void* buffer, std::size_t length) override {
        return ::write(fd, buffer, length);
    }
    ssize_t copyFileRange(int in, int out, std::size_t length) override;
    int fsync(int fd) override { return ::fsync(fd); }
    int syncFs(int fd) override;
    int rename(const char* from, const char* to) override { return ::rename(from, to); }
    int mkdir(const char* path, mode_t mode) override { return ::mkdir(path, mode); }
    int unlink(const char* path) override { return ::unlink(path); }
    DIR* openDir(const char* path) override { return ::opendir(path); }
    dirent* readDir(DIR* dir) override { return ::readdir(dir); }
};

} // namespace discmenu::posix

#pragma once

#include "platform/posix/SysCalls.h"

#include <cerrno>

namespace discmenu::test {

// The system's own calls, except that the Nth call (counting from 1, every kind of call
// together) fails with the errno given, without being made. With failAt 0 nothing fails,
// and calls() tells how many calls an operation makes: a test then fails each of them in
// turn.
class FaultySysCalls : public posix::RealSysCalls {
public:
    explicit FaultySysCalls(int failAt = 0, int error = EIO) : m_failAt(failAt), m_error(error) {}

    int calls() const { return m_calls; }
    // Whether the failure was met.
    bool failed() const { return m_failAt > 0 && m_calls >= m_failAt; }

    int open(const char* path, int flags, mode_t mode) override;
    int close(int fd) override;
    ssize_t read(int fd, void* buffer, std::size_t length) override;
    ssize_t write(int fd, const void* buffer, std::size_t length) override;
    ssize_t copyFileRange(int in, int out, std::size_t length) override;
    int fsync(int fd) override;
    int syncFs(int fd) override;
    int rename(const char* from, const char* to) override;
    int mkdir(const char* path, mode_t mode) override;
    int unlink(const char* path) override;
    DIR* openDir(const char* path) override;
    dirent* readDir(DIR* dir) override;

private:
    // Counts the call; true when this one is to fail (errno is then set).
    bool fails();

    int m_failAt;
    int m_error;
    int m_calls = 0;
};

} // namespace discmenu::test

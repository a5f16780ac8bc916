#include "platform/posix/Spawn.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace discmenu::posix {

std::string findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/bin:/bin";
    for (;;) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            break;
        rest.remove_prefix(colon + 1);
    }
    return {};
}

std::string outputOf(const std::vector<std::string>& argv) {
    const std::string program = argv.empty() ? std::string() : findProgram(argv[0]);
    if (program.empty())
        return {};
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0)
        return {};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(out[0]);
        ::close(out[1]);
        return {};
    }
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        if (const int null = ::open("/dev/null", O_RDWR); null >= 0) {
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDERR_FILENO);
        }
        ::execv(program.c_str(), args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (text.size() < (1 << 16))
            text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : std::string();
}

Outcome spawnDetached(const std::vector<std::string>& argv, const std::string& workingFolder) {
    if (argv.empty())
        return fail(Err::FileNotFound);
    const std::string program = findProgram(argv[0]);
    if (program.empty())
        return fail(Err::FileNotFound);

    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The grandchild reports a failed exec through this pipe; a pipe closed by a
    // successful exec reads as end-of-file.
    int report[2];
    if (::pipe(report) != 0)
        return fail(Err::FileNotFound);
    ::fcntl(report[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(report[1], F_SETFD, FD_CLOEXEC);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return fail(Err::FileNotFound);
    }
    if (child == 0) {
        ::setsid();
        if (::fork() != 0)
            ::_exit(0);
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) {
            // A missing working folder does not stop the program; it starts where it is.
        }
        ::execv(program.c_str(), args.data());
        const int error = errno;
        (void)!::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n > 0)
        return fail(Err::FileNotFound, std::strerror(error));
    return {};
}

} // namespace discmenu::posix

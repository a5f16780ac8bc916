#include "platform/posix/PosixEnvironment.h"

#include <climits>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace discmenu::posix {

PosixEnvironment::PosixEnvironment(const DriveMap& drives, std::string hostProgramFolder)
    : m_programFolder(drives.toWindows(hostProgramFolder).value_or("Z:\\")) {}

std::string PosixEnvironment::executableFolder() {
    std::string exe;
#ifdef __APPLE__
    char buffer[PATH_MAX];
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) == 0)
        exe = buffer;
#else
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0)
        exe.assign(buffer, static_cast<std::size_t>(n));
#endif
    if (char* real = ::realpath(exe.c_str(), nullptr)) {
        exe = real;
        std::free(real);
    }
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos)
        return "/";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string regionalDateTime(const std::tm& local, const char* localeName) {
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    const std::string name = localeName ? localeName : "";
    if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) {
        std::ostringstream out;
        out << local.tm_mon + 1 << '/' << local.tm_mday << '/' << local.tm_year + 1900;
        if (!midnight) {
            const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
            out << ' ' << hour12 << ':' << std::setw(2) << std::setfill('0') << local.tm_min << ':'
                << std::setw(2) << local.tm_sec << (local.tm_hour < 12 ? " AM" : " PM");
        }
        return out.str();
    }
    std::ostringstream out;
    try {
        out.imbue(std::locale(name));
    } catch (const std::runtime_error&) {
        return regionalDateTime(local, "C");
    }
    out << std::put_time(&local, midnight ? "%x" : "%x %X");
    return out.str();
}

std::string PosixEnvironment::dateTimeText(FileTime t) const {
    const auto seconds = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return {};
    const char* name = std::getenv("LC_ALL");
    if (!name || !*name)
        name = std::getenv("LC_TIME");
    if (!name || !*name)
        name = std::getenv("LANG");
    return regionalDateTime(local, name);
}

} // namespace discmenu::posix

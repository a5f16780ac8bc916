#include "platform/posix/PosixEnvironment.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <locale.h>
#include <time.h>
#include <unistd.h>
#ifdef __APPLE__
#include <mach-o/dyld.h>
#include <xlocale.h>
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
    return slash == std::string::npos || slash == 0 ? "/" : exe.substr(0, slash);
}

std::string regionalDateTime(const std::tm& local, const char* localeName) {
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    const std::string name = localeName ? localeName : "";
    char text[256];
    if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) {
        const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
        const int n =
            midnight ? std::snprintf(text, sizeof text, "%d/%d/%d", local.tm_mon + 1, local.tm_mday,
                                     local.tm_year + 1900)
                     : std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s",
                                     local.tm_mon + 1, local.tm_mday, local.tm_year + 1900, hour12,
                                     local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
        return n > 0 ? std::string(text, std::min<std::size_t>(std::size_t(n), sizeof text - 1))
                     : std::string();
    }
    // The locale's own forms, written by the C library as the C++ time facets would write
    // them, without setting up the C++ locale machinery for one line of text.
    const locale_t locale = ::newlocale(LC_TIME_MASK, name.c_str(), locale_t(nullptr));
    if (!locale)
        return regionalDateTime(local, "C");
    const std::size_t n =
        ::strftime_l(text, sizeof text, midnight ? "%x" : "%x %X", &local, locale);
    ::freelocale(locale);
    return std::string(text, n);
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

#include "RightsBind.h"

#include <unistd.h>
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

namespace discmenu::tools {

namespace {

#ifdef __linux__
constexpr unsigned overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// Sets or clears the two overrides in the effective set; they stay permitted.
bool setOverrides(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    if (on)
        data[0].effective |= data[0].permitted & overrides;
    else
        data[0].effective &= ~overrides;
    return ::syscall(SYS_capset, &header, data) == 0;
}
#endif

} // namespace

RightsBind::RightsBind() {
    if (::geteuid() != 0) {
        m_holds = true;
        return;
    }
#ifdef __linux__
    m_dropped = setOverrides(false);
    m_holds = m_dropped;
#endif
}

RightsBind::~RightsBind() {
#ifdef __linux__
    if (m_dropped)
        setOverrides(true);
#endif
}

} // namespace discmenu::tools

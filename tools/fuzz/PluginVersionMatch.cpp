// Preloaded into the compiler while the fuzz target is built with AFL++'s GCC plugin.
//
// Debian's afl++ 4.04c plugin was built against gcc 12.2.0-14; the security update
// 12.2.0-14+deb12u1 changed only the package version named in the compiler's configure
// line, and the plugin refuses any compiler whose configure line is not the one it was
// built with. This takes the two configure lines of those two builds as equal; every other
// comparison goes to the C library unchanged.

#include <dlfcn.h>

#include <cstring>

namespace {
constexpr char sameBuild[] = "../src/configure -v --with-pkgversion='Debian 12.2.0-14";
}

extern "C" int strcmp(const char* a, const char* b) {
    using Compare = int (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Compare>(::dlsym(RTLD_NEXT, "strcmp"));
    const std::size_t n = sizeof sameBuild - 1;
    if (std::strncmp(a, sameBuild, n) == 0 && std::strncmp(b, sameBuild, n) == 0)
        return 0;
    return real(a, b);
}

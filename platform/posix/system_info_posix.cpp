// Processor architecture of the running POSIX system, read with uname, and its 8-bit code page.
#include "platform/system_info.h"

#include <sys/utsname.h>

#include <cstring>

namespace telvorin::platform {

int system_bit_width()
{
    struct utsname name {};
    if (::uname(&name) != 0)
        return sizeof(void*) == 8 ? 64 : 32;
    // The kernel's machine names of 64-bit architectures carry "64"
    // (x86_64, aarch64, ppc64le, riscv64, mips64, sparc64, loongarch64),
    // except s390x and alpha.
    const char* m = name.machine;
    if (std::strstr(m, "64") != nullptr || std::strcmp(m, "s390x") == 0 || std::strcmp(m, "alpha") == 0)
        return 64;
    return 32;
}

const char* eight_bit_codec_name()
{
    return "ISO-8859-1";
}

}  // namespace telvorin::platform

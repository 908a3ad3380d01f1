// Processor architecture of the running POSIX system, read with uname, and its locale's encoding.
#include "platform/system_info.h"

#include <QTextCodec>

#include <langinfo.h>
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

void adopt_locale_encoding()
{
    // Qt 5 here encodes in UTF-8 whatever the locale says, so under a Latin-1 locale a saved file would be named in
    // UTF-8 while the caller looks for it in Latin-1. The C locale's ASCII chooses no encoding at all: UTF-8 stays
    // there, rather than every character outside ASCII becoming "?" in a file name.
    const char* codeset = ::nl_langinfo(CODESET);
    if (codeset == nullptr || std::strcmp(codeset, "ANSI_X3.4-1968") == 0)
        return;
    if (QTextCodec* codec = QTextCodec::codecForName(codeset))
        QTextCodec::setCodecForLocale(codec);
}

}  // namespace telvorin::platform

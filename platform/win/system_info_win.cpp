// Processor architecture of the running Windows system.
#include "platform/system_info.h"

#include <windows.h>

namespace telvorin::platform {

int system_bit_width()
{
    SYSTEM_INFO info;
    // GetSystemInfo would describe the emulated system to a 32-bit program on 64-bit Windows.
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64
                   || info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64
                   || info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64
               ? 64
               : 32;
}

void adopt_locale_encoding() {}

}  // namespace telvorin::platform

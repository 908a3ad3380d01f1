// Processor architecture that the running process sees.
#include "platform/system_info.h"

#include <windows.h>

namespace telvorin::platform {

int system_bit_width()
{
    SYSTEM_INFO info;
    // Not GetNativeSystemInfo: a 32-bit build on 64-bit Windows must say 32, as it can only load a 32-bit
    // MAPI32.DLL, and so only talk to a 32-bit mail client.
    GetSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64
                   || info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64
                   || info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64
               ? 64
               : 32;
}

void adopt_locale_encoding() {}

}  // namespace telvorin::platform

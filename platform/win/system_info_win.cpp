// Processor architecture of the running Windows system.
#include "system_info.h"

#include <windows.h>

namespace telvorin::platform {

int system_bit_width()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64
                   || info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64
               ? 64
               : 32;
}

}  // namespace telvorin::platform

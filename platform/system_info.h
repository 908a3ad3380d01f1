// Facts about the running system that the tool prints.
#pragma once

namespace telvorin::platform {

// 64 on a 64-bit processor architecture of the running system, else 32.
// This is the system's, not the executable's: a 32-bit build on a 64-bit
// system reports 64.
int system_bit_width();

}  // namespace telvorin::platform

// Facts about the running system: what the tool prints, and the encoding in which it names files.
#pragma once

namespace telvorin::platform {

// 64 on a 64-bit processor architecture of the running system, else 32.
// This is the system's, not the executable's: a 32-bit build on a 64-bit
// system reports 64.
int system_bit_width();

// Makes the locale's encoding the one in which Qt encodes file names and
// arguments and in which text streams write by default, as the system's own
// programs do. Called once, after the application object has read the locale.
// On Windows Qt already takes the ANSI code page.
void adopt_locale_encoding();

}  // namespace telvorin::platform

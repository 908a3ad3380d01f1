// Facts about the running system: what the tool prints, and the encoding in which it names files.
#pragma once

namespace telvorin::platform {

// 64 on a 64-bit processor architecture, else 32. On Windows it is the
// architecture the process sees: a 32-bit build on 64-bit Windows (WOW64)
// reports 32, since it can only load 32-bit DLLs such as a 32-bit MAPI32.DLL.
// On POSIX systems it is the kernel's.
int system_bit_width();

// Makes the locale's encoding the one in which Qt encodes file names and
// arguments and in which text streams write by default, as the system's own
// programs do. Called once, after the application object has read the locale.
// On Windows Qt already takes the ANSI code page.
void adopt_locale_encoding();

}  // namespace telvorin::platform

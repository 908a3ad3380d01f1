// Facts about the running system: what the tool prints, and the code page of the text files it writes.
#pragma once

namespace telvorin::platform {

// 64 on a 64-bit processor architecture, else 32. On Windows it is the
// architecture the process sees: a 32-bit build on 64-bit Windows (WOW64)
// reports 32, since it can only load 32-bit DLLs such as a 32-bit MAPI32.DLL.
// On POSIX systems it is the kernel's.
int system_bit_width();

// The name under which Qt's codecs know the system's 8-bit code page, in which
// the system's programs read a text file: "System", the ANSI code page and a
// text stream's default, on Windows; "ISO-8859-1" on POSIX systems, which have
// no 8-bit code page of their own and whose text streams default to UTF-8.
const char* eight_bit_codec_name();

}  // namespace telvorin::platform

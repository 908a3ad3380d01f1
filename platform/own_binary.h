// What lies beside our own binary: its folder, the modules loaded from there, and the library that stands for
// Simple MAPI. Found from the system's record of the loaded binary, never through the working directory.
#pragma once

#include "platform/dynamic_library.h"

#include <QString>

namespace telvorin::platform {

// The folder, with a trailing '/', of the binary this code is linked into: the executable, or the library that
// links platform/ (the provider). Empty when the system cannot tell.
QString own_binary_folder();

// Loads the module at `path`, taken from own_binary_folder() unless absolute, and resolves `entry` in it. When
// either fails, writes the one line "<what> nicht ladbar: <the loader's own text>" to standard error and returns
// nullptr: the loader's text names the file, and the symbol when that is what is missing. A relative `path` is never
// looked up from the working directory. Never unloaded.
void* load_entry_beside_us(const QString& path, const char* entry, const QString& what);

// The library that stands for Simple MAPI, loaded; nullptr when it cannot be. The
// system's own where there is one; elsewhere our provider in our private library folder beside the executable,
// unless TELVORIN_MAPI_LIBRARY names another.
LibraryHandle load_simple_mapi();

}  // namespace telvorin::platform

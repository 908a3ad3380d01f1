// Loading a library at run time and resolving its functions by name.
#pragma once

#include <string>

namespace telvorin::platform {

// Opaque handle of a loaded library; nullptr means "not loaded".
using LibraryHandle = void*;

// Loads the library `name` the way the system's loader finds it. On POSIX the
// Windows name "MAPI32.DLL" (any letter case) stands for the Simple MAPI
// provider: the library named by TELVORIN_MAPI_LIBRARY when that is set and
// not empty, else the project's provider in the lib/ folder beside the
// executable's bin/ folder. Returns nullptr when the library cannot be loaded;
// last_load_error() then tells why. A loaded library is never unloaded.
LibraryHandle load_library(const char* name);

// Address of the exported function `name`, or nullptr when there is none.
void* resolve_function(LibraryHandle library, const char* name);

// The system's text for the last failed load_library/resolve_function call of
// this thread, read straight after the failing call; empty when none failed.
std::string last_load_error();

}  // namespace telvorin::platform

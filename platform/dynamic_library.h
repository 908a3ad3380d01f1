// Loading a library at run time and resolving its functions by name.
#pragma once

#include <string>

namespace telvorin::platform {

// Opaque handle of a loaded library; nullptr means "not loaded".
using LibraryHandle = void*;

// Loads the library `name` (a file name or a path) the way the system's
// loader finds it. Returns nullptr when the library cannot be loaded;
// last_load_error() then tells why. A loaded library is never unloaded.
LibraryHandle load_library(const char* name);

// Address of the exported function `name`, or nullptr when there is none.
void* resolve_function(LibraryHandle library, const char* name);

// The system's text for the last failed load_library/resolve_function call of
// this thread, read straight after the failing call; empty when none failed.
std::string last_load_error();

}  // namespace telvorin::platform

// Run-time library loading with dlopen/dlsym.
#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <string>

namespace telvorin::platform {
namespace {

thread_local std::string last_error;

}  // namespace

LibraryHandle load_library(const char* name)
{
    ::dlerror();
    void* handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* text = ::dlerror();
        last_error = text != nullptr ? text : std::string("cannot load ") + name;
    } else {
        last_error.clear();
    }
    return handle;
}

void* resolve_function(LibraryHandle library, const char* name)
{
    if (library == nullptr) {
        last_error = "library not loaded";
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(library, name);
    const char* text = ::dlerror();
    if (address == nullptr)
        last_error = text != nullptr ? text : std::string("symbol is null: ") + name;
    else
        last_error.clear();
    return address;
}

std::string last_load_error()
{
    return last_error;
}

}  // namespace telvorin::platform

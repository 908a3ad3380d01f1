// Run-time library loading with dlopen/dlsym, and where MAPI32.DLL lives on POSIX.
#include "dynamic_library.h"

#include <dlfcn.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace telvorin::platform {
namespace {

thread_local std::string letzter_fehler;

std::string executable_directory()
{
    std::string pfad(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", pfad.data(), pfad.size() - 1);
    if (n <= 0)
        return {};
    pfad.resize(static_cast<std::size_t>(n));
    const auto schnitt = pfad.rfind('/');
    return schnitt == std::string::npos ? std::string() : pfad.substr(0, schnitt);
}

// The provider is found relative to the executable, never through the working
// directory or LD_LIBRARY_PATH, so a caller's environment cannot swap it by accident.
std::string posix_library_name(const char* name)
{
    if (::strcasecmp(name, "MAPI32.DLL") != 0)
        return name;
    const char* gesetzt = std::getenv("TELVORIN_MAPI_LIBRARY");
    if (gesetzt != nullptr && *gesetzt != '\0')
        return gesetzt;
    return executable_directory() + "/../lib/libtelvorin_mapi.so";
}

}  // namespace

LibraryHandle load_library(const char* name)
{
    const std::string datei = posix_library_name(name);
    ::dlerror();
    void* handle = ::dlopen(datei.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* text = ::dlerror();
        letzter_fehler = text != nullptr ? text : "cannot load " + datei;
    } else {
        letzter_fehler.clear();
    }
    return handle;
}

void* resolve_function(LibraryHandle library, const char* name)
{
    if (library == nullptr) {
        letzter_fehler = "library not loaded";
        return nullptr;
    }
    ::dlerror();
    void* adresse = ::dlsym(library, name);
    const char* text = ::dlerror();
    if (adresse == nullptr)
        letzter_fehler = text != nullptr ? text : std::string("symbol is null: ") + name;
    else
        letzter_fehler.clear();
    return adresse;
}

std::string last_load_error()
{
    return letzter_fehler;
}

}  // namespace telvorin::platform

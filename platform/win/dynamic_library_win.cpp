// Run-time library loading with LoadLibraryA/GetProcAddress.
#include "dynamic_library.h"

#include <windows.h>

#include <string>

namespace telvorin::platform {
namespace {

thread_local std::string letzter_fehler;

std::string system_message(DWORD code)
{
    char* puffer = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<LPSTR>(&puffer), 0, nullptr);
    std::string text = n > 0 && puffer != nullptr ? std::string(puffer, n) : "error " + std::to_string(code);
    if (puffer != nullptr)
        LocalFree(puffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

LibraryHandle load_library(const char* name)
{
    HMODULE modul = LoadLibraryA(name);
    // Values below 32 are error codes of the 16-bit loader that some
    // compatibility layers still hand back instead of NULL.
    if (reinterpret_cast<ULONG_PTR>(modul) < 32) {
        letzter_fehler = system_message(GetLastError());
        return nullptr;
    }
    letzter_fehler.clear();
    return reinterpret_cast<LibraryHandle>(modul);
}

void* resolve_function(LibraryHandle library, const char* name)
{
    if (library == nullptr) {
        letzter_fehler = "library not loaded";
        return nullptr;
    }
    FARPROC adresse = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
    if (adresse == nullptr) {
        letzter_fehler = system_message(GetLastError());
        return nullptr;
    }
    letzter_fehler.clear();
    return reinterpret_cast<void*>(adresse);
}

std::string last_load_error()
{
    return letzter_fehler;
}

}  // namespace telvorin::platform

// Run-time library loading with LoadLibraryA/GetProcAddress.
#include "platform/dynamic_library.h"

#include <windows.h>

#include <string>

namespace telvorin::platform {
namespace {

thread_local std::string last_error;

std::string system_message(DWORD code)
{
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = n > 0 && buffer != nullptr ? std::string(buffer, n) : "error " + std::to_string(code);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

LibraryHandle load_library(const char* name)
{
    HMODULE module = LoadLibraryA(name);
    // Values below 32 are error codes of the 16-bit loader that some
    // compatibility layers still hand back instead of NULL.
    if (reinterpret_cast<ULONG_PTR>(module) < 32) {
        last_error = system_message(GetLastError());
        return nullptr;
    }
    last_error.clear();
    return reinterpret_cast<LibraryHandle>(module);
}

void* resolve_function(LibraryHandle library, const char* name)
{
    if (library == nullptr) {
        last_error = "library not loaded";
        return nullptr;
    }
    FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
    if (address == nullptr) {
        last_error = system_message(GetLastError());
        return nullptr;
    }
    last_error.clear();
    return reinterpret_cast<void*>(address);
}

std::string last_load_error()
{
    return last_error;
}

}  // namespace telvorin::platform

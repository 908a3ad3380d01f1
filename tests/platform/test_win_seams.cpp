// The Win32 seams (library loading, system information), built with mingw-w64 and run under Wine.
#include "platform/dynamic_library.h"
#include "platform/system_info.h"
#include <cstdio>

static int checks = 0, failed = 0;

// Counts a check, and prints the expression of one that fails.
#define CHECK(condition) (++checks, (condition) ? void() : (void)(++failed, std::printf("FAILED: %s\n", #condition)))

int main()
{
    using namespace telvorin::platform;
    // The width the process sees, which is its own: a 32-bit build on 64-bit Windows (WOW64) must say 32.
    CHECK(system_bit_width() == static_cast<int>(sizeof(void*) * 8));
    // Our own DLL loads by name from the executable's folder, leaving no error text; its export is found and callable.
    LibraryHandle probe = load_library("seam_probe.dll");
    CHECK(probe != nullptr && last_load_error().empty());
    auto* twice = reinterpret_cast<int (*)(int)>(resolve_function(probe, "seam_probe_double"));
    CHECK(twice != nullptr && twice(21) == 42);
    // A missing export, or no library, gives no function; a missing export or DLL leaves the system's error text.
    CHECK(resolve_function(probe, "seam_probe_missing") == nullptr && !last_load_error().empty());
    CHECK(resolve_function(nullptr, "seam_probe_double") == nullptr);
    CHECK(load_library("no_such_library_telvorin.dll") == nullptr && !last_load_error().empty());
    std::printf("%d passed, %d failed\n", checks - failed, failed);
    return failed == 0 ? 0 : 1;
}

// The Win32 seams (library loading, system information), built with mingw-w64 and run under Wine.
#include "dynamic_library.h"
#include "system_info.h"

#include <cstdio>
#include <string>

namespace {

int checks = 0, failed = 0;

void check(bool condition, const char* what)
{
    ++checks;
    if (!condition) {
        ++failed;
        std::printf("FAILED: %s\n", what);
    }
}

}  // namespace

int main()
{
    using namespace telvorin::platform;

    // Wine's default prefix is a 64-bit Windows on an x86-64 host.
    check(system_bit_width() == 64, "a 64-bit system reports 64");

    LibraryHandle probe = load_library("seam_probe.dll");
    check(probe != nullptr, "our own DLL loads by name from the executable's folder");
    check(last_load_error().empty(), "a successful load leaves no error text");

    using Doubler = int (*)(int);
    auto* twice = reinterpret_cast<Doubler>(resolve_function(probe, "seam_probe_double"));
    check(twice != nullptr && twice(21) == 42, "an exported function is found and callable");

    check(resolve_function(probe, "seam_probe_missing") == nullptr, "a missing export resolves to null");
    check(!last_load_error().empty(), "a missing export leaves the system's error text");

    check(resolve_function(nullptr, "seam_probe_double") == nullptr, "no library, no function");

    check(load_library("no_such_library_telvorin.dll") == nullptr, "a missing DLL is a failed load");
    check(!last_load_error().empty(), "a failed load leaves the system's error text");

    std::printf("%d passed, %d failed\n", checks - failed, failed);
    return failed == 0 ? 0 : 1;
}

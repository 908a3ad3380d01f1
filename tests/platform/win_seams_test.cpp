// The Win32 seams (library loading, system information), built with mingw-w64 and run under Wine.
#include "dynamic_library.h"
#include "system_info.h"

#include <cstdio>
#include <string>

namespace {

int bestanden = 0;
int fehlgeschlagen = 0;

void pruefe(bool bedingung, const char* was)
{
    if (bedingung) {
        ++bestanden;
    } else {
        ++fehlgeschlagen;
        std::printf("FAILED: %s\n", was);
    }
}

}  // namespace

int main()
{
    using namespace telvorin::platform;

    // Wine's default prefix is a 64-bit Windows on an x86-64 host.
    pruefe(system_bit_width() == 64, "a 64-bit system reports 64");

    LibraryHandle probe = load_library("seam_probe.dll");
    pruefe(probe != nullptr, "our own DLL loads by name from the executable's folder");
    pruefe(last_load_error().empty(), "a successful load leaves no error text");

    using Antwort = int (*)(int);
    auto* verdoppeln = reinterpret_cast<Antwort>(resolve_function(probe, "seam_probe_double"));
    pruefe(verdoppeln != nullptr && verdoppeln(21) == 42, "an exported function is found and callable");

    pruefe(resolve_function(probe, "seam_probe_missing") == nullptr, "a missing export resolves to null");
    pruefe(!last_load_error().empty(), "a missing export leaves the system's error text");

    pruefe(resolve_function(nullptr, "seam_probe_double") == nullptr, "no library, no function");

    pruefe(load_library("no_such_library_telvorin.dll") == nullptr, "a missing DLL is a failed load");
    pruefe(!last_load_error().empty(), "a failed load leaves the system's error text");

    std::printf("%d passed, %d failed\n", bestanden, fehlgeschlagen);
    return fehlgeschlagen == 0 ? 0 : 1;
}

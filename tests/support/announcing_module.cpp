// A module for the loading tests: it says on standard error that it is loaded, and exports no entry.
#include <cstdio>

[[maybe_unused]] static const bool announced = std::fputs("Modul geladen\n", stderr) >= 0;

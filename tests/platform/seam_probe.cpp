// A tiny DLL that the Win32 seam test loads by name.
extern "C" __declspec(dllexport) int seam_probe_double(int x) { return 2 * x; }

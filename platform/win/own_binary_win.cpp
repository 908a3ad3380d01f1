// Our own binary's folder from the module that holds this code.
#include "platform/own_binary.h"

#include <QDir>

#include <windows.h>

#include <vector>

namespace telvorin::platform {
namespace {

// Internal, so that its address lies in the module that holds this copy of platform/.
void anchor() {}

}  // namespace

QString own_binary_folder()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&anchor), &module))
        return QString();
    // A path longer than the buffer comes back cut: the buffer grows until it holds it whole.
    for (std::vector<wchar_t> path(MAX_PATH);; path.resize(path.size() * 2)) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return QString();
        if (n < path.size()) {
            const QString file = QDir::fromNativeSeparators(QString::fromWCharArray(path.data(), static_cast<int>(n)));
            return file.left(file.lastIndexOf(QLatin1Char('/')) + 1);
        }
    }
}

// The system's own MAPI32.DLL, found by the system's search as every Simple MAPI client finds it.
LibraryHandle load_simple_mapi()
{
    return load_library("MAPI32.DLL");
}

}  // namespace telvorin::platform

// The default mail client under HKLM\SOFTWARE\Clients\Mail and the bit width of its Simple MAPI library.
#include "platform/mail_client.h"

#include <windows.h>

#include <vector>

namespace telvorin::platform {
namespace {

// A string value (expanded), or empty. `view` is KEY_WOW64_32KEY or KEY_WOW64_64KEY: a client installs its key in
// its own view, and either may be the one this process does not see by default.
std::wstring value(const std::wstring& key, const wchar_t* name, REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
        return {};
    // REG_EXPAND_SZ values come back expanded, as REG_SZ; asking for REG_EXPAND_SZ too would refuse the call.
    const DWORD flags = RRF_RT_REG_SZ;
    std::wstring result;
    DWORD bytes = 0;
    if (RegGetValueW(opened, nullptr, name, flags, nullptr, nullptr, &bytes) == ERROR_SUCCESS && bytes >= sizeof(wchar_t)
        && bytes <= 64 * 1024) {
        std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegGetValueW(opened, nullptr, name, flags, nullptr, text.data(), &bytes) == ERROR_SUCCESS)
            result = text.data();
    }
    RegCloseKey(opened);
    return result;
}

// 32 or 64 by the machine the library's PE header names, 0 when it is not a library that can be read so.
int bit_width_of(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    IMAGE_DOS_HEADER dos {};
    DWORD read = 0;
    int width = 0;
    if (ReadFile(file, &dos, sizeof dos, &read, nullptr) && read == sizeof dos && dos.e_magic == IMAGE_DOS_SIGNATURE
        && dos.e_lfanew > 0 && SetFilePointer(file, dos.e_lfanew, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER) {
        DWORD signature = 0;
        IMAGE_FILE_HEADER header {};
        if (ReadFile(file, &signature, sizeof signature, &read, nullptr) && read == sizeof signature
            && signature == IMAGE_NT_SIGNATURE && ReadFile(file, &header, sizeof header, &read, nullptr)
            && read == sizeof header) {
            if (header.Machine == IMAGE_FILE_MACHINE_I386)
                width = 32;
            else if (header.Machine == IMAGE_FILE_MACHINE_AMD64 || header.Machine == IMAGE_FILE_MACHINE_ARM64)
                width = 64;
        }
    }
    CloseHandle(file);
    return width;
}

}  // namespace

MailClientLibrary mail_client_library_of_other_width()
{
    const std::wstring clients = L"SOFTWARE\\Clients\\Mail";
    const int own = static_cast<int>(sizeof(void*) * 8);
    for (const REGSAM view : {REGSAM(KEY_WOW64_64KEY), REGSAM(KEY_WOW64_32KEY)}) {
        const std::wstring client = value(clients, nullptr, view);
        if (client.empty())
            continue;
        std::wstring path = value(clients + L"\\" + client, L"DLLPathEx", view);
        if (path.empty())
            path = value(clients + L"\\" + client, L"DLLPath", view);
        const int width = path.empty() ? 0 : bit_width_of(path);
        if (width != 0 && width != own)
            return {QString::fromStdWString(client), QString::fromStdWString(path), width};
        if (width != 0)
            return {};
    }
    return {};
}

}  // namespace telvorin::platform

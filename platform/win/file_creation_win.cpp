// Opening files for writing without following a reparse point, with CreateFileW.
#include "platform/file_creation.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace telvorin::platform {

bool open_for_writing_no_follow(QFile& file, const QString& path)
{
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself instead of its target,
    // so that it can be recognised and refused before anything is written.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
        || !SetEndOfFile(handle)) {
        CloseHandle(handle);
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return false;
    }
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return false;
    }
    return true;
}

}  // namespace telvorin::platform

// Opening files for writing with O_NOFOLLOW.
#include "platform/file_creation.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace telvorin::platform {

bool open_for_writing_no_follow(QFile& file, const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                          0666);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace telvorin::platform

// Opening files for writing with O_NOFOLLOW.
#include "platform/file_creation.h"

#include "boundary/unique_fd.h"

#include <QFile>

#include <fcntl.h>

namespace telvorin::platform {

bool open_for_writing_no_follow(QFile& file, const QString& path)
{
    boundary::UniqueFd fd(::open(QFile::encodeName(path).constData(),
                                 O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd.get() < 0 || !file.open(fd.get(), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return false;
    // From here the file closes the descriptor.
    (void)fd.release();
    return true;
}

}  // namespace telvorin::platform

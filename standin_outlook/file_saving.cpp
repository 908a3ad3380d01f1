// Saving through a temporary file created with O_EXCL, which never follows a link, and a rename.
#include "file_saving.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace telvorin::standin {

namespace {

// Moves the finished file to its name. Between the check and the move a
// name may change; rename() then replaces a link itself, never its target,
// and RENAME_NOREPLACE refuses whatever appeared.
bool move_into_place(const char* temporaer, const char* ziel)
{
    struct stat info {};
    if (::lstat(ziel, &info) == 0)
        return S_ISREG(info.st_mode) && std::rename(temporaer, ziel) == 0;
    if (errno != ENOENT)
        return false;
    if (::renameat2(AT_FDCWD, temporaer, AT_FDCWD, ziel, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: a hard link refuses an existing name too.
    if (::link(temporaer, ziel) != 0)
        return false;
    ::unlink(temporaer);
    return true;
}

}  // namespace

bool save_file(const QString& path, const std::function<bool(std::FILE*)>& write)
{
    const QByteArray ziel = QFile::encodeName(path);
    QByteArray temporaer = ziel.left(ziel.lastIndexOf('/') + 1) + ".telvorin-XXXXXX";
    const int fd = ::mkostemp(temporaer.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // The file gets the mode a plain create would give it, not mkostemp's 0600.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    bool ok = ::fchmod(fd, 0666 & ~maske) == 0;
    std::FILE* datei = ::fdopen(fd, "wb");
    if (datei == nullptr) {
        ::close(fd);
        ok = false;
    } else {
        ok = write(datei) && ok;
        ok = std::fclose(datei) == 0 && ok;
    }
    ok = ok && move_into_place(temporaer.constData(), ziel.constData());
    if (!ok)
        ::unlink(temporaer.constData());
    return ok;
}

}  // namespace telvorin::standin

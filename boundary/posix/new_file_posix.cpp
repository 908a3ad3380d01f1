// Creating a file under a temporary name and moving it into place without following or replacing a link.
#include "boundary/new_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace telvorin::boundary {
namespace {

// Every temporary file of ours begins so, which lets the sweep tell ours from anybody else's.
constexpr char temporary_prefix[] = ".telvorin-";

}  // namespace

NewFile::NewFile(const QByteArray& folder, Access access) : m_path(folder + '/' + temporary_prefix + "XXXXXX")
{
    m_fd.reset(::mkostemp(m_path.data(), O_CLOEXEC));
    m_created = m_fd.get() >= 0;
    if (!m_created || access == Access::owner_only)
        return;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(m_fd.get(), 0666 & ~mask) != 0) {
        const int error = errno;
        ::unlink(m_path.constData());
        m_fd.reset();
        m_created = false;
        errno = error;
    }
}

NewFile::~NewFile()
{
    if (m_stream)
        std::fclose(m_stream);
    m_fd.reset();
    if (m_created && !m_placed)
        ::unlink(m_path.constData());
}

std::FILE* NewFile::stream()
{
    if (!m_stream && m_fd.get() >= 0) {
        m_stream = ::fdopen(m_fd.get(), "wb");
        if (m_stream)
            (void)m_fd.release();
    }
    return m_stream;
}

int NewFile::finish()
{
    int error = 0;
    if (m_stream) {
        if (std::fflush(m_stream) != 0 || ::fsync(::fileno(m_stream)) != 0)
            error = errno;
        if (std::fclose(m_stream) != 0 && error == 0)
            error = errno;
        m_stream = nullptr;
    } else if (m_fd.get() < 0) {
        error = EBADF;
    } else if (::fsync(m_fd.get()) != 0) {
        error = errno;
    }
    m_fd.reset();
    return error;
}

bool NewFile::place(const QByteArray& target, Existing existing)
{
    // Between this look and the move a name may change; rename() then
    // replaces a link itself, never its target, and RENAME_NOREPLACE refuses
    // whatever appeared.
    struct stat info {};
    if (existing == Existing::replace_regular_file) {
        if (::lstat(target.constData(), &info) == 0) {
            if (!S_ISREG(info.st_mode)) {
                errno = EEXIST;
                return false;
            }
            m_placed = std::rename(m_path.constData(), target.constData()) == 0;
            return m_placed;
        }
        if (errno != ENOENT)
            return false;
    }
    m_placed = rename_no_replace(m_path, target);
    return m_placed;
}

UniqueFd unnamed_file(const QByteArray& folder)
{
    UniqueFd fd(::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    // File systems without O_TMPFILE refuse it in one of these ways; there the
    // file has a random name for the moment between creating and unlinking.
    if (fd.get() >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    QByteArray path = folder + '/' + temporary_prefix + "XXXXXX";
    fd.reset(::mkostemp(path.data(), O_CLOEXEC));
    if (fd.get() >= 0)
        ::unlink(path.constData());
    return fd;
}

bool rename_no_replace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    ::unlink(from.constData());
    return true;
}

// The lock is tried without waiting: a live writer keeps its file.
void remove_stale_temporaries(const QByteArray& folder)
{
    DIR* directory = ::opendir(folder.constData());
    if (!directory)
        return;
    const int dir_fd = ::dirfd(directory);
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(directory)) {
        const size_t prefix = sizeof temporary_prefix - 1;
        if (std::strncmp(entry->d_name, temporary_prefix, prefix) != 0 || std::strlen(entry->d_name) != prefix + 6)
            continue;
        struct stat info {};
        if (::fstatat(dir_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::geteuid() || now - info.st_mtime < 15 * 60)
            continue;
        UniqueFd fd(::openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dir_fd, entry->d_name, 0);
    }
    ::closedir(directory);
}

}  // namespace telvorin::boundary

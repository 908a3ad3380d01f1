// Creating a file under a temporary name and moving it into place without following or replacing a link.
#include "boundary/new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace telvorin::boundary {

NewFile::NewFile(const QByteArray& folder, const char* prefix, Access access)
    : m_path(folder + '/' + prefix + "XXXXXX")
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
    QByteArray path = folder + "/.telvorin-XXXXXX";
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

}  // namespace telvorin::boundary

// The one owner of a POSIX file descriptor: closed exactly once, by whoever holds it last.
#include "boundary/unique_fd.h"

#include <unistd.h>

namespace telvorin::boundary {

void UniqueFd::reset(int fd) noexcept
{
    // Linux has closed the descriptor even when close() reports EINTR: retrying could close another thread's.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

}  // namespace telvorin::boundary

// The one owner of a POSIX file descriptor: closed exactly once, by whoever holds it last.
#pragma once

namespace telvorin::boundary {

// Holds -1 or an open descriptor and closes it on destruction or reset().
// Moving hands the descriptor over and leaves -1 behind; copying is not
// possible, so no descriptor is closed twice.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) noexcept : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const noexcept { return m_fd; }
    // Closes what is held and takes `fd` (or nothing) instead.
    void reset(int fd = -1) noexcept;
    // Hands the descriptor to the caller, who closes it.
    [[nodiscard]] int release() noexcept
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

}  // namespace telvorin::boundary

// The message as a stream of bytes, written by a thread of its own while the upload reads it.
#include "mapi_provider/smtp/message_pipe.h"

#include "mapi_provider/shared/mime_message.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>

namespace telvorin::mapi {

bool MessagePipe::start(const OutgoingMail& mail)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    m_read.reset(ends[0]);
    auto write_end = std::make_shared<boundary::UniqueFd>(ends[1]);
    m_writer = std::thread([this, &mail, write_end] {
        try {
            m_error = write_message(mail, write_end->get(), LineEnds::crlf);
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
        }
        write_end->reset();
    });
    return true;
}

ssize_t MessagePipe::read(char* buffer, size_t size)
{
    for (;;) {
        const ssize_t got = ::read(m_read.get(), buffer, size);
        if (got > 0)
            return got;
        if (got == 0) {
            if (m_writer.joinable())
                m_writer.join();
            return m_error == 0 ? 0 : -1;
        }
        if (errno != EINTR)
            return -1;
    }
}

void MessagePipe::finish()
{
    // Closing the read end first makes a writer still at work fail with EPIPE instead of waiting for a reader.
    m_read.reset();
    if (m_writer.joinable())
        m_writer.join();
}

}  // namespace telvorin::mapi

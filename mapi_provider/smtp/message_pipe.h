// The message as a stream of bytes, written by a thread of its own while the upload reads it.
#pragma once

#include "mapi_provider/shared/outgoing_mail.h"

#include "boundary/unique_fd.h"

#include <sys/types.h>

#include <thread>

namespace telvorin::mapi {

// Encoding and upload run side by side, and memory stays at the pipe's size
// whatever the attachments weigh. The reader learns the end only once the
// writer has written the whole message: a failed write never looks like a
// short mail. The thread inherits the signal mask of the one that calls start().
class MessagePipe {
public:
    MessagePipe() = default;
    MessagePipe(const MessagePipe&) = delete;
    MessagePipe& operator=(const MessagePipe&) = delete;
    ~MessagePipe() { finish(); }

    // Starts writing `mail` (with CR LF line ends), which must live until
    // finish(); false when no pipe could be had.
    bool start(const OutgoingMail& mail);
    // Up to `size` bytes of the message; 0 at its complete end; -1 when the
    // message cannot be had whole (or start() was never called).
    ssize_t read(char* buffer, size_t size);
    // Stops the writer where it is and waits for it.
    void finish();

private:
    boundary::UniqueFd m_read;
    std::thread m_writer;
    int m_error = 0;
};

}  // namespace telvorin::mapi

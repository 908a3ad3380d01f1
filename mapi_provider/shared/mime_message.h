// Building the RFC 5322 / MIME form of an outgoing mail with GMime.
#pragma once

#include "mapi_provider/shared/outgoing_mail.h"

namespace telvorin::mapi {

enum class LineEnds { crlf, lf };

// Writes `mail` as a complete MIME message to the file descriptor `fd`
// (which stays open), every line ended with `line_ends`. Attachment
// contents are streamed from their descriptors, not held in memory.
// Returns 0 on success, else the errno of the failing write or read
// (EIO when GMime gives no reason).
[[nodiscard]] int write_message(const OutgoingMail& mail, int fd, LineEnds line_ends);

}  // namespace telvorin::mapi

// Submitting a mail to an SMTP server (libcurl).
#pragma once

#include "outgoing_mail.h"
#include "provider_config.h"
#include "simple_mapi.h"

namespace telvorin::mapi {

// Submits `mail` to the profile's server over TLS (STARTTLS or implicit),
// checking the server's certificate; every recipient, Bcc included, goes
// into the envelope, the message carries no Bcc header. The message is
// streamed from a temporary file, so memory does not grow with the
// attachments. The password is the log-on password, else the first output
// line of PasswordCommand=, else Password=.
// Returns SUCCESS_SUCCESS; MAPI_E_LOGIN_FAILURE when the server refuses the
// log-in or no password can be had; MAPI_E_INVALID_RECIPS when there is no
// recipient or the server refuses one; MAPI_E_NOT_SUPPORTED when the message
// is too large for the server; else MAPI_E_FAILURE. Every failure writes
// one line on standard error naming the server and its answer.
ULONG deliver_by_smtp(const OutgoingMail& mail, const Profile& profile);

}  // namespace telvorin::mapi

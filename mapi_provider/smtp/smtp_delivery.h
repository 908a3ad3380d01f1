// Submitting a mail to an SMTP server (libcurl).
#pragma once

#include "mapi_provider/shared/outgoing_mail.h"
#include "mapi_provider/shared/profile.h"
#include "simple_mapi/simple_mapi.h"

namespace telvorin::mapi {

// Submits `mail` to the profile's server over TLS (STARTTLS or implicit),
// checking the server's certificate; every recipient, Bcc included, goes
// into the envelope, the message carries no Bcc header. The message is
// encoded while it is uploaded, so memory does not grow with the
// attachments. The password is smtp_password()'s. Each step may take as
// long as RFC 5321 allows it (5 minutes for the greeting and each command,
// 2 for the answer to DATA, 3 per block of data, 10 for the answer after
// the final dot; 30 seconds to connect). Addresses need SMTPUTF8 for a
// non-ASCII local part: without it such a recipient is refused before the
// mail is sent, and international domains go in their ASCII form.
// Returns SUCCESS_SUCCESS; MAPI_E_LOGIN_FAILURE when the server refuses the
// log-in or no password can be had; MAPI_E_INVALID_RECIPS when there is no
// recipient, one needs SMTPUTF8 that the server lacks, or the server refuses
// one for good (a 55x answer or an address status 5.1.x); MAPI_E_NOT_SUPPORTED
// when the message is too large for the server; else MAPI_E_FAILURE, also for
// every answer that refuses for now (4xx). Every failure writes one line on
// standard error naming the server and its answer.
ULONG deliver_by_smtp(const OutgoingMail& mail, const Profile& profile);

}  // namespace telvorin::mapi

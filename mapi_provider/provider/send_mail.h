// Checking a Simple MAPI message, turning it into a mail and delivering it.
#pragma once

#include "mapi_provider/shared/incoming_mail.h"
#include "mapi_provider/provider/provider_config.h"
#include "simple_mapi/simple_mapi.h"

#include <QString>

#include <map>
#include <vector>

namespace telvorin::mapi {

// Checks everything first (recipient classes, then recipients, then
// attachments) and delivers only when all checks pass. Returns the Simple
// MAPI result code: SUCCESS_SUCCESS, MAPI_E_BAD_RECIPTYPE,
// MAPI_E_UNKNOWN_RECIPIENT, MAPI_E_AMBIGUOUS_RECIPIENT, MAPI_E_INVALID_RECIPS,
// MAPI_E_ATTACHMENT_NOT_FOUND, MAPI_E_ATTACHMENT_OPEN_FAILURE or what the
// delivery reports. `dialog` is MAPI_DIALOG; what it shows, whether the
// delivery may go without it and whether it needs recipients is the
// profile's row in the table of deliveries. The send dialog appears where a
// display allows (MAPI_USER_ABORT when the user cancels); only with a dialog
// may names stay unresolved at first (a delivery with a window of its own
// refuses what stays unresolved).
// A recipient given by a name alone that is in `resolved` (as MAPIResolveName
// handed it back in this session, which is what the mailer sends) stands for
// that mailbox without a second look-up.
using ResolvedNames = std::map<QString, Mailbox>;
ULONG send_mail(const Profile& profile, const std::vector<AddressEntry>& address_book, const ResolvedNames& resolved,
                const IncomingMail& incoming, bool dialog);

}  // namespace telvorin::mapi

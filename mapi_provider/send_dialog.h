// The send dialog that MAPI_DIALOG asks for: the user sees the mail, may edit it, and sends or cancels.
#pragma once

#include "mapi_provider/incoming_mail.h"
#include "mapi_provider/outgoing_mail.h"
#include "mapi_provider/provider_config.h"
#include "simple_mapi/simple_mapi.h"

#include <functional>
#include <memory>

namespace telvorin::mapi {

// Whether MAPI_DIALOG shows the dialog before `profile` delivers: never for
// the composer (a window of its own) or with Dialog=never; with Dialog=auto
// when a real display can be used from this thread. Sets `show` and returns
// SUCCESS_SUCCESS, or MAPI_E_FAILURE with one line on standard error when
// Dialog=always finds no display. When the dialog is to have an application
// of its own, `display` holds the connection that found the X server: keep it
// until confirm_in_send_dialog() has returned, so that the server cannot
// reset in between for want of clients.
using DisplayHold = std::shared_ptr<void>;
ULONG send_dialog_wanted(const Profile& profile, bool& show, DisplayHold& display);

// Resolves one recipient the way a send without dialog does.
using RecipientResolver = std::function<ULONG(const IncomingRecipient&, OutgoingRecipient&)>;

// Shows `mail` (From, To, Cc, Bcc, Subject, body, the attachments' names and
// sizes) modally on the calling thread, with a QApplication of our own when
// the host has none. Send re-reads what the user changed into `mail`, with
// edited recipients resolved through `resolve`; a recipient or sender that
// does not resolve keeps the dialog open with the reason shown. Returns
// SUCCESS_SUCCESS on Send, MAPI_USER_ABORT on Cancel, Escape or closing;
// MAPI_E_FAILURE, with one line on standard error, when the dialog's module
// cannot be loaded or the display has gone since send_dialog_wanted().
ULONG confirm_in_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve);

// The dialog module's part of confirm_in_send_dialog(): the dialog itself,
// in a QApplication made for it when `own_application` is set.
ULONG show_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                       bool own_application);

// The dialog alone, in the QApplication that exists: true on Send, with
// `mail` changed as confirm_in_send_dialog() says; false on Cancel.
bool run_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve);

}  // namespace telvorin::mapi

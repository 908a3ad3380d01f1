// Whether and where the send dialog can appear, decided without Qt Widgets; the dialog itself is a module.
#pragma once

#include "mapi_provider/shared/module_entries.h"

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

// Shows `mail` (From, To, Cc, Bcc, Subject, body, the attachments' names and
// sizes) modally on the calling thread, with a QApplication of our own when
// the host has none. Send re-reads what the user changed into `mail`, with
// edited recipients resolved through `resolve`; a recipient or sender that
// does not resolve keeps the dialog open with the reason shown. Returns
// SUCCESS_SUCCESS on Send, MAPI_USER_ABORT on Cancel, Escape or closing;
// MAPI_E_FAILURE, with one line on standard error, when the dialog's module
// cannot be loaded or the display has gone since send_dialog_wanted().
ULONG confirm_in_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve);

}  // namespace telvorin::mapi

// The send dialog that MAPI_DIALOG asks for: the user sees the mail, may edit it, and sends or cancels.
#pragma once

#include "mapi_provider/shared/module_entries.h"

namespace telvorin::mapi {

// The dialog module's part of the provider's confirm_in_send_dialog(), whose
// contract it keeps: the dialog itself, in a QApplication made for it when
// `own_application` is set.
ULONG show_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                       bool own_application);

// The dialog alone, in the QApplication that exists: true on Send, with
// `mail` changed as confirm_in_send_dialog() says; false on Cancel.
bool run_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve);

}  // namespace telvorin::mapi

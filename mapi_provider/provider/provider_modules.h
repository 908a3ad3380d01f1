// The parts of the provider that only some sends need: modules of their own beside the provider, loaded on first use.
#pragma once

#include "mapi_provider/shared/module_entries.h"

namespace telvorin::mapi {

// The smtp module's deliver_by_smtp() and the dialog module's
// show_send_dialog(), found in the provider's own folder, never through the
// library search path. A module that is missing, is no module or lacks its
// entry gives one line on standard error that names it and the reason, and
// the result MAPI_E_FAILURE. A loaded module is never unloaded.
ULONG deliver_by_smtp_in_module(const OutgoingMail& mail, const Profile& profile);
ULONG show_send_dialog_in_module(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                                 bool own_application);

}  // namespace telvorin::mapi

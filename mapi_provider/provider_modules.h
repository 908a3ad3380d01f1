// The parts of the provider that only some sends need: modules of their own beside the provider, loaded on first use.
#pragma once

#include "mapi_provider/outgoing_mail.h"
#include "mapi_provider/provider_config.h"
#include "mapi_provider/send_dialog.h"
#include "simple_mapi/simple_mapi.h"
#include "mapi_provider/smtp_delivery.h"

namespace telvorin::mapi {

// What each module exports: one extern "C" function of this name and type.
// The smtp module links libcurl and its libraries; the dialog module, Qt Widgets.
inline constexpr char smtp_module_entry[] = "telvorin_mapi_deliver_by_smtp";
using SmtpModuleEntry = decltype(&deliver_by_smtp);
inline constexpr char dialog_module_entry[] = "telvorin_mapi_show_send_dialog";
using DialogModuleEntry = decltype(&show_send_dialog);

// deliver_by_smtp() and show_send_dialog() through their modules, found in
// the provider's own folder, never through the library search path. A module
// that is missing, is no module or lacks its entry gives one line on standard
// error that names it and the reason, and the result MAPI_E_FAILURE. A loaded
// module is never unloaded.
ULONG deliver_by_smtp_in_module(const OutgoingMail& mail, const Profile& profile);
ULONG show_send_dialog_in_module(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                                 bool own_application);

}  // namespace telvorin::mapi

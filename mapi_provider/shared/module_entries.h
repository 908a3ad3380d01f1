// What the provider and its modules agree on: each module's one entry, its name and its type.
#pragma once

#include "mapi_provider/shared/incoming_mail.h"
#include "mapi_provider/shared/outgoing_mail.h"
#include "mapi_provider/shared/profile.h"
#include "simple_mapi/simple_mapi.h"

#include <functional>

namespace telvorin::mapi {

// Resolves one recipient the way a send without dialog does.
using RecipientResolver = std::function<ULONG(const IncomingRecipient&, OutgoingRecipient&)>;

// Each module exports one extern "C" function of this name and type. The
// provider and its modules are built together, so C++ types may cross.
// The smtp module links libcurl and its libraries; the dialog module, Qt Widgets.
inline constexpr char smtp_module_entry[] = "telvorin_mapi_deliver_by_smtp";
using SmtpModuleEntry = ULONG (*)(const OutgoingMail& mail, const Profile& profile);
inline constexpr char dialog_module_entry[] = "telvorin_mapi_show_send_dialog";
using DialogModuleEntry = ULONG (*)(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                                    bool own_application);

}  // namespace telvorin::mapi

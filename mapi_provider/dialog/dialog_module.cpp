// The entry of the send dialog's module, which the provider loads only for a dialog it really shows.
#include "mapi_provider/dialog/send_dialog.h"
#include "mapi_provider/shared/module_entries.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) ULONG telvorin_mapi_show_send_dialog(
    telvorin::mapi::OutgoingMail& mail, bool recipients_required, const telvorin::mapi::RecipientResolver& resolve,
    bool own_application)
{
    return telvorin::mapi::show_send_dialog(mail, recipients_required, resolve, own_application);
}
static_assert(std::is_same_v<decltype(&telvorin_mapi_show_send_dialog), telvorin::mapi::DialogModuleEntry>);

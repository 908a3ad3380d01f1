// Loading the provider's modules from the provider's own folder.
#include "mapi_provider/provider/provider_modules.h"

#include "platform/own_binary.h"

namespace telvorin::mapi {

namespace {

// From the provider's own folder, whichever folder the tool that loaded it lies in.
template <typename Entry>
Entry entry_of(const char* file_name, const char* entry)
{
    return reinterpret_cast<Entry>(
        platform::load_entry_beside_us(QString::fromUtf8(file_name), entry, QStringLiteral("Modul")));
}

}  // namespace

ULONG deliver_by_smtp_in_module(const OutgoingMail& mail, const Profile& profile)
{
    const auto deliver = entry_of<SmtpModuleEntry>(TELVORIN_SMTP_MODULE, smtp_module_entry);
    return deliver != nullptr ? deliver(mail, profile) : MAPI_E_FAILURE;
}

ULONG show_send_dialog_in_module(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                                 bool own_application)
{
    const auto show = entry_of<DialogModuleEntry>(TELVORIN_DIALOG_MODULE, dialog_module_entry);
    return show != nullptr ? show(mail, recipients_required, resolve, own_application) : MAPI_E_FAILURE;
}

}  // namespace telvorin::mapi

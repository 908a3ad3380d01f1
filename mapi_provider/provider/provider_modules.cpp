// Loading the provider's modules from the provider's own folder.
#include "mapi_provider/provider/provider_modules.h"

#include "platform/dynamic_library.h"

#include "boundary/outside_text.h"

#include <dlfcn.h>

namespace telvorin::mapi {

namespace {

// The folder the provider was loaded from, with a trailing "/". dladdr names
// the file as it was opened, which the loader keeps as a full path whenever
// it searched for it.
QByteArray provider_folder()
{
    Dl_info info {};
    if (::dladdr(reinterpret_cast<void*>(&provider_folder), &info) == 0 || info.dli_fname == nullptr)
        return QByteArray();
    const QByteArray path(info.dli_fname);
    return path.left(path.lastIndexOf('/') + 1);
}

template <typename Entry>
Entry entry_of(const char* file_name, const char* entry)
{
    const QByteArray path = provider_folder() + file_name;
    const platform::LibraryHandle module = platform::load_library(path.constData());
    void* address = module != nullptr ? platform::resolve_function(module, entry) : nullptr;
    // The loader's text names the file, and the symbol when that is what is missing.
    if (address == nullptr)
        boundary::write_error_line(QStringLiteral("Modul nicht ladbar: %1")
                                       .arg(QString::fromLocal8Bit(platform::last_load_error().c_str())));
    return reinterpret_cast<Entry>(address);
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

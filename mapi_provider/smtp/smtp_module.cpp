// The entry of the smtp delivery's module, which the provider loads for Delivery=smtp only.
#include "mapi_provider/shared/module_entries.h"
#include "mapi_provider/smtp/smtp_delivery.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) ULONG telvorin_mapi_deliver_by_smtp(
    const telvorin::mapi::OutgoingMail& mail, const telvorin::mapi::Profile& profile)
{
    return telvorin::mapi::deliver_by_smtp(mail, profile);
}
static_assert(std::is_same_v<decltype(&telvorin_mapi_deliver_by_smtp), telvorin::mapi::SmtpModuleEntry>);

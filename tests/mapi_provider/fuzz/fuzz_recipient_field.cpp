// libFuzzer: every mailbox in a recipient field, shown again, reads back as that same mailbox alone.
#include "mapi_provider/addresses.h"
#include "mapi_provider/recipient_field.h"

using namespace telvorin::mapi;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    for (const QString& entry : entries_of(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)))) {
        const std::optional<Mailbox> mailbox = parse_mailbox(entry);
        const QStringList shown = mailbox ? entries_of(shown_mailbox(*mailbox)) : QStringList();
        const std::optional<Mailbox> back = shown.size() == 1 ? parse_mailbox(shown.first()) : std::nullopt;
        if (mailbox && (!back || back->address != mailbox->address || back->name != mailbox->name))
            __builtin_trap();
    }
    return 0;
}

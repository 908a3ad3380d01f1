// libFuzzer: every mailbox in a recipient field, shown again, reads back as that same mailbox alone.
#include "addresses.h"
#include "recipient_field.h"

#include <cstdint>
#include <cstdlib>

using namespace telvorin::mapi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString field = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const QString& entry : entries_of(field)) {
        const std::optional<Mailbox> mailbox = parse_mailbox(entry);
        if (!mailbox)
            continue;
        const QStringList shown = entries_of(shown_mailbox(*mailbox));
        const std::optional<Mailbox> back = shown.size() == 1 ? parse_mailbox(shown.first()) : std::nullopt;
        if (!back || back->address != mailbox->address || back->name != mailbox->name)
            std::abort();
    }
    return 0;
}

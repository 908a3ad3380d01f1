// Any text as a recipient field: its mailboxes, shown in one field as the send dialog does, read back alike, in order.
#include "fuzz/fuzz_common.h"
#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/dialog/recipient_field.h"
#include <vector>

using namespace telvorin::mapi;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    std::vector<Mailbox> mailboxes;
    QStringList shown;
    for (const QString& entry : entries_of(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size))))
        if (const std::optional<Mailbox> mailbox = parse_mailbox(entry)) {
            mailboxes.push_back(*mailbox);
            shown << shown_mailbox(*mailbox);
        }
    const QStringList back = entries_of(shown.join(QStringLiteral("; ")));
    require(back.size() == int(mailboxes.size()));
    for (std::size_t i = 0; i < mailboxes.size(); ++i) {
        const std::optional<Mailbox> again = parse_mailbox(back[int(i)]);
        require(again && again->address == mailboxes[i].address && again->name == mailboxes[i].name);
    }
    return 0;
}

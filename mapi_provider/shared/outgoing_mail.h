// A mail that has passed every check and is ready to be delivered.
#pragma once

#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/shared/provider_text.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace telvorin::mapi {

enum class RecipientKind { to, cc, bcc };

struct OutgoingRecipient {
    RecipientKind kind = RecipientKind::to;
    Mailbox mailbox;        // address empty: unresolved, left for the composer to refuse by name
    QString as_written;     // the name as the caller wrote it, for messages
};

struct OutgoingAttachment {
    int fd = -1;            // open for reading, positioned at the start; owned by the caller
    QByteArray path;        // absolute path on this system
    QString name;           // the name the recipient sees
};

struct OutgoingMail {
    Mailbox from;
    std::vector<OutgoingRecipient> recipients;
    QString subject;
    TextBytes body;         // UTF-8, line ends already "\n"; never null
    std::vector<OutgoingAttachment> attachments;
};

}  // namespace telvorin::mapi

// A mail that has passed every check and is ready to be delivered.
#pragma once

#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/shared/provider_text.h"

#include "boundary/unique_fd.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace telvorin::mapi {

enum class RecipientKind { to, cc, bcc };

struct OutgoingRecipient {
    RecipientKind kind = RecipientKind::to;
    Mailbox mailbox;        // address empty: unresolved, left for the composer to refuse by name
    QString as_written;     // the name as the caller wrote it, for messages
};

struct OutgoingAttachment {
    // Open for reading, positioned at the start. Every copy of the mail
    // shares it; it is closed when the last copy goes.
    std::shared_ptr<const boundary::UniqueFd> file;
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

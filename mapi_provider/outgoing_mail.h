// A mail that has passed every check and is ready to be delivered.
#pragma once

#include "addresses.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace telvorin::mapi {

enum class RecipientKind { to, cc, bcc };

struct OutgoingRecipient {
    RecipientKind kind = RecipientKind::to;
    Mailbox mailbox;        // address empty: unresolved, only the composer takes it
    QString as_written;     // the name as the caller wrote it
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
    QString body;           // line ends already "\n"
    std::vector<OutgoingAttachment> attachments;
};

}  // namespace telvorin::mapi

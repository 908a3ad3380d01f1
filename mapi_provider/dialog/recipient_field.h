// Recipients as one line of text that a person edits: "Name <address>; other@example.com".
#pragma once

#include "mapi_provider/shared/addresses.h"

#include <QString>
#include <QStringList>

namespace telvorin::mapi {

// `mailbox` as an entry that entries_of() and parse_mailbox() read back as
// the same mailbox: names with list or quoting characters are quoted.
QString shown_mailbox(const Mailbox& mailbox);

// The entries of a recipient field: split at ";" outside double quotes,
// trimmed, empty ones left out. Linear in the length of `field`.
QStringList entries_of(const QString& field);

}  // namespace telvorin::mapi

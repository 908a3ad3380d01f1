// The three ways a mail leaves the provider: outbox, mail composer, sendmail.
#pragma once

#include "mapi_provider/shared/outgoing_mail.h"
#include "simple_mapi/simple_mapi.h"

#include <QString>
#include <QStringList>

namespace telvorin::mapi {

// Writes the mail as a new .eml file into `directory` (created when
// missing): first a temporary file, then an atomic rename to a name that no
// file has yet; neither ever follows a link. Returns SUCCESS_SUCCESS,
// MAPI_E_DISK_FULL when the disk or quota is full, else MAPI_E_FAILURE; a
// failed attempt leaves nothing behind, and temporary files that killed
// deliveries left are removed.
ULONG deliver_to_outbox(const OutgoingMail& mail, const QString& directory);

// Runs `command` with "-t -oi" added and the message on standard input.
// Returns SUCCESS_SUCCESS when the command exits with 0, MAPI_E_FAILURE when
// it cannot be started, fails, or has not finished after ten minutes.
ULONG deliver_to_sendmail(const OutgoingMail& mail, const QStringList& command);

// Hands the mail to an interactive composer the way xdg-email takes it
// (--utf8, --cc, --bcc, --subject, --body, --attach, then a mailto: URI
// with the To addresses) and waits for it. Returns SUCCESS_SUCCESS when the
// command exits with 0; MAPI_E_INVALID_RECIPS for a recipient that is no
// plain address and MAPI_E_TEXT_TOO_LARGE for a body beyond one command-line
// argument, each with one line on standard error; else MAPI_E_FAILURE.
ULONG deliver_to_composer(const OutgoingMail& mail, const QStringList& command);

}  // namespace telvorin::mapi

// The ways a mail leaves the provider, one row of the table each, and the deliveries the provider makes itself.
#pragma once

#include "mapi_provider/shared/outgoing_mail.h"
#include "mapi_provider/shared/profile.h"
#include "simple_mapi/simple_mapi.h"

#include <QStringList>

#include <vector>

namespace telvorin::mapi {

// How a key's value is read. path (a folder or a file): "~" and a relative
// path are taken from the home folder and the configuration's folder, an
// empty value keeps the default. command: split like a command line, a
// relative program taken from the configuration's folder, an empty value
// keeps the default. server: scheme://host:port with smtp or smtps, an empty
// value clears it. text: as written.
enum class KeyKind { path, command, server, text };

struct DeliveryKey {
    const char* name;          // as the file spells it, in any letter case
    KeyKind kind;
    QStringList (*fallback)();  // the value without the key; null: none
    bool required;             // a profile of this delivery without it is refused
};

// Whether a mail without recipients can go.
enum class Recipients {
    optional,  // it may be addressed later, by whoever opens it
    required,  // the send dialog insists on one; the delivery refuses a mail without in its own words
    checked_first,  // as required, and refused before anything else is looked at
};

// How MAPILogon treats a password.
enum class PasswordUse {
    compared,    // a non-empty one must equal Password=; empty is what callers without a password dialog send
    for_server,  // not checked here: the log-on's, else PasswordCommand's, else Password= goes to the server
};

// What MAPI_DIALOG shows before the delivery.
enum class DialogUse {
    send_dialog,  // the send dialog, where Dialog= and the display allow it
    own_window,   // nothing: the delivery is a window of its own, which may also put unresolved names right
};

struct Delivery {
    const char* name;  // Delivery= in any letter case
    std::vector<DeliveryKey> keys;
    Recipients recipients;
    bool without_dialog;  // may send when the caller does not ask for MAPI_DIALOG
    PasswordUse password;
    DialogUse dialog;
    // Delivers a mail that passed every check. Returns SUCCESS_SUCCESS or a
    // Simple MAPI error code.
    ULONG (*deliver)(const OutgoingMail& mail, const Profile& profile);
};

// Every delivery; the first is the one a profile gets without Delivery=.
const std::vector<Delivery>& deliveries();

// Writes the mail as a new .eml file into Outbox= (created when missing):
// first a temporary file, then an atomic rename to a name that no file has
// yet; neither ever follows a link. Returns SUCCESS_SUCCESS,
// MAPI_E_DISK_FULL when the disk or quota is full, else MAPI_E_FAILURE; a
// failed attempt leaves nothing behind, and temporary files that killed
// deliveries left are removed.
ULONG deliver_to_outbox(const OutgoingMail& mail, const Profile& profile);

// Runs Sendmail= with "-t -oi" added and the message on standard input.
// Returns SUCCESS_SUCCESS when the command exits with 0, MAPI_E_FAILURE when
// it cannot be started, fails, or has not finished after ten minutes.
ULONG deliver_to_sendmail(const OutgoingMail& mail, const Profile& profile);

// Hands the mail to the interactive composer Composer= the way xdg-email
// takes it (--utf8, --cc, --bcc, --subject, --body, --attach, then a mailto:
// URI with the To addresses) and waits for it. Returns SUCCESS_SUCCESS when
// the command exits with 0; MAPI_E_INVALID_RECIPS for a recipient that is no
// plain address and MAPI_E_TEXT_TOO_LARGE for a body beyond one command-line
// argument, each with one line on standard error; else MAPI_E_FAILURE.
ULONG deliver_to_composer(const OutgoingMail& mail, const Profile& profile);

}  // namespace telvorin::mapi

// Names and English texts of Simple MAPI result codes.
#include "mail/mapi_fehler.h"

#include <QObject>

#include <array>

namespace {

const std::array<const char*, mapi_funktionen_anzahl> funktionen = {
    "MAPILogon",    "MAPILogoff",     "MAPISendMail", "MAPISendMailW", "MAPISendDocuments",
    "MAPIFindNext", "MAPIReadMail",   "MAPISaveMail", "MAPIDeleteMail", "MAPIFreeBuffer",
    "MAPIAddress",  "MAPIDetails",    "MAPIResolveName",
};

// Indexed by code 0..26. nullptr marks a code without a name; 19 is built
// from the load state instead.
const std::array<const char*, 27> namen = {
    "NO_ERROR",
    "USER_ABORT",
    "FAILURE",
    "LOGON_FAILURE ",  // the trailing blank is part of the name callers see
    "DISK_FULL",
    "INSUFFICIENT_MEMORY",
    "ACCESS_DENIED",
    nullptr,
    "TOO_MANY_SESSIONS",
    "TOO_MANY_FILES",
    "TOO_MANY_RECIPIENTS",
    "ATTACHMENT_NOT_FOUND",
    "ATTACHMENT_OPEN_FAILURE",
    "ATTACHMENT_WRITE_FAILURE",
    "UNKNOWN_RECIPIENT",
    "BAD_RECIPTYPE",
    "NO_MESSAGES",
    "INVALID_MESSAGE",
    "TEXT_TOO_LARGE",
    "INVALID_SESSION",
    "TYPE_NOT_SUPPORTED",
    "AMBIGUOUS_RECIPIENT",
    "MESSAGE_IN_USE",
    "NETWORK_FAILURE",
    "INVALID_EDITFIELDS",
    "INVALID_RECIPS",
    "NOT_SUPPORTED",
};

// Marked for translation here; the mailer translates them when it uses them.
const std::array<const char*, 27> sendetexte = {
    nullptr,
    QT_TR_NOOP("The user canceled one of the dialog boxes. No message was sent."),
    QT_TR_NOOP("One or more unspecified errors occurred. No message was sent."),
    QT_TR_NOOP("There was no default logon, and the user failed to log on successfully when the logon "
               "dialog box was displayed. No message was sent."),
    nullptr,
    QT_TR_NOOP("There was insufficient memory to proceed. No message was sent."),
    nullptr,
    nullptr,
    nullptr,
    QT_TR_NOOP("There were too many file attachments. No message was sent."),
    QT_TR_NOOP("There were too many recipients. No message was sent."),
    QT_TR_NOOP("The specified attachment was not found. No message was sent."),
    QT_TR_NOOP("The specified attachment could not be opened. No message was sent."),
    nullptr,
    QT_TR_NOOP("A recipient did not appear in the address list. No message was sent."),
    QT_TR_NOOP("The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC. No message was sent."),
    nullptr,
    nullptr,
    QT_TR_NOOP("The text in the message was too large. No message was sent."),
    nullptr,
    nullptr,
    QT_TR_NOOP("A recipient matched more than one of the recipient descriptor structures and MAPI_DIALOG "
               "was not set. No message was sent."),
    nullptr,
    nullptr,
    nullptr,
    QT_TR_NOOP("One or more recipients were invalid or did not resolve to any address."),
    nullptr,
};

constexpr quint32 ungueltige_sitzung = 19;

}  // namespace

const char* mapi_funktionsname(int ladeschritt)
{
    if (ladeschritt < 1 || ladeschritt > mapi_funktionen_anzahl)
        return nullptr;
    return funktionen[static_cast<std::size_t>(ladeschritt - 1)];
}

QString fehlername(quint32 code, quint32 ladestatus, int ladeschritt)
{
    if (code == ungueltige_sitzung) {
        if (ladestatus == bibliothek_fehlt)
            return QStringLiteral("INVALID_SESSION: unable to load 'MAPI32.DLL'");
        if (ladestatus == funktion_fehlt) {
            const char* name = mapi_funktionsname(ladeschritt);
            return QStringLiteral("INVALID_SESSION: unable to get '%1'")
                .arg(QLatin1String(name != nullptr ? name : ""));
        }
    }
    if (code < namen.size() && namen[code] != nullptr)
        return QLatin1String(namen[code]);
    return QStringLiteral("Errorcode:%1").arg(code);
}

const char* sende_fehlertext(quint32 code)
{
    return code < sendetexte.size() ? sendetexte[code] : nullptr;
}

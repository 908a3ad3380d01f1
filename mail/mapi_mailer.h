// CMapiMailer: sends one mail through Simple MAPI, loaded at run time.
#pragma once

#include "mail/mail_daten.h"

#include <QString>
#include <QtGlobal>

// The Simple MAPI library, its functions, the session and the last result
// code exist once per process and are shared by every mailer; creating a
// mailer resets them and loads the library again. A loaded library is never
// unloaded. Every call blocks until Simple MAPI returns (the send shows
// Simple MAPI's own dialog) and belongs on the main thread.
class CMapiMailer {
public:
    // Loads the library and resolves its functions. When that fails,
    // fehlercode() is 19 and every other call returns false.
    CMapiMailer();

    CMapiMailer(const CMapiMailer&) = delete;
    CMapiMailer& operator=(const CMapiMailer&) = delete;

    // The last Simple MAPI result code; non-zero means an error is pending.
    // A user abort leaves none.
    quint32 fehlercode() const;

    // Empty when no code is pending, else "<meldung> (<fehlername>)". The
    // text also goes to the debug output as "Mail-Error: <text>".
    QString fehlertext() const;

    // The name of `code`, with the load failure spelled out for code 19.
    QString fehlername(quint32 code) const;

    // Opens a new session; an empty profile lets Simple MAPI ask the user.
    // Logs off a session that is still open first.
    bool logon(const QString& profil, const QString& passwort);

    // Sends `mail` through Simple MAPI's send dialog. Recipients are resolved
    // one by one first; one written as "<address>" is passed as it stands.
    bool sende_mail(const MailDaten& mail);

    // Closes the session; false when there is none.
    bool logoff();

private:
    quint32 lade_mapi();
    bool bereit() const;
    QString empfaenger_text(const QString& eintrag);

    QString m_meldung;
    quint32 m_ladestatus = 0;
};

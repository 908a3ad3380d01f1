// The mail job: send the mail of an interface file through Simple MAPI.
#include "mail/mail_job.h"

#include "mail/interfacedatei.h"
#include "ausgabe/konsole.h"
#include "mail/mapi_mailer.h"
#include "platform/mail_client.h"

#include <QDebug>
#include <QObject>
#include <QString>

#include <memory>

namespace {

void melde_fehler(const CMapiMailer& mailer)
{
    ausgabe_fehler(QObject::tr("Fehler beim Mailinterface !"));
    const QString text = mailer.fehlertext();
    if (!text.isEmpty())
        qDebug().noquote() << QStringLiteral("Mail-Error: %1").arg(text);
    // Across a difference in bit width MAPI32.DLL cannot reach the client, whatever code it answers with; the
    // build that would work is the one thing the user can change.
    const telvorin::platform::MailClientLibrary andere = telvorin::platform::mail_client_library_of_other_width();
    if (andere.bit_width != 0)
        qDebug().noquote() << QStringLiteral("Mail-Hinweis: Das Standard-Mailprogramm '%1' hat eine %2bit Simple-MAPI-"
                                             "Bibliothek (%3); mit ihm arbeitet nur der %2bit-Build von Telvorin")
                                  .arg(andere.client, QString::number(andere.bit_width), andere.path);
    ausgabe_fehler(text);
}

}  // namespace

int sende_interface_mail(const QString& pfad)
{
    Interfacedatei datei;
    if (!lies_interfacedatei(pfad, datei))
        return -1;
    liste_interfacedatei(pfad, datei);

    // The mailer and its session outlive the job: after an error it stays
    // logged on, and the process ends right after. Holding it here frees it
    // at exit instead of leaking it.
    static std::unique_ptr<CMapiMailer> mailer;
    mailer = std::make_unique<CMapiMailer>();
    if (mailer->fehlercode() != 0) {
        melde_fehler(*mailer);
        return -1;
    }

    // The password is always empty: line 2 of the file is not meant for it.
    if (!mailer->logon(datei.profil, QString())) {
        if (mailer->fehlercode() != 0) {
            melde_fehler(*mailer);
            return -1;
        }
        return 0;
    }

    if (mailer->sende_mail(datei.mail)) {
        ausgabe_info(QObject::tr("Email gesendet: %1").arg(datei.mail.info));
        mailer->logoff();
        return 0;
    }
    if (mailer->fehlercode() != 0) {
        melde_fehler(*mailer);
        return -1;
    }
    mailer->logoff();
    return 0;
}

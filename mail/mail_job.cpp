// The mail job.
#include "mail_job.h"

#include "konsole.h"

#include <QObject>
#include <QString>

int sende_interface_mail(const QString& pfad)
{
    ausgabe_fehler(QObject::tr("Konnte Interfacedatei '%1' nicht oeffnen.").arg(pfad));
    return -1;
}

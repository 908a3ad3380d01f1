// Beliebige Bytes als Interfacedatei: nichts darf abstuerzen, und jede Liste
// bleibt bei hoechstens so vielen Eintraegen, wie die Datei Zeilen hat, plus
// den wenigen, die fuer eine zu frueh endende Datei aufgefuellt werden.
#include "interfacedatei.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static QTemporaryDir ordner;
    const QString pfad = ordner.path() + QStringLiteral("/mail.txt");
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
    datei.close();

    Interfacedatei gelesen;
    if (!lies_interfacedatei(pfad, gelesen))
        std::abort();
    const qsizetype zeilen = static_cast<qsizetype>(groesse) + 1;
    for (const QStringList* liste : {&gelesen.mail.to, &gelesen.mail.cc, &gelesen.mail.bcc, &gelesen.mail.atta,
                                     &gelesen.mail.attt}) {
        if (liste->size() > zeilen + fehlende_eintraege_hoechstens)
            std::abort();
    }
    for (const QString& pfad_der_anlage : gelesen.mail.atta) {
        if (pfad_der_anlage.contains(QLatin1Char('/')))
            std::abort();
    }
    if (!gelesen.mail.body.isEmpty() && !gelesen.mail.body.endsWith(QLatin1String("\r\n")))
        std::abort();
    return 0;
}

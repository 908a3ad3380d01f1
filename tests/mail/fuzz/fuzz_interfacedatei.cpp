// Beliebige Bytes als Interfacedatei: nichts stuerzt ab, keine Liste waechst ueber
// die Zeilen der Datei plus die aufgefuellten hinaus, Pfade tragen nur "\".
#include "mail/interfacedatei.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, size_t groesse)
{
    static QTemporaryDir ordner;
    QFile datei(ordner.filePath(QStringLiteral("mail.txt")));
    Interfacedatei gelesen;
    if (!datei.open(QIODevice::WriteOnly) || datei.write(reinterpret_cast<const char*>(daten), qint64(groesse)) < 0
        || (datei.close(), !lies_interfacedatei(datei.fileName(), gelesen)))
        std::abort();
    const MailDaten& m = gelesen.mail;
    for (const QStringList& liste : {m.to, m.cc, m.bcc, m.atta, m.attt})
        if (liste.size() > int(groesse) + 1 + fehlende_eintraege_hoechstens)
            std::abort();
    if (gelesen.atta_text.contains(QLatin1Char('/')) || !(m.body.isEmpty() || m.body.endsWith("\r\n")))
        std::abort();
    return 0;
}

// Any bytes as an interface file: it reads, lists stay bounded, attachment paths use "\" only, the body is whole lines.
#include "mail/interfacedatei.h"
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, size_t groesse)
{
    const auto verlange = [](bool bedingung) { if (!bedingung) std::abort(); };
    static QTemporaryDir ordner;
    QFile datei(ordner.filePath(QStringLiteral("mail.txt")));
    Interfacedatei gelesen;
    verlange(datei.open(QIODevice::WriteOnly));
    verlange(datei.write(reinterpret_cast<const char*>(daten), qint64(groesse)) >= 0);
    datei.close();
    verlange(lies_interfacedatei(datei.fileName(), gelesen));
    const MailDaten& m = gelesen.mail;
    // Every byte could end a line; 1024 is the promised cap on entries the file does not have.
    for (const QStringList& liste : {m.to, m.cc, m.bcc, m.atta, m.attt})
        verlange(liste.size() <= int(groesse) + 1 + 1024);
    for (const QString& pfad : m.atta)
        verlange(!pfad.contains(QLatin1Char('/')));
    verlange(m.body.isEmpty() || m.body.endsWith(QLatin1String("\r\n")));
    return 0;
}

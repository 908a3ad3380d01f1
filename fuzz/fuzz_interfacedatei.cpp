// Any bytes as an interface file: read without a crash, no list grows past the file's lines plus the entries
// filled in after its end, attachment paths carry "\" only, and the body is whole lines.
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
    // Every byte could end a line; 1024 is the promised cap on entries the file does not have.
    for (const QStringList& liste : {m.to, m.cc, m.bcc, m.atta, m.attt})
        if (liste.size() > int(groesse) + 1 + 1024)
            std::abort();
    for (const QString& pfad : m.atta)
        if (pfad.contains(QLatin1Char('/')))
            std::abort();
    if (!(m.body.isEmpty() || m.body.endsWith(QLatin1String("\r\n"))))
        std::abort();
    return 0;
}

// Any bytes as an interface file: it reads, lists stay bounded, attachment paths use "\" only, the body is whole lines.
#include "fuzz/fuzz_common.h"
#include "mail/interfacedatei.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, size_t groesse)
{
    Interfacedatei gelesen;
    require(lies_interfacedatei(written(QStringLiteral("mail.txt"), daten, groesse), gelesen));
    const MailDaten& m = gelesen.mail;
    // Every byte could end a line; 1024 is the promised cap on entries the file does not have.
    for (const QStringList& liste : {m.to, m.cc, m.bcc, m.atta, m.attt})
        require(liste.size() <= int(groesse) + 1 + 1024);
    for (const QString& pfad : m.atta)
        require(!pfad.contains(QLatin1Char('/')));
    require(m.body.isEmpty() || m.body.endsWith(QLatin1String("\r\n")));
    return 0;
}

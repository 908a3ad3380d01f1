// The interface file reader and the names of Simple MAPI result codes.
#include "mail/interfacedatei.h"
#include "mail/mapi_fehler.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <gtest/gtest.h>
namespace {
// Reads `inhalt` as an interface file; the stream decodes as the locale does, so the locale's code page is pinned.
Interfacedatei lies(const QByteArray& inhalt, const char* codepage = "UTF-8")
{
    QTemporaryDir verzeichnis;
    QFile datei(verzeichnis.filePath(QStringLiteral("if.txt")));
    EXPECT_TRUE(datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size());
    datei.close();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codepage));
    Interfacedatei gelesen;
    EXPECT_TRUE(lies_interfacedatei(datei.fileName(), gelesen));
    QTextCodec::setCodecForLocale(nullptr);
    return gelesen;
}
TEST(Interfacedatei, LiestJedesFeldAnSeinerStelle)
{
    const struct { const char* name; QByteArray datei; QString erwartet; const char* codepage = "UTF-8"; } faelle[] = {
        {"EmptyFile", "", "|||||||"},
        {"AllFieldsWithCrLf", "p\r\npw\r\ns\r\n1\r\nx\r\n1\r\nc\r\n1\r\nb\r\n1\r\nd:/a/b\r\n1\r\nt/1\r\nz\r\n",
         "p|s|x;|c;|b;|d:\\a\\b;|t/1;|z\r\n"},
        {"MissingLinesAreEmptyEntries", "p\n\ns\n3\nx\n", "p|s|x;;;|||||"},
        {"NonNumbersAndCountsFrom2To31AreNoCount", "p\n\ns\nzwei\n-1\n2147483648\n1\nc\n", "p|s||||c;||"},
        {"EmptyBodyLinesAndNoLastLineEnd", "p\n\ns\n0\n0\n0\n0\n0\n\na\n\nb", "p|s||||||\r\na\r\n\r\nb\r\n"},
        {"ValidUtf8KeepsTheLocalesDecoding", "\xe2\x82\xac", "\u00e2\u201a\u00ac|||||||", "windows-1252"},
        // A byte-order mark wins over the Latin-1 fallback.
        {"Utf16WithByteOrderMark", QByteArray("\xff\xfeM\0\xfc\0", 6), "M\u00fc|||||||"},
        // Only the first 2048 bytes decide, and a sequence cut by their end is no invalid one.
        {"Utf8CutAtByte2048", QByteArray(2047, 'P') + "\xc3\xbc", QString(2047, 'P') + "\u00fc|||||||"},
        {"InvalidLastByteOfTheTestedRange", QByteArray(2047, 'P') + "\xfc", QString(2047, 'P') + "\u00fc|||||||"},
        {"InvalidBytePastTheTestedRange", QByteArray(2048, 'P') + "\xfc", QString(2048, 'P') + "\ufffd|||||||"},
    };
    for (const auto& f : faelle) {
        const Interfacedatei d = lies(f.datei, f.codepage);
        // Each list as the console shows it, so an empty list ("") and one empty entry (";") differ.
        const QStringList felder{d.profil, d.mail.info, d.to_text, d.cc_text, d.bcc_text, d.atta_text, d.attt_text,
                                 d.mail.body};
        EXPECT_EQ(felder.join(QLatin1Char('|')).toStdString(), f.erwartet.toStdString()) << f.name;
    }
}
TEST(Interfacedatei, FehlendeEintraegeSindBegrenztVorhandeneNicht)
{
    const int grenze = 1024;  // the documented bound
    const struct { int anzahl, vorhanden, erwartet; } faelle[] = {
        {grenze, 0, grenze}, {grenze + 1, 0, grenze}, {2147483647, 3000, 3000 + grenze}};
    for (const auto& f : faelle)
        EXPECT_EQ(lies("p\n\ns\n" + QByteArray::number(f.anzahl) + "\n" + QByteArray("r\n").repeated(f.vorhanden))
                      .mail.to.size(), f.erwartet) << "count " << f.anzahl << ", lines " << f.vorhanden;
}
TEST(Fehlername, TabellengrenzenUndLadefehler)
{
    const struct { quint32 code, ladestatus; int ladeschritt; const char* erwartet; } faelle[] = {
        {19, 0, 13, "INVALID_SESSION"}, {27, 0, 13, "Errorcode:27"}, {18, funktion_fehlt, 5, "TEXT_TOO_LARGE"},
        {19, funktion_fehlt, 13, "INVALID_SESSION: unable to get 'MAPIResolveName'"}};
    for (const auto& f : faelle)
        EXPECT_EQ(fehlername(f.code, f.ladestatus, f.ladeschritt).toStdString(), f.erwartet)
            << "code " << f.code << ", ladestatus " << f.ladestatus << ", ladeschritt " << f.ladeschritt;
}
}  // namespace

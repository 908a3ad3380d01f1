// The interface file reader, its file class, and the names of Simple MAPI result codes.
#include "cqiodatei.h"
#include "interfacedatei.h"
#include "mapi_fehler.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

// The stream's default decoding is the locale's, so every test pins it.
class Interfacedateien : public ::testing::Test {
protected:
    void SetUp() override { QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8")); }
    void TearDown() override { QTextCodec::setCodecForLocale(nullptr); }

    QString schreibe(const QByteArray& inhalt)
    {
        const QString pfad = m_verzeichnis.filePath(QStringLiteral("if.txt"));
        QFile datei(pfad);
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(inhalt);
        return pfad;
    }

    Interfacedatei lies(const QByteArray& inhalt)
    {
        Interfacedatei datei;
        EXPECT_TRUE(lies_interfacedatei(schreibe(inhalt), datei));
        return datei;
    }

    QTemporaryDir m_verzeichnis;
};

// Each list as the console shows it, so an empty list ("") and one empty entry (";") differ.
std::string felder(const Interfacedatei& d)
{
    return QStringList{d.profil, d.mail.info, d.to_text, d.cc_text, d.bcc_text, d.atta_text, d.attt_text, d.mail.body}
        .join(QLatin1Char('|'))
        .toStdString();
}

TEST_F(Interfacedateien, ReadsEveryFieldInPlace)
{
    const struct {
        const char* name;
        QByteArray datei;
        QString erwartet;
        const char* gebietsschema = "UTF-8";
    } faelle[] = {
        {"EmptyFile", "", "|||||||"},
        {"AllFieldsWithCrLf",
         "prof\r\npass\r\nsubj\r\n2\r\nx\r\ny\r\n1\r\nc\r\n1\r\nb\r\n1\r\nd:/a/b.txt\r\n1\r\nt/1\r\nz1\r\nz2\r\n",
         "prof|subj|x;y;|c;|b;|d:\\a\\b.txt;|t/1;|z1\r\nz2\r\n"},
        {"MissingLinesAreEmptyEntries", "p\n\ns\n3\nx\n", "p|s|x;;;|||||"},
        {"NonNumbersAndCountsFrom2To31AreNoCount", "p\n\ns\nzwei\n-1\n2147483648\n1\nc\n", "p|s||||c;||"},
        {"BlanksAreKeptAndAllowedAroundACount", " p \n\n s \n 1 \n x \n", " p | s | x ;|||||"},
        {"EmptyBodyLinesAndNoLastLineEnd", "p\n\ns\n0\n0\n0\n0\n0\n\na\n\nb", "p|s||||||\r\na\r\n\r\nb\r\n"},
        {"Utf8", "M\xc3\xbcller \xe2\x82\xac", "M\u00fcller \u20ac|||||||"},
        {"ValidUtf8KeepsTheLocalesDecoding", "\xe2\x82\xac", "\u00e2\u201a\u00ac|||||||", "windows-1252"},
        {"Latin1", "M\xfcller \xe4\xf6\xdf", "M\u00fcller \u00e4\u00f6\u00df|||||||"},
        // A byte-order mark wins over the Latin-1 fallback.
        {"Utf8WithByteOrderMark", "\xef\xbb\xbfM\xc3\xbc", "M\u00fc|||||||"},
        {"Utf16WithByteOrderMark", QByteArray("\xff\xfeM\0\xfc\0", 6), "M\u00fc|||||||"},
        // Only the first 2048 bytes decide, and a sequence cut by their end is no invalid one.
        {"Utf8CutAtByte2048", QByteArray(2047, 'P') + "\xc3\xbc", QString(2047, 'P') + "\u00fc|||||||"},
        {"InvalidByteIsTheLastTested", QByteArray(2047, 'P') + "\xfc", QString(2047, 'P') + "\u00fc|||||||"},
        {"InvalidBytePastTheTestedRange", QByteArray(2048, 'P') + "\xfc", QString(2048, 'P') + "\ufffd|||||||"},
    };
    for (const auto& f : faelle) {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(f.gebietsschema));
        EXPECT_EQ(felder(lies(f.datei)), f.erwartet.toStdString()) << f.name;
    }
}

// Entries missing once the file has ended stop at the limit; present ones are all read.
TEST_F(Interfacedateien, MissingEntriesAreBoundedPresentOnesAreNot)
{
    const int grenze = fehlende_eintraege_hoechstens;
    const struct {
        int anzahl, vorhanden, erwartet;
    } faelle[] = {{grenze, 0, grenze}, {grenze + 1, 0, grenze}, {2147483647, 3000, 3000 + grenze}};
    for (const auto& f : faelle) {
        QByteArray inhalt = "p\n\ns\n" + QByteArray::number(f.anzahl) + "\n";
        for (int i = 0; i < f.vorhanden; ++i)
            inhalt += "r\n";
        EXPECT_EQ(lies(inhalt).mail.to.size(), f.erwartet) << "count " << f.anzahl << ", lines " << f.vorhanden;
    }
}

TEST_F(Interfacedateien, FileClassOpensClosesAndWritesOutWhenDestroyed)
{
    CQIODatei fehlt(m_verzeichnis.filePath(QStringLiteral("fehlt.txt")));
    EXPECT_FALSE(fehlt.oeffne(true, false, true, false, false));
    EXPECT_EQ(fehlt.strom(), nullptr);
    EXPECT_FALSE(fehlt.schliesse());

    const QString pfad = schreibe("soll weg sein\n");
    {
        CQIODatei datei(pfad);
        ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
        *datei.strom() << "eins\n";
        EXPECT_TRUE(datei.schliesse());
        EXPECT_FALSE(datei.schliesse());
        EXPECT_EQ(datei.strom(), nullptr);
        ASSERT_TRUE(datei.oeffne(false, true, false, true, false));
        *datei.strom() << "zwei";
    }
    QFile pruefung(pfad);
    ASSERT_TRUE(pruefung.open(QIODevice::ReadOnly));
    EXPECT_EQ(pruefung.readAll(), QByteArray("eins\nzwei"));
}

TEST(Fehlername, TableBoundsAndLoadFailures)
{
    const struct {
        quint32 code, ladestatus;
        int ladeschritt;
        const char* erwartet;
    } faelle[] = {
        {6, 0, 13, "ACCESS_DENIED"},
        {7, 0, 13, "Errorcode:7"},
        {8, 0, 13, "TOO_MANY_SESSIONS"},
        {19, 0, 13, "INVALID_SESSION"},
        {26, 0, 13, "NOT_SUPPORTED"},
        {27, 0, 13, "Errorcode:27"},
        {2147483648u, 0, 13, "Errorcode:2147483648"},
        {19, bibliothek_fehlt, 0, "INVALID_SESSION: unable to load 'MAPI32.DLL'"},
        {19, funktion_fehlt, 1, "INVALID_SESSION: unable to get 'MAPILogon'"},
        {19, funktion_fehlt, 13, "INVALID_SESSION: unable to get 'MAPIResolveName'"},
        {18, funktion_fehlt, 5, "TEXT_TOO_LARGE"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(fehlername(f.code, f.ladestatus, f.ladeschritt).toStdString(), f.erwartet)
            << "code " << f.code << ", ladestatus " << f.ladestatus << ", ladeschritt " << f.ladeschritt;
}

}  // namespace

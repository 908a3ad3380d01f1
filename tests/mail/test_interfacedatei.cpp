// Reading the interface file: counts, missing lines, slashes, body, decoding; and CQIODatei.
#include "cqiodatei.h"
#include "interfacedatei.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Gives QString readable output in failure messages.
std::string s(const QString& t)
{
    return t.toStdString();
}

// The stream's default decoding is the locale's; every test pins it.
class MitGebietsschema : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_vorher = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        ASSERT_TRUE(m_verzeichnis.isValid());
    }
    void TearDown() override { QTextCodec::setCodecForLocale(m_vorher); }

    QString schreibe(const QByteArray& inhalt, const QString& name = QStringLiteral("if.txt"))
    {
        const QString pfad = m_verzeichnis.filePath(name);
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
    QTextCodec* m_vorher = nullptr;
};

struct Aufbau {
    const char* name;
    QByteArray datei;
    QString profil;
    QString info;
    QStringList to, cc, bcc, atta, attt;
    QString body;
};

void PrintTo(const Aufbau& a, std::ostream* os)
{
    *os << a.name << ": \"" << a.datei.toStdString() << "\"";
}

class Aufbauten : public MitGebietsschema, public ::testing::WithParamInterface<Aufbau> {};

TEST_P(Aufbauten, ReadsEveryFieldInPlace)
{
    const Aufbau& a = GetParam();
    const Interfacedatei d = lies(a.datei);
    EXPECT_EQ(s(d.profil), s(a.profil));
    EXPECT_EQ(s(d.mail.info), s(a.info));
    EXPECT_EQ(d.mail.to, a.to);
    EXPECT_EQ(d.mail.cc, a.cc);
    EXPECT_EQ(d.mail.bcc, a.bcc);
    EXPECT_EQ(d.mail.atta, a.atta);
    EXPECT_EQ(d.mail.attt, a.attt);
    EXPECT_EQ(s(d.mail.body), s(a.body));
}

const QStringList leer;

QStringList leere(int anzahl)
{
    QStringList liste;
    for (int i = 0; i < anzahl; ++i)
        liste.append(QString());
    return liste;
}

INSTANTIATE_TEST_SUITE_P(
    Interfacedatei, Aufbauten,
    ::testing::Values(
        Aufbau{"ThreeLines", "prof\nign\nsubj\n", "prof", "subj", leer, leer, leer, leer, leer, ""},
        Aufbau{"EmptyFile", "", "", "", leer, leer, leer, leer, leer, ""},
        Aufbau{"AllFields",
               "prof\nign\nsubj\n2\nx\ny\n1\nc\n1\nb\n1\nd:/a/b.txt\n1\nt/1\nz1\nz2\n",
               "prof", "subj", {"x", "y"}, {"c"}, {"b"}, {"d:\\a\\b.txt"}, {"t/1"}, "z1\r\nz2\r\n"},
        Aufbau{"CountTwoOneLineLeft", "p\n\ns\n2\nx\n", "p", "s", {"x", ""}, leer, leer, leer, leer, ""},
        Aufbau{"CountPastTheEndYieldsEmptyEntries", "p\n\ns\n3", "p", "s", {"", "", ""}, leer, leer, leer, leer, ""},
        Aufbau{"LettersCountZero", "p\n\ns\nzwei\n1\nc\n", "p", "s", leer, {"c"}, leer, leer, leer, ""},
        Aufbau{"NegativeCountsZero", "p\n\ns\n-1\n1\nc\n", "p", "s", leer, {"c"}, leer, leer, leer, ""},
        Aufbau{"EmptyCountLineCountsZero", "p\n\ns\n\n1\nc\n", "p", "s", leer, {"c"}, leer, leer, leer, ""},
        Aufbau{"BlanksAroundANumberAreAccepted", "p\n\ns\n 1 \nx\n", "p", "s", {"x"}, leer, leer, leer, leer, ""},
        Aufbau{"LargestSignedCountStillCounts", "p\n\ns\n0\n0\n0\n0\n2147483647\nt1\nt2\n", "p", "s", leer, leer,
               leer, leer, QStringList{"t1", "t2"} + leere(fehlende_eintraege_hoechstens), ""},
        Aufbau{"CountOf2To31IsNoCount", "p\n\ns\n2147483648\n1\nc\n", "p", "s", leer, {"c"}, leer, leer, leer, ""},
        Aufbau{"LargestUnsignedCountIsNoCount", "p\n\ns\n4294967295\n1\nc\n", "p", "s", leer, {"c"}, leer, leer,
               leer, ""},
        Aufbau{"CountBeyondUnsignedIsNoCount", "p\n\ns\n4294967296\n1\nc\n", "p", "s", leer, {"c"}, leer, leer,
               leer, ""},
        Aufbau{"BlanksAreKept", " p \n\n s \n1\n x \n", " p ", " s ", {" x "}, leer, leer, leer, leer, ""},
        Aufbau{"EverySlashOfAPathTurns", "p\n\ns\n0\n0\n0\n2\n/a//b/\nc:\\d/e\n0\n", "p", "s", leer, leer, leer,
               {"\\a\\\\b\\", "c:\\d\\e"}, leer, ""},
        Aufbau{"CrLfLineEnds", "p\r\n\r\ns\r\n1\r\nx\r\n0\r\n0\r\n0\r\n0\r\na\r\nb\r\n", "p", "s", {"x"}, leer, leer,
               leer, leer, "a\r\nb\r\n"},
        Aufbau{"LastBodyLineWithoutLineEnd", "p\n\ns\n0\n0\n0\n0\n0\na\nb", "p", "s", leer, leer, leer, leer, leer,
               "a\r\nb\r\n"},
        Aufbau{"EmptyBodyLinesAreKept", "p\n\ns\n0\n0\n0\n0\n0\n\na\n\n", "p", "s", leer, leer, leer, leer, leer,
               "\r\na\r\n\r\n"}),
    [](const ::testing::TestParamInfo<Aufbau>& info) { return std::string(info.param.name); });

// Missing entries stop at the limit once the file has ended, but entries that
// are there are all read, however many.
TEST_F(MitGebietsschema, MissingEntriesAreBoundedPresentOnesAreNot)
{
    struct Fall {
        int anzahl;
        int vorhanden;
        int erwartet;
    };
    const int grenze = fehlende_eintraege_hoechstens;
    for (const Fall f : {Fall{grenze, 0, grenze}, Fall{grenze + 1, 0, grenze}, Fall{2147483647, 0, grenze},
                         Fall{3000, 2990, 3000}, Fall{2147483647, 3000, 3000 + grenze}}) {
        QByteArray inhalt = "p\n\ns\n" + QByteArray::number(f.anzahl) + "\n";
        for (int i = 0; i < f.vorhanden; ++i)
            inhalt += "r" + QByteArray::number(i) + "\n";
        const Interfacedatei d = lies(inhalt);
        ASSERT_EQ(d.mail.to.size(), f.erwartet) << "count " << f.anzahl << ", lines " << f.vorhanden;
        if (f.vorhanden > 0) {
            EXPECT_EQ(s(d.mail.to[f.vorhanden - 1]), "r" + std::to_string(f.vorhanden - 1));
        }
        EXPECT_TRUE(d.mail.cc.isEmpty());
    }
}

TEST_F(MitGebietsschema, ListTextsEndEveryEntryWithASemicolon)
{
    const Interfacedatei d = lies("p\n\ns\n2\nx\ny\n1\n\n0\n2\na/b\nc\n1\nt\n");
    EXPECT_EQ(s(d.to_text), "x;y;");
    EXPECT_EQ(s(d.cc_text), ";");
    EXPECT_EQ(s(d.bcc_text), "");
    EXPECT_EQ(s(d.atta_text), "a\\b;c;");
    EXPECT_EQ(s(d.attt_text), "t;");
}

struct Kodierung {
    const char* name;
    QByteArray datei;
    QString profil;
};

void PrintTo(const Kodierung& k, std::ostream* os)
{
    *os << k.name;
}

class Kodierungen : public MitGebietsschema, public ::testing::WithParamInterface<Kodierung> {};

TEST_P(Kodierungen, DecodeTheFileAsItWasWritten)
{
    const Kodierung& k = GetParam();
    EXPECT_EQ(s(lies(k.datei).profil), s(k.profil));
}

const QString ue(QChar(0xfc));
const QString ersatz(QChar(0xfffd));

INSTANTIATE_TEST_SUITE_P(
    Interfacedatei, Kodierungen,
    ::testing::Values(
        Kodierung{"Ascii", "Standard", "Standard"},
        Kodierung{"Utf8", "M\xc3\xbcller \xe2\x82\xac", "M" + ue + "ller " + QChar(0x20ac)},
        Kodierung{"Latin1", "M\xfcller \xe4\xf6\xdf", "M" + ue + "ller " + QChar(0xe4) + QChar(0xf6) + QChar(0xdf)},
        Kodierung{"Utf8WithByteOrderMark", "\xef\xbb\xbfM\xc3\xbcller", "M" + ue + "ller"},
        Kodierung{"Utf16LittleEndianWithByteOrderMark", QByteArray("\xff\xfeM\0\xfc\0", 6), "M" + ue},
        Kodierung{"Utf16BigEndianWithByteOrderMark", QByteArray("\xfe\xff\0M\0\xfc", 6), "M" + ue},
        // Bytes 2046 and 2047 complete the sequence inside the tested range.
        Kodierung{"Utf8EndingAtByte2048", QByteArray(2046, 'P') + "\xc3\xbc", QString(2046, 'P') + ue},
        // A sequence cut by the end of the range is no invalid sequence.
        Kodierung{"Utf8CutAtByte2048", QByteArray(2047, 'P') + "\xc3\xbc", QString(2047, 'P') + ue},
        Kodierung{"ThreeByteUtf8CutAtByte2048", QByteArray(2046, 'P') + "\xe2\x82\xac", QString(2046, 'P') + QChar(0x20ac)},
        Kodierung{"InvalidByteIsTheLastTested", QByteArray(2047, 'P') + "\xfc", QString(2047, 'P') + ue},
        // Past the range nothing is tested: the default decoding meets the
        // invalid byte and replaces it.
        Kodierung{"InvalidBytePastTheTestedRange", QByteArray(2048, 'P') + "\xfc", QString(2048, 'P') + ersatz},
        Kodierung{"OverlongUtf8IsInvalid", "\xc0\xaf", QString(QChar(0xc0)) + QChar(0xaf)}),
    [](const ::testing::TestParamInfo<Kodierung>& info) { return std::string(info.param.name); });

TEST_F(MitGebietsschema, ValidUtf8KeepsTheLocalesDecoding)
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("windows-1252"));
    const Interfacedatei d = lies("\xe2\x82\xac\n\nx\n");
    EXPECT_EQ(s(d.profil), s(QString(QChar(0xe2)) + QChar(0x201a) + QChar(0xac)));
}

TEST_F(MitGebietsschema, AFileThatCannotBeOpenedLeavesTheRecordAlone)
{
    Interfacedatei d;
    d.profil = QStringLiteral("vorher");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(lies_interfacedatei(m_verzeichnis.filePath(QStringLiteral("fehlt.txt")), d));
    const std::string fehler = testing::internal::GetCapturedStderr();
    EXPECT_EQ(fehler, "Konnte Interfacedatei '" + s(m_verzeichnis.filePath(QStringLiteral("fehlt.txt")))
                          + "' nicht oeffnen.\n");
    EXPECT_EQ(s(d.profil), "vorher");
}

TEST_F(MitGebietsschema, FileClassOpensClosesAndReportsIt)
{
    CQIODatei fehlt(m_verzeichnis.filePath(QStringLiteral("fehlt.txt")));
    EXPECT_FALSE(fehlt.oeffne(true, false, true, false, false));
    EXPECT_FALSE(fehlt.ist_offen());
    EXPECT_EQ(fehlt.strom(), nullptr);
    EXPECT_FALSE(fehlt.schliesse());

    CQIODatei datei(schreibe("alt\n"));
    ASSERT_TRUE(datei.oeffne(true, false, true, false, false));
    ASSERT_NE(datei.strom(), nullptr);
    EXPECT_EQ(s(datei.strom()->readLine()), "alt");
    EXPECT_TRUE(datei.schliesse());
    EXPECT_FALSE(datei.schliesse());
    EXPECT_EQ(datei.strom(), nullptr);
    // Open again after closing, this time writing.
    ASSERT_TRUE(datei.oeffne(false, true, false, true, false));
    *datei.strom() << "neu";
    EXPECT_TRUE(datei.schliesse());
    QFile pruefung(datei.fileName());
    ASSERT_TRUE(pruefung.open(QIODevice::ReadOnly));
    EXPECT_EQ(pruefung.readAll(), QByteArray("alt\nneu"));
}

TEST_F(MitGebietsschema, FileClassWritesPendingTextWhenDestroyed)
{
    const QString pfad = schreibe("weg");
    {
        CQIODatei datei(pfad);
        ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
        *datei.strom() << "eins\nzwei";
    }
    QFile pruefung(pfad);
    ASSERT_TRUE(pruefung.open(QIODevice::ReadOnly));
    EXPECT_EQ(pruefung.readAll(), QByteArray("eins\nzwei"));
}

}  // namespace

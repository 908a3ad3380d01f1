// The mail job end to end: the real binary against recording Simple MAPI providers.
#include "lauf.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

using testhilfe::Ergebnis;
using testhilfe::Umgebung;

namespace {

const QByteArray programmende("\n\n- Programmende mit Fehlern -\n\n");
const QByteArray kopf_stderr("Interfacedatei 'mail.txt'\n");

// A file with one recipient to resolve and nothing else to look at.
const QByteArray kurz("Standard\n\nBetreff\n1\nkunde\n0\n0\n0\n0\nText\n");
const QByteArray kurz_liste("P1   'mail.txt'\nMAPI 'Standard'\nINFO 'Betreff'\nTO   'kunde;'\nCC   ''\nBCC  ''\n"
                            "ATTA ''\nATTT ''\nBODY 'Text\r\n'\n");

QByteArray logon(const char* profil, const char* passwort, int flags, unsigned code)
{
    return QByteArray("MAPILogon ui=0 profile=") + profil + " password=" + passwort
           + " flags=" + QByteArray::number(flags) + " reserved=0 -> " + QByteArray::number(code) + "\n";
}
QByteArray logon_standard(unsigned code)
{
    return logon("<Standard>", "<>", 2, code);
}
QByteArray wiederholung(unsigned code)
{
    return logon("null", "null", 0, code);
}
QByteArray resolve(const char* name, unsigned code)
{
    return QByteArray("MAPIResolveName session=4711 ui=0 name=<") + name + "> flags=0 reserved=0 -> "
           + QByteArray::number(code) + "\n" + (code == 0 ? "MAPIFreeBuffer own\n" : "");
}
QByteArray send(unsigned code)
{
    return "MAPISendMail session=4711 ui=0 flags=8 reserved=0 -> " + QByteArray::number(code) + "\n";
}
QByteArray logoff(unsigned code)
{
    return "MAPILogoff session=4711 ui=0 flags=0 reserved=0 -> " + QByteArray::number(code) + "\n";
}
QByteArray fehler(const QByteArray& text)
{
    return "Fehler beim Mailinterface !\nMail-Error: " + text + "\n" + text + "\n" + programmende;
}

// The record without the details of each message.
QByteArray aufrufe(const QByteArray& protokoll)
{
    QByteArray ohne;
    for (const QByteArray& zeile : protokoll.split('\n'))
        if (!zeile.isEmpty() && !zeile.startsWith(' '))
            ohne += zeile + "\n";
    return ohne;
}

class MailJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_umgebung.setze(QStringLiteral("TELVORIN_MAPI_LIBRARY"), QStringLiteral(TESTPROVIDER_VOLL));
        m_umgebung.setze(QStringLiteral("TELVORIN_TEST_PROTOKOLL"), m_umgebung.pfad(QStringLiteral("protokoll.txt")));
    }

    Ergebnis sende(const QByteArray& datei)
    {
        m_umgebung.schreibe(QStringLiteral("mail.txt"), datei);
        return m_umgebung.starte({QStringLiteral("mail.txt")});
    }

    QByteArray protokoll() const { return m_umgebung.lies(QStringLiteral("protokoll.txt")); }

    Umgebung m_umgebung;
};

TEST_F(MailJob, SendsEveryFieldAndLogsOff)
{
    const auto e = sende("Standard\ngeheim\nAngebot 4711\n1\nkunde@example.com\n1\n<chef@example.com>\n1\nmueller\n"
                         "2\nanhang/a.txt\n/tmp/b.pdf\n2\nA.txt\nB.pdf\nZeile 1\nZeile 2\n");
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardausgabe,
              testhilfe::banner()
                  + "P1   'mail.txt'\nMAPI 'Standard'\nINFO 'Angebot 4711'\nTO   'kunde@example.com;'\n"
                    "CC   '<chef@example.com>;'\nBCC  'mueller;'\nATTA 'anhang\\a.txt;\\tmp\\b.pdf;'\n"
                    "ATTT 'A.txt;B.pdf;'\nBODY 'Zeile 1\r\nZeile 2\r\n'\nEmail gesendet: Angebot 4711\n");
    EXPECT_EQ(e.standardfehler, kopf_stderr);
    // The angle-bracket recipient is not resolved; a resolved name arrives in
    // Latin-1 and leaves in the locale's encoding.
    EXPECT_EQ(protokoll(),
              "loaded\n" + logon_standard(0) + resolve("kunde@example.com", 0) + resolve("mueller", 0) + send(0)
                  + " message reserved=0 subject=<Angebot 4711> text=<Zeile 1\\x0d\\x0aZeile 2\\x0d\\x0a> type=null "
                    "date=null conversation=null flags=0 originator=null recips=3 files=2\n"
                    " recip reserved=0 class=1 name=<[kunde@example.com]> address=null eid=0/null\n"
                    " recip reserved=0 class=2 name=<chef@example.com> address=null eid=0/null\n"
                    " recip reserved=0 class=3 name=<J\\xc3\\xbcrgen M\\xc3\\xbcller> address=null eid=0/null\n"
                    " file reserved=0 flags=0 position=4294967295 path=<anhang\\a.txt> name=<A.txt> type=null\n"
                    " file reserved=0 flags=0 position=4294967295 path=<\\tmp\\b.pdf> name=<B.pdf> type=null\n"
                  + logoff(0));
}

TEST_F(MailJob, EncodingsOfEachTextOnTheWayOut)
{
    // Profile and paths leave in UTF-8, subject, body and names in the
    // locale's encoding, titles in Latin-1; the console is Latin-1 throughout.
    const auto e = sende("Gr\xfc\xdf" "e\n\n\xc4rger\n1\n<m\xfc@x>\n0\n0\n1\n\xfc.txt\n1\n\xdc" "bersicht\n\xe4\n");
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner()
                                     + "P1   'mail.txt'\nMAPI 'Gr\xfc\xdf" "e'\nINFO '\xc4rger'\nTO   '<m\xfc@x>;'\n"
                                       "CC   ''\nBCC  ''\nATTA '\xfc.txt;'\nATTT '\xdc" "bersicht;'\nBODY '\xe4\r\n'\n"
                                       "Email gesendet: \xc4rger\n");
    EXPECT_EQ(protokoll(),
              "loaded\n" + logon("<Gr\\xc3\\xbc\\xc3\\x9fe>", "<>", 2, 0) + send(0)
                  + " message reserved=0 subject=<\\xc3\\x84rger> text=<\\xc3\\xa4\\x0d\\x0a> type=null date=null "
                    "conversation=null flags=0 originator=null recips=1 files=1\n"
                    " recip reserved=0 class=1 name=<m\\xc3\\xbc@x> address=null eid=0/null\n"
                    " file reserved=0 flags=0 position=4294967295 path=<\\xc3\\xbc.txt> name=<\\xdcbersicht> "
                    "type=null\n"
                  + logoff(0));
}

TEST_F(MailJob, TitlesAreUsedOnlyWhenEveryPathHasOne)
{
    const auto e = sende("\n\nS\n0\n0\n0\n4\na\nb\nc\nd\n3\nA\nB\nC\n");
    EXPECT_EQ(e.exit_code, 0);
    QByteArray dateien;
    for (const char* pfad : {"a", "b", "c", "d"})
        dateien += QByteArray(" file reserved=0 flags=0 position=4294967295 path=<") + pfad + "> name=<" + pfad
                   + "> type=null\n";
    EXPECT_TRUE(protokoll().contains(dateien)) << protokoll().toStdString();
}

TEST_F(MailJob, WithoutAProfileSimpleMapiAsksTheUser)
{
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_LOGON"), QStringLiteral("2,0"));
    const auto e = sende("\n\nS\n0\n0\n0\n0\n0\n");
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(aufrufe(protokoll()),
              "loaded\n" + logon("null", "null", 3, 2) + logon("null", "null", 1, 0) + send(0) + logoff(0));
    EXPECT_TRUE(protokoll().contains(" message reserved=0 subject=<S> text=<> type=null date=null conversation=null "
                                     "flags=0 originator=null recips=0 files=0\n"));
}

struct Lauf {
    const char* name;
    const char* logon;
    const char* sendmail;
    const char* logoff;
    const char* resolve;
    int exit_code;
    QByteArray stdout_ende;  // what follows the listing
    QByteArray stderr_ende;  // what follows the line naming the file
    QByteArray aufrufe;      // the calls after loading
};

void PrintTo(const Lauf& l, std::ostream* os)
{
    *os << l.name << " (logon " << l.logon << ", send " << l.sendmail << ", logoff " << l.logoff << ", resolve "
        << l.resolve << ")";
}

class Ablaeufe : public MailJob, public ::testing::WithParamInterface<Lauf> {};

TEST_P(Ablaeufe, CallsConsoleAndStatus)
{
    const Lauf& l = GetParam();
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_LOGON"), QLatin1String(l.logon));
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_SENDMAIL"), QLatin1String(l.sendmail));
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_LOGOFF"), QLatin1String(l.logoff));
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_RESOLVE"), QLatin1String(l.resolve));
    const auto e = sende(kurz);
    EXPECT_EQ(e.exit_code, l.exit_code);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner() + kurz_liste + l.stdout_ende);
    EXPECT_EQ(e.standardfehler, kopf_stderr + l.stderr_ende);
    EXPECT_EQ(aufrufe(protokoll()), "loaded\n" + l.aufrufe);
}

const QByteArray gesendet("Email gesendet: Betreff\n");

INSTANTIATE_TEST_SUITE_P(
    MailJob, Ablaeufe,
    ::testing::Values(
        Lauf{"Sent", "0", "0", "0", "0", 0, gesendet, "",
             logon_standard(0) + resolve("kunde", 0) + send(0) + logoff(0)},
        Lauf{"LogonFailsTwice", "3,3", "", "", "", 255, "", fehler("Fehler bei MAPI Logon (LOGON_FAILURE )"),
             logon_standard(3) + wiederholung(3)},
        Lauf{"LogonRetrySucceeds", "2,0", "", "", "", 0, gesendet, "",
             logon_standard(2) + wiederholung(0) + resolve("kunde", 0) + send(0) + logoff(0)},
        Lauf{"LogonAbortedByUser", "1", "", "", "", 0, "", "", logon_standard(1)},
        Lauf{"LogonRetryAbortedByUser", "19,1", "", "", "", 0, "", "", logon_standard(19) + wiederholung(1)},
        Lauf{"LogonRetryFailsWithItsOwnCode", "2,8", "", "", "", 255, "",
             fehler("Fehler bei MAPI Logon (TOO_MANY_SESSIONS)"), logon_standard(2) + wiederholung(8)},
        Lauf{"SendFailsWithAText", "0", "11", "", "", 255, "",
             fehler("The specified attachment was not found. No message was sent.\nFehler beim Senden der EMail "
                    "(ATTACHMENT_NOT_FOUND)"),
             logon_standard(0) + resolve("kunde", 0) + send(11)},
        Lauf{"SendFailureNameKeepsItsBlank", "0", "3", "", "", 255, "",
             fehler("There was no default logon, and the user failed to log on successfully when the logon dialog "
                    "box was displayed. No message was sent.\nFehler beim Senden der EMail (LOGON_FAILURE )"),
             logon_standard(0) + resolve("kunde", 0) + send(3)},
        Lauf{"SendFailsWithoutAText", "0", "4", "", "", 255, "",
             fehler("\nFehler beim Senden der EMail (DISK_FULL)"), logon_standard(0) + resolve("kunde", 0) + send(4)},
        Lauf{"SendFailureKeepsTheLogonMessage", "2,0", "7", "", "", 255, "",
             fehler("Fehler bei MAPI new session\nFehler beim Senden der EMail (Errorcode:7)"),
             logon_standard(2) + wiederholung(0) + resolve("kunde", 0) + send(7)},
        Lauf{"SendFailsWithTheLargestCode", "0", "4294967295", "", "", 255, "",
             fehler("\nFehler beim Senden der EMail (Errorcode:4294967295)"),
             logon_standard(0) + resolve("kunde", 0) + send(4294967295u)},
        Lauf{"SendAbortedByUserLogsOff", "0", "1", "0", "", 0, "", "",
             logon_standard(0) + resolve("kunde", 0) + send(1) + logoff(0)},
        Lauf{"UnresolvedRecipientIsSentAsWritten", "0", "0", "0", "14", 0, gesendet, "",
             logon_standard(0) + resolve("kunde", 14) + send(0) + logoff(0)},
        Lauf{"UnresolvedRecipientThenUserAbort", "0", "1", "0", "14", 0, "", "",
             logon_standard(0) + resolve("kunde", 14) + send(1) + logoff(0)},
        Lauf{"FailedLogoffAfterSendingIsNoError", "0", "0", "2", "0", 0, gesendet, "",
             logon_standard(0) + resolve("kunde", 0) + send(0) + logoff(2)}),
    [](const ::testing::TestParamInfo<Lauf>& info) { return std::string(info.param.name); });

TEST_F(MailJob, UnresolvedRecipientKeepsItsText)
{
    m_umgebung.setze(QStringLiteral("TELVORIN_TEST_RESOLVE"), QStringLiteral("0,14"));
    sende("\n\nS\n2\nmueller\nmueller\n0\n0\n0\n0\n");
    EXPECT_TRUE(protokoll().contains(" recip reserved=0 class=1 name=<J\\xc3\\xbcrgen M\\xc3\\xbcller> address=null "
                                     "eid=0/null\n recip reserved=0 class=1 name=<mueller> address=null eid=0/null\n"))
        << protokoll().toStdString();
}

struct Laden {
    const char* name;
    QString bibliothek;
    QByteArray fehlertext;
};

void PrintTo(const Laden& l, std::ostream* os)
{
    *os << l.name << " (" << l.bibliothek.toStdString() << ")";
}

class Bibliotheken : public MailJob, public ::testing::WithParamInterface<Laden> {};

TEST_P(Bibliotheken, LoadFailureIsReportedBeforeAnyCall)
{
    const Laden& l = GetParam();
    m_umgebung.schreibe(QStringLiteral("kein_elf.so"), "kein ELF");
    const bool keine = l.bibliothek.startsWith(QLatin1Char('/'));
    m_umgebung.setze(QStringLiteral("TELVORIN_MAPI_LIBRARY"),
                     keine ? l.bibliothek : m_umgebung.pfad(l.bibliothek));
    const auto e = sende(kurz);
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner() + kurz_liste);
    EXPECT_EQ(e.standardfehler, kopf_stderr + fehler("Fehler bei MAPI Initialisierung (" + l.fehlertext + ")"));
    EXPECT_EQ(protokoll(), keine ? QByteArray("loaded\n") : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    MailJob, Bibliotheken,
    ::testing::Values(
        Laden{"NoLibrary", "fehlt.so", "INVALID_SESSION: unable to load 'MAPI32.DLL'"},
        Laden{"NoSharedLibrary", "kein_elf.so", "INVALID_SESSION: unable to load 'MAPI32.DLL'"},
        Laden{"WithoutTheFirstFunction", TESTPROVIDER_OHNE_MAPILOGON, "INVALID_SESSION: unable to get 'MAPILogon'"},
        Laden{"WithoutTheOneAfterTheOptional", TESTPROVIDER_OHNE_MAPISENDDOCUMENTS,
              "INVALID_SESSION: unable to get 'MAPISendDocuments'"},
        Laden{"WithoutTheLastFunction", TESTPROVIDER_OHNE_MAPIRESOLVENAME,
              "INVALID_SESSION: unable to get 'MAPIResolveName'"}),
    [](const ::testing::TestParamInfo<Laden>& info) { return std::string(info.param.name); });

TEST_F(MailJob, TheWideSendIsOptional)
{
    m_umgebung.setze(QStringLiteral("TELVORIN_MAPI_LIBRARY"), QStringLiteral(TESTPROVIDER_OHNE_MAPISENDMAILW));
    const auto e = sende(kurz);
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner() + kurz_liste + gesendet);
    EXPECT_EQ(aufrufe(protokoll()), "loaded\n" + logon_standard(0) + resolve("kunde", 0) + send(0) + logoff(0));
}

TEST_F(MailJob, AnUnreadableFileStopsBeforeTheLibraryIsLoaded)
{
    QDir(m_umgebung.pfad()).mkdir(QStringLiteral("ordner"));
    for (const QString& datei : {QStringLiteral("fehlt.txt"), QStringLiteral("ordner")}) {
        const auto e = m_umgebung.starte({QStringLiteral("-mapi"), datei});
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, "Interfacedatei '" + datei.toLatin1() + "'\nKonnte Interfacedatei '"
                                        + datei.toLatin1() + "' nicht oeffnen.\n" + programmende);
        EXPECT_TRUE(protokoll().isNull()) << datei.toStdString();
    }
}

// Without the variable the library is the one installed beside the
// executable, wherever the executable is and whatever the working directory.
TEST_F(MailJob, DefaultLibraryIsFoundBesideTheExecutable)
{
    const QString bin = m_umgebung.pfad(QStringLiteral("woanders/bin/telvorin"));
    QDir().mkpath(m_umgebung.pfad(QStringLiteral("woanders/bin")));
    QDir().mkpath(m_umgebung.pfad(QStringLiteral("woanders/lib")));
    ASSERT_TRUE(QFile::copy(testhilfe::telvorin_binary(), bin));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TESTPROVIDER_VOLL),
                            m_umgebung.pfad(QStringLiteral("woanders/lib/libtelvorin_mapi.so"))));
    // A decoy where a lookup through the working directory would look.
    QDir().mkpath(m_umgebung.pfad(QStringLiteral("lib")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TESTPROVIDER_OHNE_MAPILOGON),
                            m_umgebung.pfad(QStringLiteral("lib/libtelvorin_mapi.so"))));
    m_umgebung.schreibe(QStringLiteral("mail.txt"), kurz);

    for (const bool leer : {false, true}) {
        QFile::remove(m_umgebung.pfad(QStringLiteral("protokoll.txt")));
        if (leer)
            m_umgebung.setze(QStringLiteral("TELVORIN_MAPI_LIBRARY"), QString());
        else
            m_umgebung.entferne(QStringLiteral("TELVORIN_MAPI_LIBRARY"));
        const auto e = m_umgebung.starte_programm(bin, {QStringLiteral("mail.txt")});
        EXPECT_EQ(e.exit_code, 0) << "variable set but empty: " << leer;
        EXPECT_EQ(e.standardausgabe, testhilfe::banner() + kurz_liste + gesendet);
        EXPECT_EQ(aufrufe(protokoll()), "loaded\n" + logon_standard(0) + resolve("kunde", 0) + send(0) + logoff(0));
    }
}

}  // namespace

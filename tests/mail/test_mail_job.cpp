// The mail job end to end: the real binary against recording Simple MAPI providers and Wine's own MAPI32.DLL.
#include "tests/support/runner.h"
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
using namespace testsupport;
namespace {
// Every run binds Outlook's Application first, which the mail job then does not use.
QByteArray kopf_stderr(Runner l) { return "Interfacedatei 'mail.txt'\n" + testsupport::no_outlook_class(l); }
const QByteArray kurz("Standard\n\nBetreff\n1\nkunde\n0\n0\n0\n0\nText\n");
const QByteArray kurz_liste("P1   'mail.txt'\nMAPI 'Standard'\nINFO 'Betreff'\nTO   'kunde;'\nCC   ''\nBCC  ''\n"
                            "ATTA ''\nATTT ''\nBODY 'Text\r\n'\n");
const QByteArray gesendet("Email gesendet: Betreff\n");
QByteArray zeile(const QByteArray& aufruf, unsigned c) { return aufruf + " reserved=0 -> " + QByteArray::number(c) + "\n"; }
// A logon without a profile passes no password either.
QByteArray logon(const QByteArray& profil, int flags, unsigned code)
{
    return zeile("MAPILogon ui=0 profile=" + profil + " password=" + (profil == "null" ? "null" : "<>") + " flags="
                     + QByteArray::number(flags), code);
}
QByteArray anfang(unsigned logon_code) { return "loaded\n" + logon("<Standard>", 2, logon_code); }
QByteArray resolve(const char* name, unsigned code)
{
    return zeile(QByteArray("MAPIResolveName session=4711 ui=0 name=<") + name + "> flags=0", code)
           + (code == 0 ? "MAPIFreeBuffer\n" : "");
}
QByteArray send(unsigned code) { return zeile("MAPISendMail session=4711 ui=0 flags=8", code); }
QByteArray logoff(unsigned code) { return zeile("MAPILogoff session=4711 ui=0 flags=0", code); }
QByteArray aufrufe(const QByteArray& protokoll)
{
    static const QRegularExpression eingerueckt(QStringLiteral("^ .*\n"), QRegularExpression::MultilineOption);
    return QString::fromLatin1(protokoll).remove(eingerueckt).toLatin1();
}
struct Lauf { RunResult e; QByteArray protokoll; };
// The recording provider that leaves out `fehlt` ("voll": nothing) for the runner; an empty name, none.
QString provider(Runner l, const QString& fehlt)
{
    if (fehlt.isEmpty())
        return l == Runner::linux ? QStringLiteral("./fehlt.so") : QString();
    if (l == Runner::linux)
        return TELVORIN_TESTPROVIDER_DIR "/libtestprovider_" + fehlt + ".so";
    return (l == Runner::wine32 ? TELVORIN_TESTPROVIDER_WIN32_DIR "/" : TELVORIN_TESTPROVIDER_WIN_DIR "/") + fehlt;
}
// Wine takes a program's own mapi32.dll only from its folder; with no provider, MAPI32.DLL is switched off.
QString programm_mit(TestEnvironment& u, const QString& provider)
{
    const QString ordner = u.path(QStringLiteral("programm"));
    QDir().mkpath(ordner);
    for (const QFileInfo& f : QDir(testsupport::windows_dist(u.runner())).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(f.absoluteFilePath(), ordner + "/" + f.fileName());
    QFile::copy(provider + "/mapi32.dll", ordner + "/mapi32.dll");
    u.set(QStringLiteral("WINEDLLOVERRIDES"), provider.isEmpty() ? "mapi32=d" : "mapi32=n");
    return ordner + "/telvorin.exe";
}
// `codes`: "<function>=<code of the 1st call>,<of the 2nd>..." pairs; datei null: no mail.txt; fehlt null: none.
Lauf sende(Runner l, const QByteArray& datei, const char* codes = "", const char* fehlt = "voll",
           const QString& programm = testsupport::telvorin_binary())
{
    TestEnvironment u(l);
    const QString bibliothek = fehlt != nullptr ? provider(l, QString::fromLatin1(fehlt)) : QString();
    u.set(QStringLiteral("TELVORIN_MAPI_LIBRARY"), bibliothek);
    u.set(QStringLiteral("TELVORIN_TEST_PROTOKOLL"), u.path(QStringLiteral("protokoll.txt")));
    for (const QString& paar : QString::fromLatin1(codes).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        u.set(QStringLiteral("TELVORIN_TEST_") + paar.section('=', 0, 0), paar.section('=', 1));
    if (!datei.isNull())
        u.write(QStringLiteral("mail.txt"), datei);
    const RunResult e = l == Runner::linux ? u.run_program(programm, {QStringLiteral("mail.txt")})
                                           : u.run_program(wine(l), {programm_mit(u, bibliothek), "mail.txt"});
    return {e, u.read(QStringLiteral("protokoll.txt"))};
}
// Latin-1 text as the record shows it in the runner's local 8-bit encoding.
QByteArray local_8bit(Runner l, const char* latin1)
{
    QByteArray text;
    for (const char c : testsupport::local_8bit(l, QString::fromLatin1(latin1)))
        text += c >= 0x20 && c < 0x7f ? QByteArray(1, c) : "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    return text;
}
class Mailjob : public ::testing::TestWithParam<Runner> {};
INSTANTIATE_TEST_SUITE_P(Linux, Mailjob, ::testing::Values(Runner::linux));
INSTANTIATE_TEST_SUITE_P(Wine, Mailjob, ::testing::ValuesIn(testsupport::wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, Mailjob, ::testing::ValuesIn(testsupport::wine32_runners()));
// Latin-1 in: texts and names go in the locale's encoding, paths UTF-8, titles Latin-1; <entry> skips resolving.
TEST_P(Mailjob, SendetJedesFeldInSeinerKodierungUndMeldetAb)
{
    const Runner w = GetParam();
    const Lauf l = sende(w, "Gr\xfc\xdf" "e\ngeheim\n\xc4rger\n1\nkunde@example.com\n1\n<ch\xfc@example.com>\n"
                         "2\nmueller\nun<bekannt>\n2\nanhang/\xfc.txt\n/tmp/b.pdf\n2\n\xdc" "bersicht\nB.pdf\n"
                         "Zeile \xe4\nZeile 2\n", "MAPIResolveName=0,0,14");
    EXPECT_EQ(l.e, (RunResult{0, banner(w) + "P1   'mail.txt'\nMAPI 'Gr\xfc\xdf" "e'\nINFO '\xc4rger'\n"
                   "TO   'kunde@example.com;'\nCC   '<ch\xfc@example.com>;'\nBCC  'mueller;un<bekannt>;'\n"
                   "ATTA 'anhang\\\xfc.txt;\\tmp\\b.pdf;'\nATTT '\xdc" "bersicht;B.pdf;'\n"
                   "BODY 'Zeile \xe4\r\nZeile 2\r\n'\nEmail gesendet: \xc4rger\n", kopf_stderr(w)}));
    EXPECT_EQ(l.protokoll,
              "loaded\n" + logon("<Gr\\xc3\\xbc\\xc3\\x9fe>", 2, 0) + resolve("kunde@example.com", 0)
                  + resolve("mueller", 0) + resolve("un<bekannt>", 14) + send(0) + " message reserved=0 subject=<"
                  + local_8bit(w, "\xc4rger") + "> text=<" + local_8bit(w, "Zeile \xe4\r\nZeile 2\r\n")
                  + "> type=null date=null conversation=null flags=0 originator=null recips=4 files=2\n"
                    " recip reserved=0 class=1 name=<[kunde@example.com]> address=null eid=0/null\n"
                    " recip reserved=0 class=2 name=<" + local_8bit(w, "ch\xfc@example.com") + "> address=null eid=0/null\n"
                    " recip reserved=0 class=3 name=<" + local_8bit(w, "J\xfc" "rgen M\xfcller") + "> address=null eid=0/null\n"
                    " recip reserved=0 class=3 name=<un<bekannt>> address=null eid=0/null\n"
                    " file reserved=0 flags=0 position=4294967295 path=<anhang\\\\xc3\\xbc.txt> name=<\\xdcbersicht> "
                    "type=null\n"
                    " file reserved=0 flags=0 position=4294967295 path=<\\tmp\\b.pdf> name=<B.pdf> type=null\n"
                  + logoff(0));
}
TEST_P(Mailjob, OhneProfilFragtSimpleMapiDenAnwender)
{
    const Lauf l = sende(GetParam(), "\n\nS\n0\n0\n0\n2\na\nb\n1\nA\n", "MAPILogon=2,0");
    EXPECT_EQ(l.e.exit_code, 0);
    EXPECT_EQ(aufrufe(l.protokoll), "loaded\n" + logon("null", 3, 2) + logon("null", 1, 0) + send(0) + logoff(0));
}
// Each way out of loading, logon, send and logoff; a provider lacking only the wide send is complete.
TEST_P(Mailjob, JederAusgang)
{
    const QByteArray bis_send = anfang(0) + resolve("kunde", 0);
    const QByteArray init = "Fehler bei MAPI Initialisierung (INVALID_SESSION: unable to ";
    const struct { const char *name, *codes; QByteArray stderr_ende, aufrufe, stdout_ende = "";
                   QByteArray datei = kurz; const char* fehlt = "voll"; } faelle[] = {
        {"LogonFailsTwice", "MAPILogon=2,3", mail_failure("Fehler bei MAPI Logon (LOGON_FAILURE )"),
         anfang(2) + logon("null", 0, 3)},  // the retry's code is the one reported
        {"LogonAbortedByUser", "MAPILogon=1", "", anfang(1)},
        {"SendFailsWithoutAText", "MAPISendMail=4294967295",
         mail_failure("\nFehler beim Senden der EMail (Errorcode:4294967295)"), bis_send + send(4294967295u)},
        {"SendFailureKeepsTheLogonMessage", "MAPILogon=2,0 MAPISendMail=7",
         mail_failure("Fehler bei MAPI new session\nFehler beim Senden der EMail (Errorcode:7)"),
         anfang(2) + logon("null", 0, 0) + resolve("kunde", 0) + send(7)},
        {"UnresolvedRecipientThenUserAbort", "MAPISendMail=1 MAPIResolveName=14", "",
         anfang(0) + resolve("kunde", 14) + send(1) + logoff(0)},  // the abort clears the failed resolving's code
        {"FailedLogoffAfterSendingIsNoError", "MAPILogoff=2", "", bis_send + send(0) + logoff(2), gesendet},
        {"WithoutTheWideSend", "", "", bis_send + send(0) + logoff(0), gesendet, kurz, "MAPISendMailW"},
        {"NoLibrary", "", mail_failure(init + "load 'MAPI32.DLL')"), QByteArray(), "", kurz, ""},
        {"WithoutAFunction", "", mail_failure(init + "get 'MAPISendDocuments')"),
         "loaded\n", "", kurz, "MAPISendDocuments"},
        {"UnreadableFile", "", "Konnte Interfacedatei 'mail.txt' nicht oeffnen.\n" + failure_ending, {}, "", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const Lauf l = sende(GetParam(), f.datei, f.codes, f.fehlt);
        EXPECT_EQ(l.e, (RunResult{f.stderr_ende.isEmpty() ? 0 : 255,
                                 banner(GetParam()) + (f.datei.isNull() ? "" : kurz_liste) + f.stdout_ende,
                                 kopf_stderr(GetParam()) + f.stderr_ende}));
        EXPECT_EQ(aufrufe(l.protokoll), f.aufrufe);
    }
}
class UnterWine : public ::testing::TestWithParam<Runner> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(UnterWine);
INSTANTIATE_TEST_SUITE_P(Wine, UnterWine, ::testing::ValuesIn(testsupport::wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, UnterWine, ::testing::ValuesIn(testsupport::wine32_runners()));
// When the default mail client's DLLPath(Ex) has the other bit width, the failure names the build that would work.
TEST_P(UnterWine, NenntDenPassendenBuildWennDasMailprogrammAndereBitsHat)
{
    const QString schluessel = "HKLM\\SOFTWARE\\Clients\\Mail";
    const TestEnvironment r(GetParam());
    const auto reg = [&](const QStringList& a) { return r.run_program(wine(GetParam()), QStringList{"reg"} + a); };
    for (const int bits : {32, 64}) {
        SCOPED_TRACE(bits);
        const QString ordner = bits == 32 ? TELVORIN_TESTPROVIDER_WIN32_DIR : TELVORIN_TESTPROVIDER_WIN_DIR;
        const QString bibliothek = "Z:" + QString(ordner).replace('/', '\\') + "\\voll\\mapi32.dll";
        const QString wert = bits == 32 ? "DLLPath" : "DLLPathEx";
        // Wine keeps this key in each view (Windows shares one); restored after, as Wine's MAPI32.DLL reads it too.
        QMap<QString, QByteArray> vorher;
        for (const QString sicht : {"/reg:32", "/reg:64"}) {
            vorher[sicht] = reg({"query", schluessel, "/ve", sicht}).standard_output;
            ASSERT_EQ(reg({"add", schluessel, "/ve", "/d", "Testpost", "/f", sicht}).exit_code, 0);
            ASSERT_EQ(reg({"add", schluessel + "\\Testpost", "/v", wert, "/d", bibliothek, "/f", sicht}).exit_code, 0);
        }
        const Lauf l = sende(GetParam(), kurz, "MAPILogon=2,3");
        for (auto it = vorher.cbegin(); it != vorher.cend(); ++it) {
            const QString bisher = QString::fromLatin1(it.value().mid(it.value().indexOf("REG_SZ") + 6)).trimmed();
            EXPECT_EQ(reg({"delete", schluessel + "\\Testpost", "/f", it.key()}).exit_code, 0);
            EXPECT_EQ(reg(it.value().contains("REG_SZ") ? QStringList{"add", schluessel, "/ve", "/d", bisher, "/f", it.key()}
                                                        : QStringList{"delete", schluessel, "/ve", "/f", it.key()})
                          .exit_code, 0);
        }
        const QByteArray fehler = "Fehler bei MAPI Logon (LOGON_FAILURE )\n", b = QByteArray::number(bits);
        const QByteArray hinweis = (bits == 32) == (GetParam() == Runner::wine32) ? QByteArray()
            : "Mail-Hinweis: Das Standard-Mailprogramm 'Testpost' hat eine " + b + "bit Simple-MAPI-Bibliothek ("
                  + bibliothek.toLatin1() + "); mit ihm arbeitet nur der " + b + "bit-Build von Telvorin\n";
        EXPECT_EQ(l.e.standard_error.toStdString(),
                  (kopf_stderr(GetParam()) + "Fehler beim Mailinterface !\nMail-Error: " + fehler + hinweis + fehler
                   + failure_ending).toStdString());
    }
}
// With the variable empty, the library is the one installed beside the executable, whatever the working directory.
TEST(Mailjob, VorgabebibliothekLiegtNebenDemProgramm)
{
    const QTemporaryDir woanders;
    // bin/ and our private library folder, as installed: lib/<multiarch>/telvorin.
    const QString lib = woanders.filePath(QStringLiteral("bin/" TELVORIN_LIBDIR_FROM_BINDIR));
    ASSERT_TRUE(QDir().mkpath(woanders.filePath(QStringLiteral("bin"))) && QDir().mkpath(lib));
    ASSERT_TRUE(QFile::copy(provider(Runner::linux, "voll"), lib + QStringLiteral("/libtelvorin_mapi.so")));
    ASSERT_TRUE(QFile::copy(testsupport::telvorin_binary(), woanders.filePath(QStringLiteral("bin/telvorin"))));
    const Lauf l = sende(Runner::linux, kurz, "", nullptr, woanders.filePath(QStringLiteral("bin/telvorin")));
    EXPECT_EQ(l.e.standard_output, banner() + kurz_liste + gesendet);
    EXPECT_EQ(l.protokoll.left(7), "loaded\n");
}
// Wine's MAPI32.DLL mails addresses only, the tool passes names: no recipients, no attachments; text in cp1252.
TEST_P(UnterWine, SeineMapi32GibtBetreffUndTextAlsMailtoWeiterOhneEmpfaengerUndAnlagen)
{
    TestEnvironment u(GetParam());
    QDir().mkpath(u.path("bin"));
    QFile::link(TELVORIN_XDG_OPEN_PROTOKOLL_SKRIPT, u.path("bin/xdg-open"));
    u.set("PATH", u.path("bin") + ":/usr/bin:/bin");
    u.set("XDG_OPEN_PROTOKOLL", u.path("xdg-open.txt"));
    const QStringList reg{"reg", "add", "HKCU\\Software\\Wine\\WineBrowser", "/v", "Mailers", "/d", "xdg-open", "/f"};
    ASSERT_EQ(u.run_program(testsupport::wine(GetParam()), reg).exit_code, 0);
    u.write("mail.txt", "Standard\n\nGr\xfc\xdf" "e & mehr?\n1\nkunde@example.com\n1\n<cc@example.com>\n1\nbcc\n"
                           "1\nanhang.txt\n1\nAnhang\nZeile 1\nZeile & 2 %\n");
    u.write("anhang.txt", "A");
    const RunResult e = u.run({"mail.txt"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_TRUE(e.standard_output.endsWith("Email gesendet: Gr\xfc\xdf" "e & mehr?\n")) << e.standard_output.toStdString();
    // xdg-open runs after the tool has ended.
    for (QDeadlineTimer frist(30000); !u.read("xdg-open.txt").endsWith('\n') && !frist.hasExpired();)
        QThread::msleep(100);
    EXPECT_EQ(u.read("xdg-open.txt"), "mailto:?subject=Gr%FC%DFe%20%26%20mehr%3F&cc=&bcc=&body=Zeile%201%0D%0A"
                                      "Zeile%20%26%202%20%25%0D%0A\n");
}
}  // namespace

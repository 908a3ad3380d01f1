// The Simple MAPI provider loaded by path and called through its C entry points.
#include "lauf.h"
#include "mail_leser.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace providertest;

namespace {

ULONG anmelden(const char* profil, const char* passwort, LHANDLE& sitzung)
{
    return funktion<LPMAPILOGON>("MAPILogon")(0, const_cast<char*>(profil), const_cast<char*>(passwort),
                                              MAPI_NEW_SESSION | MAPI_LOGON_UI, 0, &sitzung);
}
ULONG abmelden(LHANDLE sitzung) { return funktion<LPMAPILOGOFF>("MAPILogoff")(sitzung, 0, 0, 0); }
ULONG freigeben(void* puffer) { return funktion<LPMAPIFREEBUFFER>("MAPIFreeBuffer")(puffer); }

const Nachricht an_a {"", "", {{MAPI_TO, "a@example.com", ""}}, {}};
const QByteArray adressbuch = "[AddressBook]\nMax Mustermann=max@example.com\nMaria Muster=maria@example.com\n"
                              "Team=team@example.com\nTeam Vertrieb=vertrieb@example.com\n"
                              "J\xc3\xbcrgen M\xc3\xbcller=juergen@example.com\n";

// Each test gets its own home, configuration, data and temporary folders, its own working directory, a PATH
// whose first folder holds its stand-ins, and no display.
class ProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(funktion<void*>("MAPILogon"), nullptr) << ::dlerror();
        QDir::setCurrent(m_u.pfad());
        for (const auto& [name, relativ] : {std::pair{"HOME", "home"}, {"XDG_CONFIG_HOME", "config"}, {"TMPDIR", "tmp"},
                                            {"XDG_DATA_HOME", "data"}, {"PATH", "bin:/usr/bin:/bin"}})
            ::setenv(name, QFile::encodeName(m_u.pfad(relativ)).constData(), 1);
        ::unsetenv("TELVORIN_MAPI_CONFIG");
        ::unsetenv("DISPLAY");
    }
    void TearDown() override { QDir::setCurrent(m_alt_cwd); }

    QString standard_ausgang() const { return m_u.pfad("data/telvorin/outbox"); }
    void konfiguration(const QByteArray& inhalt)
    {
        ::setenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(m_u.schreibe("mapi.ini", inhalt)).constData(), 1);
    }

    QString m_alt_cwd = QDir::currentPath();
    testhilfe::Umgebung m_u;
};

TEST_F(ProviderTest, LogonChoosesTheProfileChecksAGivenPasswordAndGivesDistinctSessionsThatEndOnce)
{
    // profile and password (nullptr: none), the expected code
    const std::tuple<const char*, const char*, ULONG> faelle[] = {
        {nullptr, nullptr, 0}, {"", "", 0}, {nullptr, "falsch", 3}, {nullptr, "geheim", 0},  // the default profile
        {"Buero", "", 0}, {"Buero", "Geheim", 3}, {"privat", "egal", 0},  // other letter case
        {"Standard", nullptr, 0},  // built in, beside the file's
        {"Urlaub", nullptr, 3}, {"AddressBook", nullptr, 3},
    };
    konfiguration("[General]\nDefaultProfile=Buero\n[Buero]\nPassword=geheim\n[Privat]\nDelivery=outbox\n"
                  "[AddressBook]\nMax=max@example.com\n");
    for (const auto& [profil, passwort, erwartet] : faelle) {
        SCOPED_TRACE(std::string(profil ? profil : "-") + "/" + (passwort ? passwort : "-"));
        LHANDLE sitzung = 12345;
        EXPECT_EQ(anmelden(profil, passwort, sitzung), erwartet);
        EXPECT_EQ(erwartet == 0 ? abmelden(sitzung) : sitzung, 0u);
    }
    LHANDLE a = 0, b = 0;
    ASSERT_EQ(anmelden(nullptr, nullptr, a) + anmelden("Privat", nullptr, b), 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(abmelden(a), 0u);
    EXPECT_EQ(std::tuple(abmelden(a), abmelden(0), sende(a, an_a), abmelden(b)), std::tuple(19u, 19u, 19u, 0u));
}

TEST_F(ProviderTest, ResolveNameUsesAddressesThenExactThenUniquePartialMatches)
{
    // the name, the expected code, on success the bytes of lpszName, " = " and lpszAddress
    const std::tuple<const char*, ULONG, QByteArray> faelle[] = {
        {"kunde@example.com", 0, "kunde@example.com = SMTP:kunde@example.com"},
        {"Kunde Eins <kunde@example.com>", 0, "Kunde Eins <kunde@example.com> = SMTP:kunde@example.com"},
        {"Mustermann", 0, "Max Mustermann = SMTP:max@example.com"},
        {"  Maria Muster ", 0, "Maria Muster = SMTP:maria@example.com"},
        {"team", 0, "Team = SMTP:team@example.com"},  // exact wins over "Team Vertrieb"
        // Handed back in Latin-1, as callers of the 8-bit API read it.
        {"j\xfcrgen m\xfcller", 0, "J\xfcrgen M\xfcller = SMTP:juergen@example.com"},
        {"Muster", 21, ""}, {"Moritz", 14, ""}, {"   ", 14, ""}, {"max@", 14, ""}, {"a@x.de, b@x.de", 14, ""},
    };
    konfiguration(adressbuch);
    LHANDLE sitzung = 0;
    ASSERT_EQ(anmelden(nullptr, nullptr, sitzung), 0u);
    const auto aufloesen = [](LHANDLE s, std::string name, lpMapiRecipDesc& ergebnis) {
        return funktion<LPMAPIRESOLVENAME>("MAPIResolveName")(s, 0, name.data(), 0, 0, &ergebnis);
    };
    for (const auto& [name, erwartet, gefunden] : faelle) {
        SCOPED_TRACE(name);
        lpMapiRecipDesc ergebnis = reinterpret_cast<lpMapiRecipDesc>(1);
        EXPECT_EQ(aufloesen(sitzung, name, ergebnis), erwartet);
        if (erwartet != SUCCESS_SUCCESS)
            EXPECT_EQ(ergebnis, nullptr);
        else if (ergebnis) {  // a missing success is reported above
            EXPECT_EQ(QByteArray(ergebnis->lpszName) + " = " + QByteArray(ergebnis->lpszAddress) + " class "
                          + QByteArray::number(ergebnis->ulRecipClass),
                      gefunden + " class " + QByteArray::number(MAPI_TO));
            EXPECT_EQ(freigeben(ergebnis), 0u);
        }
    }
    lpMapiRecipDesc ergebnis = nullptr;
    ASSERT_EQ(aufloesen(0, "Max", ergebnis), 0u);  // session 0 logs on for the call
    EXPECT_EQ(abmelden(sitzung), 0u);

    // Freeing what the provider did not hand out, or twice, is refused rather than corrupting the heap.
    EXPECT_EQ(freigeben(ergebnis), 0u);
    EXPECT_NE(freigeben(ergebnis), 0u);
    MapiRecipDesc eigenes {};
    std::vector<char> fremd(16);
    EXPECT_NE(freigeben(&eigenes), 0u);
    EXPECT_NE(freigeben(fremd.data()), 0u);
    EXPECT_EQ(freigeben(nullptr), 0u);
}

// Through the wide entry point: header text that looks like encoded words or holds control characters, a text
// attachment in UTF-8 with a NUL (Latin-1 ones: test_provider_telvorin), "From " lines.
TEST_F(ProviderTest, WhatTheCallerWroteIsWhatReadersShow)
{
    m_u.schreibe(QStringLiteral("unter/a.txt"), QByteArray("\xc3\xa4\0z\n", 5));
    m_u.schreibe(QStringLiteral("evil"), "MZ");
    std::u16string betreff = u"=?utf-8?q?x=0D=0ABcc:_evil@attacker.example?= Gr\u00fc\u00dfe \u20ac",
                   body = u"From here\r\nFrom\n>From x\r", name1 = u"=?utf-8?q?Evil=40x?=",
                   name2 = u"\u00c4nne\r\x1b[2J", adresse1 = u"SMTP:a@example.com", adresse2 = u"aenne@example.com",
                   pfad1 = u"unter\\a.txt", pfad2 = u"evil", titel2 = u"=?utf-8?b?Li4vLi4vZXZpbC5leGU=?=";
    MapiRecipDescW empfaenger[] = {{0, MAPI_TO, name1.data(), adresse1.data(), 0, nullptr},
                                   {0, MAPI_CC, name2.data(), adresse2.data(), 0, nullptr}};
    MapiFileDescW dateien[] = {{0, 0, 0xFFFFFFFF, pfad1.data(), nullptr, nullptr},  // named after its file
                               {0, 0, 0xFFFFFFFF, pfad2.data(), titel2.data(), nullptr}};
    MapiMessageW m {0, betreff.data(), body.data(), nullptr, nullptr, nullptr, 0, nullptr, 2, empfaenger, 2, dateien};
    ASSERT_EQ(funktion<LPMAPISENDMAILW>("MAPISendMailW")(0, 0, &m, MAPI_DIALOG, 0), 0u);
    char host[256] = {};  // without From=, the sender is login@host
    ::gethostname(host, sizeof host - 1);
    EXPECT_EQ(lies_mail(einzige_mail(standard_ausgang())),
              "From: " + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name) + "@" + QString::fromLocal8Bit(host)
                  + QString::fromUtf8("\nTo: =?utf-8?q?Evil=40x?= <a@example.com>\n"
                                      "Cc: \"\xc3\x84nne\xef\xbf\xbd\xef\xbf\xbd[2J\" <aenne@example.com>\n"
                                      "Subject: =?utf-8?q?x=0D=0ABcc:_evil@attacker.example?= Gr\xc3\xbc\xc3\x9f" "e "
                                      "\xe2\x82\xac\nText (utf-8):\nFrom here\nFrom\n>From x\n")
                  + anlage(QStringLiteral("a.txt"), "text/plain; charset=utf-8", QByteArray("\xc3\xa4\0z\n", 5))
                  + anlage(QStringLiteral("=?utf-8?b?Li4vLi4vZXZpbC5leGU=?="), "application/octet-stream", "MZ"));
}

struct SendeFall {
    const char* beschreibung;
    Nachricht nachricht;
    ULONG erwartet;
    QByteArray profil = {};  // the lines of [Standard]
    FLAGS flags = MAPI_DIALOG;
};

TEST_F(ProviderTest, ACheckOrADeliveryThatFailsSendsNothing)
{
    m_u.schreibe(QStringLiteral("da.txt"), "x");
    m_u.schreibe(QStringLiteral("datei"), "keine Mappe");
    QDir().mkpath(m_u.pfad("ordner"));
    ::mkfifo(m_u.pfad("fifo").toUtf8().constData(), 0600);
    lege_standin_an(m_u.pfad(), QStringLiteral("scheitert"), 3);
    lege_standin_an(m_u.pfad(), QStringLiteral("klappt"), 0);
    const std::string gut = "gut@example.com";
    const SendeFall faelle[] = {
        {"recipient class MAPI_ORIG", {"", "", {{MAPI_ORIG, gut, ""}}, {}}, 15},
        {"bad class wins over an unknown name", {"", "", {{MAPI_TO, "Niemand", ""}, {4, gut, ""}}, {}}, 15},
        {"unknown name", {"", "", {{MAPI_TO, gut, ""}, {MAPI_CC, "Niemand", ""}}, {}}, 14},
        {"ambiguous name", {"", "", {{MAPI_BCC, "Muster", ""}}, {}}, 21},
        {"no name, no address", {"", "", {{MAPI_TO, "", ""}}, {}}, 14},
        {"address that is none", {"", "", {{MAPI_TO, "X", "SMTP:kein adresse"}}, {}}, 25},
        {"missing attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"da.txt", ""}, {"fehlt\\nicht.txt", ""}}}, 11},
        {"directory as attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"ordner", ""}}}, 12},
        {"FIFO as attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"fifo", ""}}}, 12},
        {"unknown name before missing file", {"", "", {{MAPI_TO, "Niemand", ""}}, {{"fehlt.txt", ""}}}, 14},
        {"outbox below a file", an_a, 2, "Outbox=datei/unter\n"},  // relative to the configuration file
        {"sendmail exits non-zero", an_a, 2, "Delivery=sendmail\nSendmail=scheitert\n"},
        {"sendmail not there", an_a, 2, "Delivery=sendmail\nSendmail=/nicht/da\n"},
        {"sendmail without recipients", {}, 25, "Delivery=sendmail\nSendmail=klappt\n"},
        {"composer exits non-zero", an_a, 2, "Delivery=composer\nComposer=scheitert\n"},
        {"composer without MAPI_DIALOG", an_a, 2, "Delivery=composer\nComposer=klappt\n", 0},
        {"composer without recipients", {}, 0, "Delivery=composer\nComposer=klappt\n"},
    };
    for (const SendeFall& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        konfiguration("[Standard]\n" + fall.profil + adressbuch);
        EXPECT_EQ(sende(0, fall.nachricht, fall.flags), fall.erwartet);
        EXPECT_TRUE(dateien_in(standard_ausgang()).isEmpty());
    }
    MapiMessage kaputt {};
    kaputt.nRecipCount = 2;
    EXPECT_EQ(funktion<LPMAPISENDMAIL>("MAPISendMail")(0, 0, &kaputt, 0, 0), 2u);
    EXPECT_EQ(funktion<LPMAPISENDMAIL>("MAPISendMail")(0, 0, nullptr, 0, 0), 2u);
    kaputt.nRecipCount = 10001;
    EXPECT_EQ(funktion<LPMAPISENDMAIL>("MAPISendMail")(0, 0, &kaputt, 0, 0), 10u);
}

TEST_F(ProviderTest, TheOutboxNeverOverwritesWritesThroughNoLinkAndClearsOnlyDeadTemporaryFilesOfOurs)
{
    // What a killed delivery leaves, and what is not ours to remove; links at
    // the temporary name pattern and at the names of this second and the next two.
    const QString ausgang = standard_ausgang() + QLatin1Char('/');
    for (const char* name : {".telvorin-tot123", ".telvorin-frisch", ".telvorin-sperre", ".telvorin-x", "tot.eml"})
        m_u.schreibe(QStringLiteral("data/telvorin/outbox/") + QLatin1String(name), "x");
    QStringList links {QStringLiteral(".telvorin-link12")};
    for (qint64 s = 0; s < 3; ++s)
        links << QDateTime::currentDateTime().addSecs(s).toString("yyyyMMdd-HHmmss-") + QString::number(::getpid())
                + ".eml";
    for (const QString& link : links)
        ::symlink(m_u.pfad("ziel").toUtf8().constData(), (ausgang + link).toUtf8().constData());
    for (const char* name : {".telvorin-tot123", ".telvorin-sperre", ".telvorin-x", "tot.eml", ".telvorin-link12"}) {
        const timespec alt[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 16 * 60, 0}};
        ::utimensat(AT_FDCWD, (ausgang + QLatin1String(name)).toUtf8().constData(), alt, AT_SYMLINK_NOFOLLOW);
    }
    const int gesperrt = ::open((ausgang + QStringLiteral(".telvorin-sperre")).toUtf8().constData(), O_RDONLY);
    ASSERT_EQ(::flock(gesperrt, LOCK_EX), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(sende(0, an_a), 0u);
    ::close(gesperrt);
    EXPECT_FALSE(QFileInfo::exists(m_u.pfad("ziel")));
    const QStringList geblieben
        = QDir(ausgang).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(geblieben.filter(QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}-\\d+(-\\d+)?\\.eml$"))).size(), 3 + 3);
    EXPECT_EQ(geblieben.filter(QRegularExpression(QStringLiteral("^[^\\d]"))),
              (QStringList{".telvorin-frisch", ".telvorin-link12", ".telvorin-sperre", ".telvorin-x", "tot.eml"}));
}

}  // namespace

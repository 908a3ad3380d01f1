// The Simple MAPI provider loaded by path and called through its C entry points.
#include "mail_leser.h"
#include "simple_mapi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

using providertest::GeleseneMail;
using providertest::lies_mail;

namespace {

// The provider as the mailer sees it: a library found by path, functions by name.
struct Provider {
    void* handle = nullptr;
    LPMAPILOGON logon = nullptr;
    LPMAPILOGOFF logoff = nullptr;
    LPMAPISENDMAIL send = nullptr;
    LPMAPISENDMAILW send_w = nullptr;
    LPMAPIRESOLVENAME resolve = nullptr;
    LPMAPIFREEBUFFER free_buffer = nullptr;

    static const Provider& get()
    {
        static const Provider provider = [] {
            Provider p;
            p.handle = ::dlopen(TELVORIN_MAPI_PROVIDER, RTLD_NOW | RTLD_LOCAL);
            if (!p.handle)
                return p;
            p.logon = reinterpret_cast<LPMAPILOGON>(::dlsym(p.handle, "MAPILogon"));
            p.logoff = reinterpret_cast<LPMAPILOGOFF>(::dlsym(p.handle, "MAPILogoff"));
            p.send = reinterpret_cast<LPMAPISENDMAIL>(::dlsym(p.handle, "MAPISendMail"));
            p.send_w = reinterpret_cast<LPMAPISENDMAILW>(::dlsym(p.handle, "MAPISendMailW"));
            p.resolve = reinterpret_cast<LPMAPIRESOLVENAME>(::dlsym(p.handle, "MAPIResolveName"));
            p.free_buffer = reinterpret_cast<LPMAPIFREEBUFFER>(::dlsym(p.handle, "MAPIFreeBuffer"));
            return p;
        }();
        return provider;
    }
};

char* text(std::string& s)
{
    return s.empty() ? nullptr : s.data();
}

// A message as plain data; MapiForm lends it the Simple MAPI layout.
struct Nachricht {
    struct Empfaenger {
        ULONG klasse;
        std::string name;
        std::string adresse;
    };
    struct Datei {
        std::string pfad;
        std::string name;
    };
    std::string betreff;
    std::string text;
    std::vector<Empfaenger> empfaenger;
    std::vector<Datei> dateien;
};

// The MapiMessage of a Nachricht; valid while both live unchanged.
class MapiForm {
public:
    explicit MapiForm(Nachricht& n)
    {
        for (Nachricht::Empfaenger& e : n.empfaenger)
            m_recips.push_back(MapiRecipDesc{0, e.klasse, text(e.name), text(e.adresse), 0, nullptr});
        for (Nachricht::Datei& d : n.dateien)
            m_files.push_back(MapiFileDesc{0, 0, 0xFFFFFFFF, text(d.pfad), text(d.name), nullptr});
        m_message.lpszSubject = text(n.betreff);
        m_message.lpszNoteText = text(n.text);
        m_message.nRecipCount = static_cast<ULONG>(m_recips.size());
        m_message.lpRecips = m_recips.empty() ? nullptr : m_recips.data();
        m_message.nFileCount = static_cast<ULONG>(m_files.size());
        m_message.lpFiles = m_files.empty() ? nullptr : m_files.data();
    }
    MapiMessage* message() { return &m_message; }

private:
    std::vector<MapiRecipDesc> m_recips;
    std::vector<MapiFileDesc> m_files;
    MapiMessage m_message {};
};

// Everything written to file descriptor 2 while the object lives.
class StderrMitschnitt {
public:
    StderrMitschnitt()
    {
        std::fflush(stderr);
        m_gesichert = ::dup(2);
        char muster[] = "/tmp/telvorin-stderr-XXXXXX";
        m_datei = ::mkstemp(muster);
        ::unlink(muster);
        ::dup2(m_datei, 2);
    }
    ~StderrMitschnitt() { beende(); }
    QByteArray beende()
    {
        if (m_gesichert >= 0) {
            std::fflush(stderr);
            ::dup2(m_gesichert, 2);
            ::close(m_gesichert);
            m_gesichert = -1;
            QFile f;
            ::lseek(m_datei, 0, SEEK_SET);
            if (f.open(m_datei, QIODevice::ReadOnly))
                m_inhalt = f.readAll();
            f.close();
            ::close(m_datei);
        }
        return m_inhalt;
    }

private:
    int m_gesichert = -1;
    int m_datei = -1;
    QByteArray m_inhalt;
};

// Each test gets its own home, configuration and data folders, its own
// working directory, and a PATH whose first folder holds its stand-ins.
class ProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Provider::get().handle, nullptr) << ::dlerror();
        ASSERT_TRUE(m_dir.isValid());
        for (const char* d : {"home", "tmp", "bin", "config", "data"})
            QDir(m_dir.path()).mkpath(QLatin1String(d));
        m_alt_cwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        setze("HOME", pfad("home"));
        setze("XDG_CONFIG_HOME", pfad("config"));
        setze("XDG_DATA_HOME", pfad("data"));
        setze("TMPDIR", pfad("tmp"));
        setze("PATH", pfad("bin") + QStringLiteral(":/usr/bin:/bin"));
        ::unsetenv("TELVORIN_MAPI_CONFIG");
    }
    void TearDown() override { QDir::setCurrent(m_alt_cwd); }

    static void setze(const char* name, const QString& wert) { ::setenv(name, wert.toUtf8().constData(), 1); }
    QString pfad(const QString& relativ) const { return m_dir.path() + QLatin1Char('/') + relativ; }

    QString schreibe(const QString& relativ, const QByteArray& inhalt, bool ausfuehrbar = false) const
    {
        const QString ziel = pfad(relativ);
        QDir().mkpath(QFileInfo(ziel).absolutePath());
        QFile f(ziel);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
        f.close();
        if (ausfuehrbar)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return ziel;
    }

    // Writes the configuration file and points TELVORIN_MAPI_CONFIG at it.
    QString konfiguration(const QByteArray& inhalt)
    {
        const QString datei = schreibe(QStringLiteral("mapi.ini"), inhalt);
        setze("TELVORIN_MAPI_CONFIG", datei);
        return datei;
    }

    // The .eml files in `ordner`, sorted by name.
    static QStringList mails_in(const QString& ordner)
    {
        return QDir(ordner).entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    }
    QString standard_ausgang() const { return pfad("data/telvorin/outbox"); }

    // The one message in `ordner`, read back; fails the test when there is not exactly one.
    GeleseneMail einzige_mail(const QString& ordner) const
    {
        const QStringList mails = mails_in(ordner);
        EXPECT_EQ(mails.size(), 1) << mails.join(QLatin1Char(' ')).toStdString();
        if (mails.size() != 1)
            return GeleseneMail();
        QFile f(ordner + QLatin1Char('/') + mails.first());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        GeleseneMail mail = lies_mail(f.readAll());
        EXPECT_TRUE(mail.ok) << mail.fehler.toStdString();
        return mail;
    }

    LHANDLE anmelden(const char* profil = nullptr, const char* passwort = nullptr)
    {
        LHANDLE sitzung = 0;
        const ULONG r = Provider::get().logon(0, const_cast<char*>(profil), const_cast<char*>(passwort),
                                              MAPI_NEW_SESSION, 0, &sitzung);
        EXPECT_EQ(r, static_cast<ULONG>(SUCCESS_SUCCESS));
        return sitzung;
    }

    ULONG sende(LHANDLE sitzung, Nachricht& n, FLAGS flags = MAPI_DIALOG)
    {
        MapiForm form(n);
        return Provider::get().send(sitzung, 0, form.message(), flags, 0);
    }

    // A stand-in command on PATH, recording beside the working directory.
    QString standin(const QString& name, int status)
    {
        return schreibe(QStringLiteral("bin/") + name, providertest::standin_skript(pfad(name), status), true);
    }
    QStringList aufgerufen_mit(const QString& name) const { return providertest::aufgezeichnete_argumente(pfad(name)); }

    QTemporaryDir m_dir;
    QString m_alt_cwd;
};

TEST_F(ProviderTest, ExportsTheWholeLoadTableAndAnswersNotSupportedWhereItHasNoMeaning)
{
    const char* alle[] = {"MAPILogon", "MAPILogoff", "MAPISendMail", "MAPISendMailW", "MAPISendDocuments",
                          "MAPIFindNext", "MAPIReadMail", "MAPISaveMail", "MAPIDeleteMail", "MAPIFreeBuffer",
                          "MAPIAddress", "MAPIDetails", "MAPIResolveName"};
    for (const char* name : alle)
        EXPECT_NE(::dlsym(Provider::get().handle, name), nullptr) << name;

    void* h = Provider::get().handle;
    char leer[] = "";
    EXPECT_EQ(reinterpret_cast<LPMAPISENDDOCUMENTS>(::dlsym(h, "MAPISendDocuments"))(0, leer, leer, leer, 0), 26u);
    EXPECT_EQ(reinterpret_cast<LPMAPIFINDNEXT>(::dlsym(h, "MAPIFindNext"))(0, 0, nullptr, nullptr, 0, 0, leer), 26u);
    lpMapiMessage gelesen = nullptr;
    EXPECT_EQ(reinterpret_cast<LPMAPIREADMAIL>(::dlsym(h, "MAPIReadMail"))(0, 0, leer, 0, 0, &gelesen), 26u);
    EXPECT_EQ(reinterpret_cast<LPMAPISAVEMAIL>(::dlsym(h, "MAPISaveMail"))(0, 0, nullptr, 0, 0, leer), 26u);
    EXPECT_EQ(reinterpret_cast<LPMAPIDELETEMAIL>(::dlsym(h, "MAPIDeleteMail"))(0, 0, leer, 0, 0), 26u);
    ULONG neu = 0;
    lpMapiRecipDesc neue = nullptr;
    EXPECT_EQ(reinterpret_cast<LPMAPIADDRESS>(::dlsym(h, "MAPIAddress"))(0, 0, leer, 1, leer, 0, nullptr, 0, 0, &neu,
                                                                          &neue),
              26u);
    EXPECT_EQ(reinterpret_cast<LPMAPIDETAILS>(::dlsym(h, "MAPIDetails"))(0, 0, nullptr, 0, 0), 26u);
}

struct AnmeldeFall {
    const char* beschreibung;
    const char* profil;   // nullptr: none
    const char* passwort; // nullptr: none
    ULONG erwartet;
};

const QByteArray anmelde_konfiguration = "[General]\nDefaultProfile=Buero\n"
                                         "[Buero]\nPassword=geheim\n"
                                         "[Privat]\nDelivery=outbox\n";

TEST_F(ProviderTest, LogonChoosesTheProfileAndChecksAGivenPassword)
{
    const AnmeldeFall faelle[] = {
        {"no profile: the default", nullptr, nullptr, 0},
        {"empty profile: the default", "", "", 0},
        {"default profile, wrong password", nullptr, "falsch", 3},
        {"default profile, right password", nullptr, "geheim", 0},
        {"named profile, empty password", "Buero", "", 0},
        {"named profile, right password", "Buero", "geheim", 0},
        {"named profile, wrong password", "Buero", "Geheim", 3},
        {"profile name in other letter case", "privat", "egal", 0},
        {"built-in profile beside the file's", "Standard", nullptr, 0},
        {"unknown profile", "Urlaub", nullptr, 3},
        {"the address book is no profile", "AddressBook", nullptr, 3},
    };
    konfiguration(anmelde_konfiguration + "[AddressBook]\nMax=max@example.com\n");
    for (const AnmeldeFall& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        LHANDLE sitzung = 12345;
        const ULONG r = Provider::get().logon(0, const_cast<char*>(fall.profil), const_cast<char*>(fall.passwort),
                                              MAPI_NEW_SESSION | MAPI_LOGON_UI, 0, &sitzung);
        EXPECT_EQ(r, fall.erwartet);
        if (r == SUCCESS_SUCCESS) {
            EXPECT_NE(sitzung, 0u);
            EXPECT_EQ(Provider::get().logoff(sitzung, 0, 0, 0), 0u);
        } else {
            EXPECT_EQ(sitzung, 0u);
        }
    }
}

TEST_F(ProviderTest, SessionsAreDistinctAndEndOnce)
{
    const LHANDLE a = anmelden();
    const LHANDLE b = anmelden("Standard");
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(Provider::get().logoff(a, 0, 0, 0), 0u);
    EXPECT_EQ(Provider::get().logoff(a, 0, 0, 0), 19u);
    EXPECT_EQ(Provider::get().logoff(0, 0, 0, 0), 19u);
    EXPECT_EQ(Provider::get().logoff(b + 1000, 0, 0, 0), 19u);
    Nachricht n;
    n.empfaenger = {{MAPI_TO, "a@example.com", ""}};
    EXPECT_EQ(sende(a, n), 19u);
    EXPECT_EQ(Provider::get().logoff(b, 0, 0, 0), 0u);
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

struct KonfigFehler {
    const char* beschreibung;
    QByteArray inhalt;
    const char* grund;
};

TEST_F(ProviderTest, ABrokenConfigurationFailsTheLogonWithOneLineNamingTheFile)
{
    const KonfigFehler faelle[] = {
        {"line without key", "[Standard]\nDelivery=outbox\nnur Text\n", "Syntaxfehler in Zeile 3"},
        {"unclosed section", "[Standard\nDelivery=outbox\n", "Syntaxfehler in Zeile 1"},
        {"binary content", QByteArray("[a]\nx=\0\1\2", 9), "Syntaxfehler"},
        {"unknown delivery", "[Standard]\nDelivery=brieftaube\n", "unbekannte Zustellart 'brieftaube' in [Standard]"},
        {"misspelt key", "[Standard]\nDelivry=sendmail\n", "unbekannter Eintrag 'Delivry' in [Standard]"},
        {"unknown top-level key", "Profil=x\n", "unbekannter Eintrag 'Profil' in [General]"},
        {"sender without address", "[Standard]\nFrom=Max Mustermann\n", "ungueltiger Absender 'Max Mustermann'"},
        {"address book entry without address", "[AddressBook]\nMax=Mustermann\n", "ungueltige Adresse 'Mustermann'"},
        {"default profile missing", "[General]\nDefaultProfile=Fehlt\n", "Standardprofil 'Fehlt' fehlt"},
    };
    int nummer = 0;
    for (const KonfigFehler& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        // A file of its own per case: the provider reports each broken file once.
        const QString datei = schreibe(QStringLiteral("fehler%1.ini").arg(++nummer), fall.inhalt);
        setze("TELVORIN_MAPI_CONFIG", datei);
        StderrMitschnitt mitschnitt;
        LHANDLE sitzung = 7;
        EXPECT_EQ(Provider::get().logon(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &sitzung), 2u);
        // The mailer's retry must not add a second line.
        EXPECT_EQ(Provider::get().logon(0, nullptr, nullptr, 0, 0, &sitzung), 2u);
        const QByteArray zeilen = mitschnitt.beende();
        EXPECT_EQ(sitzung, 0u);
        EXPECT_EQ(zeilen.count('\n'), 1) << zeilen.constData();
        EXPECT_TRUE(zeilen.startsWith("MAPI-Konfiguration '" + datei.toUtf8() + "' nicht verwendbar: "))
            << zeilen.constData();
        EXPECT_TRUE(zeilen.contains(fall.grund)) << zeilen.constData();
    }
}

TEST_F(ProviderTest, ANamedFileMustExistWhileTheDefaultPlaceMayBeEmpty)
{
    setze("TELVORIN_MAPI_CONFIG", pfad("gibt-es-nicht.ini"));
    LHANDLE sitzung = 0;
    StderrMitschnitt mitschnitt;
    EXPECT_EQ(Provider::get().logon(0, nullptr, nullptr, 0, 0, &sitzung), 2u);
    EXPECT_TRUE(mitschnitt.beende().contains("gibt-es-nicht.ini' nicht verwendbar: Datei fehlt"));

    setze("TELVORIN_MAPI_CONFIG", pfad("config"));
    StderrMitschnitt verzeichnis;
    EXPECT_EQ(Provider::get().logon(0, nullptr, nullptr, 0, 0, &sitzung), 2u);
    EXPECT_TRUE(verzeichnis.beende().contains("keine Datei"));

    // An empty variable counts as unset; the default place holds a file.
    setze("TELVORIN_MAPI_CONFIG", QString());
    schreibe(QStringLiteral("config/telvorin/mapi.ini"), "[Standard]\nOutbox=" + pfad("woanders").toUtf8() + "\n");
    Nachricht n;
    n.empfaenger = {{MAPI_TO, "a@example.com", ""}};
    EXPECT_EQ(sende(0, n), 0u);
    EXPECT_EQ(mails_in(pfad("woanders")).size(), 1);
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

TEST_F(ProviderTest, TheConfigurationShownInTheReadmeWorksAsWritten)
{
    QFile readme(QString::fromUtf8(TELVORIN_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QByteArray text = readme.readAll();
    const int anfang = text.indexOf("```ini\n");
    ASSERT_GE(anfang, 0);
    const int ende = text.indexOf("```", anfang + 7);
    ASSERT_GT(ende, anfang);
    konfiguration(text.mid(anfang + 7, ende - anfang - 7));

    for (const char* profil : {"Buero", "Interaktiv", "Direkt", "Standard"}) {
        SCOPED_TRACE(profil);
        Provider::get().logoff(anmelden(profil, profil == std::string("Buero") ? "geheim" : ""), 0, 0, 0);
    }
    std::string name = "max mustermann";
    lpMapiRecipDesc ergebnis = nullptr;
    ASSERT_EQ(Provider::get().resolve(0, 0, name.data(), 0, 0, &ergebnis), 0u);
    EXPECT_STREQ(ergebnis->lpszAddress, "SMTP:max@example.com");
    Provider::get().free_buffer(ergebnis);

    Nachricht n;
    n.empfaenger = {{MAPI_TO, "a@example.com", ""}};
    ASSERT_EQ(sende(0, n), 0u);  // the default profile, Buero, with its outbox under the home folder
    const GeleseneMail mail = einzige_mail(pfad("home/Mail/outbox"));
    EXPECT_EQ(mail.adressen("from"), QStringList{QStringLiteral("max@example.com")});
}

const QByteArray adressbuch = "[AddressBook]\n"
                              "Max Mustermann=max@example.com\n"
                              "Maria Muster=maria@example.com\n"
                              "Team=team@example.com\n"
                              "Team Vertrieb=vertrieb@example.com\n"
                              "J\xc3\xbcrgen M\xc3\xbcller=juergen@example.com\n";

struct AufloeseFall {
    const char* name;
    ULONG erwartet;
    QByteArray anzeigename;  // bytes of lpszName on success
    const char* adresse;     // lpszAddress on success
};

TEST_F(ProviderTest, ResolveNameUsesAddressesThenExactThenUniquePartialMatches)
{
    const AufloeseFall faelle[] = {
        {"kunde@example.com", 0, "kunde@example.com", "SMTP:kunde@example.com"},
        {"Kunde Eins <kunde@example.com>", 0, "Kunde Eins <kunde@example.com>", "SMTP:kunde@example.com"},
        {"max mustermann", 0, "Max Mustermann", "SMTP:max@example.com"},
        {"Mustermann", 0, "Max Mustermann", "SMTP:max@example.com"},
        {"  Maria Muster ", 0, "Maria Muster", "SMTP:maria@example.com"},
        {"team", 0, "Team", "SMTP:team@example.com"},  // exact wins over "Team Vertrieb"
        {"vertrieb", 0, "Team Vertrieb", "SMTP:vertrieb@example.com"},
        // Handed back in Latin-1, as callers of the 8-bit API read it.
        {"J\xc3\xbcrgen", 0, "J\xfcrgen M\xfcller", "SMTP:juergen@example.com"},
        {"j\xfcrgen m\xfcller", 0, "J\xfcrgen M\xfcller", "SMTP:juergen@example.com"},
        {"Muster", 21, "", ""},
        {"a", 21, "", ""},
        {"Moritz", 14, "", ""},
        {"", 14, "", ""},
        {"   ", 14, "", ""},
        {"max@", 14, "", ""},
        {"a@example.com, b@example.com", 14, "", ""},
    };
    konfiguration(adressbuch);
    const LHANDLE sitzung = anmelden();
    for (const AufloeseFall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        lpMapiRecipDesc ergebnis = reinterpret_cast<lpMapiRecipDesc>(1);
        std::string name = fall.name;
        const ULONG r = Provider::get().resolve(sitzung, 0, name.data(), 0, 0, &ergebnis);
        EXPECT_EQ(r, fall.erwartet);
        if (r != SUCCESS_SUCCESS) {
            EXPECT_EQ(ergebnis, nullptr);
            continue;
        }
        ASSERT_NE(ergebnis, nullptr);
        EXPECT_EQ(QByteArray(ergebnis->lpszName), fall.anzeigename);
        EXPECT_STREQ(ergebnis->lpszAddress, fall.adresse);
        EXPECT_EQ(ergebnis->ulRecipClass, static_cast<ULONG>(MAPI_TO));
        EXPECT_EQ(Provider::get().free_buffer(ergebnis), 0u);
    }
    std::string name = "Max";
    lpMapiRecipDesc ergebnis = nullptr;
    EXPECT_EQ(Provider::get().resolve(sitzung + 99, 0, name.data(), 0, 0, &ergebnis), 19u);
    // Session 0 logs on to the default profile for the call.
    EXPECT_EQ(Provider::get().resolve(0, 0, name.data(), 0, 0, &ergebnis), 0u);
    EXPECT_EQ(Provider::get().free_buffer(ergebnis), 0u);
    Provider::get().logoff(sitzung, 0, 0, 0);
}

TEST_F(ProviderTest, FreeBufferRefusesWhatItDidNotHandOut)
{
    std::string name = "x@example.com";
    lpMapiRecipDesc ergebnis = nullptr;
    ASSERT_EQ(Provider::get().resolve(0, 0, name.data(), 0, 0, &ergebnis), 0u);
    EXPECT_EQ(Provider::get().free_buffer(ergebnis), 0u);
    EXPECT_NE(Provider::get().free_buffer(ergebnis), 0u);  // twice
    MapiRecipDesc eigenes {};
    EXPECT_NE(Provider::get().free_buffer(&eigenes), 0u);
    void* fremd = std::malloc(16);
    EXPECT_NE(Provider::get().free_buffer(fremd), 0u);
    std::free(fremd);
    EXPECT_EQ(Provider::get().free_buffer(nullptr), 0u);
}

// Every byte value, so that any text-mode damage shows.
QByteArray alle_bytes()
{
    QByteArray b;
    for (int runde = 0; runde < 3; ++runde)
        for (int i = 0; i < 256; ++i)
            b.append(static_cast<char>(i));
    return b;
}

TEST_F(ProviderTest, TheOutboxGetsACompleteMimeMessageThatAnotherParserReadsBack)
{
    konfiguration("[Standard]\nFrom=B\xc3\xbcro Telvorin <buero@example.com>\n" + adressbuch);
    const QByteArray pdf = alle_bytes();
    schreibe(QStringLiteral("anlagen/bericht.pdf"), pdf);
    schreibe(QStringLiteral("anlagen/notiz"), "Notiz\r\n");
    const LHANDLE sitzung = anmelden();
    Nachricht n;
    n.betreff = "Angebot f\xc3\xbcr M\xc3\xbcller \xe2\x82\xac";
    n.text = "Zeile 1\r\nZeile \xc3\xa4 2\r\n\r\nEnde\r\n";
    n.empfaenger = {{MAPI_TO, "Mustermann", ""},
                    {MAPI_TO, "Kunde", "SMTP:kunde@example.com"},
                    {MAPI_CC, "maria@example.com", ""},
                    {MAPI_BCC, "Team Vertrieb", ""}};
    n.dateien = {{"anlagen\\bericht.pdf", "Bericht M\xe4rz.pdf"},  // title in Latin-1
                 {pfad("anlagen/notiz").toStdString(), ""}};
    ASSERT_EQ(sende(sitzung, n), 0u);

    const GeleseneMail mail = einzige_mail(standard_ausgang());
    ASSERT_TRUE(mail.ok);
    EXPECT_EQ(mail.json.value(QStringLiteral("defects")).toArray().size(), 0);
    EXPECT_EQ(mail.kopf("subject"), QString::fromUtf8("Angebot f\xc3\xbcr M\xc3\xbcller \xe2\x82\xac"));
    EXPECT_EQ(mail.adressen("from"), QStringList{QStringLiteral("buero@example.com")});
    EXPECT_EQ(mail.namen("from"), QStringList{QString::fromUtf8("B\xc3\xbcro Telvorin")});
    EXPECT_EQ(mail.adressen("to"), (QStringList{QStringLiteral("max@example.com"), QStringLiteral("kunde@example.com")}));
    EXPECT_EQ(mail.namen("to"), (QStringList{QStringLiteral("Max Mustermann"), QStringLiteral("Kunde")}));
    EXPECT_EQ(mail.adressen("cc"), QStringList{QStringLiteral("maria@example.com")});
    EXPECT_EQ(mail.adressen("bcc"), QStringList{QStringLiteral("vertrieb@example.com")});
    EXPECT_FALSE(mail.kopf("date").isEmpty());
    EXPECT_TRUE(mail.kopf("message-id").contains(QStringLiteral("@example.com>")));
    EXPECT_EQ(mail.kopf("mime-version"), QStringLiteral("1.0"));
    EXPECT_EQ(mail.json.value(QStringLiteral("body_charset")).toString(), QStringLiteral("utf-8"));
    EXPECT_EQ(mail.text(), QString::fromUtf8("Zeile 1\nZeile \xc3\xa4 2\n\nEnde\n"));

    const QList<providertest::Anlage> anlagen = mail.anlagen();
    ASSERT_EQ(anlagen.size(), 2);
    EXPECT_EQ(anlagen[0].name, QString::fromUtf8("Bericht M\xc3\xa4rz.pdf"));
    EXPECT_EQ(anlagen[0].typ, QStringLiteral("application/pdf"));
    EXPECT_EQ(anlagen[0].kodierung, QStringLiteral("base64"));
    EXPECT_EQ(anlagen[0].daten, pdf);
    EXPECT_EQ(anlagen[1].name, QStringLiteral("notiz"));
    EXPECT_EQ(anlagen[1].typ, QStringLiteral("application/octet-stream"));
    EXPECT_EQ(anlagen[1].daten, QByteArray("Notiz\r\n"));

    // Canonical form on disk: 7-bit, every line ended with CR LF, the
    // non-ASCII subject and file name encoded for headers.
    for (const char c : mail.roh)
        ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0);
    EXPECT_EQ(mail.roh.count('\n'), mail.roh.count("\r\n"));
    EXPECT_FALSE(mail.roh.contains("\r\r"));
    // (GMime picks the smallest charset that holds each text.)
    EXPECT_TRUE(mail.roh.contains("\r\nSubject: Angebot =?UTF-8?")) << mail.roh.left(1500).constData();
    EXPECT_TRUE(mail.roh.contains("; filename*=iso-8859-1''Bericht%20M%E4rz.pdf\r\n"));
    Provider::get().logoff(sitzung, 0, 0, 0);
}

TEST_F(ProviderTest, EightBitTextThatIsNoUtf8IsReadAsLatin1)
{
    Nachricht n;
    n.betreff = "Gr\xfc\xdf" "e";
    n.text = "\xc4rger\r\n";
    n.empfaenger = {{MAPI_TO, "Fr\xe4nzi", "SMTP:fraenzi@example.com"}};
    ASSERT_EQ(sende(0, n, 0), 0u);
    const GeleseneMail mail = einzige_mail(standard_ausgang());
    EXPECT_EQ(mail.kopf("subject"), QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e"));
    EXPECT_EQ(mail.text().trimmed(), QString::fromUtf8("\xc3\x84rger"));
    EXPECT_EQ(mail.namen("to"), QStringList{QString::fromUtf8("Fr\xc3\xa4nzi")});
}

TEST_F(ProviderTest, TheDefaultSenderIsTheLoginAtTheHost)
{
    Nachricht n;
    n.empfaenger = {{MAPI_TO, "a@example.com", ""}};
    ASSERT_EQ(sende(0, n), 0u);
    const GeleseneMail mail = einzige_mail(standard_ausgang());
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const QStringList von = mail.adressen("from");
    ASSERT_EQ(von.size(), 1);
    EXPECT_TRUE(von.first().endsWith(QLatin1Char('@') + QString::fromLocal8Bit(host))) << von.first().toStdString();
    EXPECT_GT(von.first().indexOf(QLatin1Char('@')), 0);
}

TEST_F(ProviderTest, WideStringsAreSentTheSameWay)
{
    schreibe(QStringLiteral("a.txt"), "inhalt");
    std::u16string betreff = u"Gr\u00fc\u00dfe \u20ac";
    std::u16string text = u"Hallo\r\nWelt\r\n";
    std::u16string name = u"\u00c4nne";
    std::u16string adresse = u"SMTP:aenne@example.com";
    std::u16string pfad_w = u"a.txt";
    std::u16string titel = u"\u00dcbersicht.txt";
    MapiRecipDescW empfaenger {0, MAPI_CC, name.data(), adresse.data(), 0, nullptr};
    MapiFileDescW datei {0, 0, 0xFFFFFFFF, pfad_w.data(), titel.data(), nullptr};
    MapiMessageW m {};
    m.lpszSubject = betreff.data();
    m.lpszNoteText = text.data();
    m.nRecipCount = 1;
    m.lpRecips = &empfaenger;
    m.nFileCount = 1;
    m.lpFiles = &datei;
    ASSERT_EQ(Provider::get().send_w(0, 0, &m, MAPI_DIALOG, 0), 0u);
    const GeleseneMail mail = einzige_mail(standard_ausgang());
    EXPECT_EQ(mail.kopf("subject"), QString::fromUtf16(betreff.data()));
    EXPECT_EQ(mail.adressen("cc"), QStringList{QStringLiteral("aenne@example.com")});
    EXPECT_EQ(mail.namen("cc"), QStringList{QString::fromUtf16(name.data())});
    ASSERT_EQ(mail.anlagen().size(), 1);
    EXPECT_EQ(mail.anlagen()[0].name, QString::fromUtf16(titel.data()));
    EXPECT_EQ(mail.anlagen()[0].typ, QStringLiteral("text/plain"));
    EXPECT_EQ(mail.anlagen()[0].daten, QByteArray("inhalt"));
}

struct SendeFehler {
    const char* beschreibung;
    Nachricht nachricht;
    ULONG erwartet;
};

TEST_F(ProviderTest, ACheckThatFailsStopsTheWholeMail)
{
    konfiguration(adressbuch);
    schreibe(QStringLiteral("da.txt"), "x");
    QDir().mkpath(pfad("ordner"));
    ::mkfifo(pfad("fifo").toUtf8().constData(), 0600);
    const std::string gut = "gut@example.com";
    std::vector<SendeFehler> faelle = {
        {"recipient class MAPI_ORIG", {"", "", {{MAPI_ORIG, gut, ""}}, {}}, 15},
        {"recipient class 4", {"", "", {{MAPI_TO, gut, ""}, {4, gut, ""}}, {}}, 15},
        {"bad class wins over an unknown name", {"", "", {{MAPI_TO, "Niemand", ""}, {7, gut, ""}}, {}}, 15},
        {"unknown name", {"", "", {{MAPI_TO, gut, ""}, {MAPI_CC, "Niemand", ""}}, {}}, 14},
        {"ambiguous name", {"", "", {{MAPI_BCC, "Muster", ""}}, {}}, 21},
        {"no name, no address", {"", "", {{MAPI_TO, "", ""}}, {}}, 14},
        {"address that is none", {"", "", {{MAPI_TO, "X", "SMTP:kein adresse"}}, {}}, 25},
        {"missing attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"da.txt", ""}, {"fehlt\\nicht.txt", ""}}}, 11},
        {"empty attachment path", {"", "", {{MAPI_TO, gut, ""}}, {{"", "name.txt"}}}, 11},
        {"directory as attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"ordner", ""}}}, 12},
        {"FIFO as attachment", {"", "", {{MAPI_TO, gut, ""}}, {{"fifo", ""}}}, 12},
        {"unknown name before missing file", {"", "", {{MAPI_TO, "Niemand", ""}}, {{"fehlt.txt", ""}}}, 14},
    };
    const LHANDLE sitzung = anmelden();
    for (SendeFehler& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        EXPECT_EQ(sende(sitzung, fall.nachricht), fall.erwartet);
        EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
    }
    MapiMessage kaputt {};
    kaputt.nRecipCount = 2;
    EXPECT_EQ(Provider::get().send(sitzung, 0, &kaputt, 0, 0), 2u);
    EXPECT_EQ(Provider::get().send(sitzung, 0, nullptr, 0, 0), 2u);
    kaputt.nRecipCount = 10001;
    EXPECT_EQ(Provider::get().send(sitzung, 0, &kaputt, 0, 0), 10u);
    Provider::get().logoff(sitzung, 0, 0, 0);
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

TEST_F(ProviderTest, TheOutboxNeverOverwritesAndReportsWhatItCannotWrite)
{
    Nachricht n;
    n.empfaenger = {{MAPI_TO, "a@example.com", ""}};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(sende(0, n), 0u);
    const QStringList mails = mails_in(standard_ausgang());
    EXPECT_EQ(mails.size(), 3);
    // Nothing but the finished messages is left behind.
    EXPECT_EQ(QDir(standard_ausgang()).entryList(QDir::Files | QDir::Hidden).size(), 3);

    schreibe(QStringLiteral("datei"), "keine Mappe");
    konfiguration("[Standard]\nOutbox=datei/unter\n");  // relative to the configuration file
    EXPECT_EQ(sende(0, n), 2u);
    konfiguration("[Standard]\nOutbox=ausgang\n");
    EXPECT_EQ(sende(0, n), 0u);
    EXPECT_EQ(mails_in(pfad("ausgang")).size(), 1);
}

struct BefehlsFall {
    const char* beschreibung;
    QByteArray konfiguration;
    FLAGS flags;
    int empfaenger;
    ULONG erwartet;
};

TEST_F(ProviderTest, ADeliveryCommandThatFailsFailsTheSend)
{
    standin(QStringLiteral("scheitert"), 3);
    standin(QStringLiteral("klappt"), 0);
    const BefehlsFall faelle[] = {
        {"sendmail exits non-zero", "Delivery=sendmail\nSendmail=scheitert\n", 0, 1, 2},
        {"sendmail not there", "Delivery=sendmail\nSendmail=/nicht/da\n", 0, 1, 2},
        {"sendmail without recipients", "Delivery=sendmail\nSendmail=klappt\n", 0, 0, 25},
        {"composer exits non-zero", "Delivery=composer\nComposer=scheitert\n", MAPI_DIALOG, 1, 2},
        {"composer not there", "Delivery=composer\nComposer=gibts-nicht\n", MAPI_DIALOG, 1, 2},
        {"composer without MAPI_DIALOG", "Delivery=composer\nComposer=klappt\n", 0, 1, 2},
        {"composer without recipients", "Delivery=composer\nComposer=klappt\n", MAPI_DIALOG, 0, 0},
    };
    for (const BefehlsFall& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        konfiguration("[Standard]\n" + fall.konfiguration);
        Nachricht n;
        for (int i = 0; i < fall.empfaenger; ++i)
            n.empfaenger.push_back({MAPI_TO, "x@example.com", ""});
        EXPECT_EQ(sende(0, n, fall.flags), fall.erwartet);
    }
}

TEST_F(ProviderTest, TheComposerGetsEverythingTheWayXdgEmailTakesIt)
{
    standin(QStringLiteral("xdg-email"), 0);
    schreibe(QStringLiteral("docs/plan.txt"), "plan");
    konfiguration("[Standard]\nDelivery=composer\n" + adressbuch);
    Nachricht n;
    n.betreff = "Betreff \xc3\xa4";
    n.text = "Zeile 1\r\nZeile 2\r\n";
    n.empfaenger = {{MAPI_TO, "Max Mustermann", ""},
                    {MAPI_TO, "Unbekannt Person", ""},
                    {MAPI_CC, "Muster", ""},
                    {MAPI_BCC, "", "SMTP:geheim@example.com"}};
    n.dateien = {{"docs\\plan.txt", "Plan.txt"}};
    ASSERT_EQ(sende(0, n, MAPI_DIALOG), 0u);
    EXPECT_EQ(aufgerufen_mit(QStringLiteral("xdg-email")),
              (QStringList{QStringLiteral("--utf8"), QStringLiteral("--cc"), QStringLiteral("Muster"),
                           QStringLiteral("--bcc"), QStringLiteral("geheim@example.com"),
                           QStringLiteral("--subject"), QString::fromUtf8("Betreff \xc3\xa4"),
                           QStringLiteral("--body"), QStringLiteral("Zeile 1\nZeile 2\n"),
                           QStringLiteral("--attach"), pfad("docs/plan.txt"), QStringLiteral("max@example.com"),
                           QStringLiteral("Unbekannt Person")}));
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

}  // namespace

// The real telvorin binary sending through the real provider into temporary configurations.
#include "lauf.h"
#include "mail_leser.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using providertest::GeleseneMail;
using providertest::lies_mail;
using testhilfe::Ergebnis;
using testhilfe::Umgebung;

namespace {

const QByteArray programmende("\n\n- Programmende mit Fehlern -\n\n");

// An interface file: profile, ignored line, subject, the five counted lists, the body.
QByteArray interfacedatei(const QByteArray& profil, const QByteArray& betreff, const QList<QByteArray>& to,
                          const QList<QByteArray>& cc, const QList<QByteArray>& atta, const QList<QByteArray>& attt,
                          const QByteArray& text, const QList<QByteArray>& bcc = {})
{
    QByteArray datei = profil + "\n\n" + betreff + "\n";
    for (const QList<QByteArray>& liste : {to, cc, bcc, atta, attt}) {
        datei += QByteArray::number(liste.size()) + "\n";
        for (const QByteArray& zeile : liste)
            datei += zeile + "\n";
    }
    return datei + text;
}

class ProviderTelvorin : public ::testing::Test {
protected:
    Ergebnis sende(const QByteArray& datei)
    {
        m_u.schreibe(QStringLiteral("mail.txt"), datei);
        return m_u.starte({QStringLiteral("mail.txt")});
    }
    QString standard_ausgang() const { return m_u.pfad(QStringLiteral("home/.local/share/telvorin/outbox")); }
    void konfiguration(const QByteArray& inhalt)
    {
        m_u.schreibe(QStringLiteral("home/.config/telvorin/mapi.ini"), inhalt);
    }
    static QStringList mails_in(const QString& ordner)
    {
        return QDir(ordner).entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    }
    GeleseneMail einzige_mail(const QString& ordner) const
    {
        const QStringList mails = mails_in(ordner);
        EXPECT_EQ(mails.size(), 1) << ordner.toStdString();
        if (mails.size() != 1)
            return GeleseneMail();
        GeleseneMail mail = lies_mail(m_u.lies(ordner + QLatin1Char('/') + mails.first()));
        EXPECT_TRUE(mail.ok) << mail.fehler.toStdString();
        return mail;
    }
    // A stand-in command on PATH, recording beside the working directory.
    void standin(const QString& name)
    {
        m_u.schreibe(QStringLiteral("bin/") + name, providertest::standin_skript(m_u.pfad(name), 0));
        QFile(m_u.pfad(QStringLiteral("bin/") + name)).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        m_u.setze(QStringLiteral("PATH"), m_u.pfad(QStringLiteral("bin")) + QStringLiteral(":/usr/bin:/bin"));
    }
    QStringList aufgerufen_mit(const QString& name) const
    {
        return providertest::aufgezeichnete_argumente(m_u.pfad(name));
    }

    Umgebung m_u;
};

TEST_F(ProviderTelvorin, TheBundledExampleGoesIntoTheDefaultOutboxWithoutAnyConfiguration)
{
    const QByteArray anhang = m_u.lies(testhilfe::quellverzeichnis() + QStringLiteral("/examples/anhang.txt"));
    ASSERT_FALSE(anhang.isEmpty());
    m_u.schreibe(QStringLiteral("examples/mail.txt"),
                 m_u.lies(testhilfe::quellverzeichnis() + QStringLiteral("/examples/mail.txt")));
    m_u.schreibe(QStringLiteral("examples/anhang.txt"), anhang);

    const Ergebnis e = m_u.starte({QStringLiteral("examples/mail.txt")});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_TRUE(e.standardausgabe.endsWith("'\nEmail gesendet: Angebot Nr. 4711\n")) << e.standardausgabe.constData();
    // The provider prints nothing of its own.
    EXPECT_EQ(e.standardfehler, QByteArray("Interfacedatei 'examples/mail.txt'\n"));

    const GeleseneMail mail = einzige_mail(standard_ausgang());
    EXPECT_EQ(mail.kopf("subject"), QStringLiteral("Angebot Nr. 4711"));
    EXPECT_EQ(mail.adressen("to"), QStringList{QStringLiteral("kunde@example.com")});
    EXPECT_EQ(mail.text(), QStringLiteral("Sehr geehrte Damen und Herren,\n\nanbei unser Angebot.\n\n"
                                          "Mit freundlichen Gruessen\n"));
    ASSERT_EQ(mail.anlagen().size(), 1);
    EXPECT_EQ(mail.anlagen()[0].name, QStringLiteral("Angebot.txt"));
    EXPECT_EQ(mail.anlagen()[0].typ, QStringLiteral("text/plain"));
    EXPECT_EQ(mail.anlagen()[0].daten, anhang);
}

struct ProfilFall {
    const char* beschreibung;
    QByteArray profil;      // line 1 of the interface file
    const char* ausgang;    // where the mail must land, relative to the working directory
};

TEST_F(ProviderTelvorin, TheProfileOfTheInterfaceFileChoosesWhereTheMailGoes)
{
    const ProfilFall faelle[] = {
        {"named profile", "Vertrieb", "home/.config/telvorin/vertrieb"},
        {"name in other letter case", "VERTRIEB", "home/.config/telvorin/vertrieb"},
        // The mailer retries an unknown profile without a name: the default one.
        {"unknown profile", "Gibtsnicht", "haupt"},
        {"empty line", "", "haupt"},
        // The mailer's password is always empty, which a protected profile accepts.
        {"profile with a password", "Geschuetzt", "geschuetzt"},
    };
    konfiguration("[General]\nDefaultProfile=Haupt\n"
                  "[Haupt]\nOutbox=" + m_u.pfad(QStringLiteral("haupt")).toUtf8() + "\n"
                  "[Vertrieb]\nOutbox=vertrieb\nFrom=Vertrieb <vertrieb@example.com>\n"
                  "[Geschuetzt]\nOutbox=~/../geschuetzt\nPassword=geheim\n");
    for (const ProfilFall& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        const Ergebnis e = sende(interfacedatei(fall.profil, "Profil", {"a@example.com"}, {}, {}, {}, "Text\n"));
        EXPECT_EQ(e.exit_code, 0) << e.standardfehler.constData();
        EXPECT_TRUE(e.standardausgabe.endsWith("Email gesendet: Profil\n"));
        const QString ausgang = m_u.pfad(QLatin1String(fall.ausgang));
        const GeleseneMail mail = einzige_mail(ausgang);
        if (fall.profil == "Vertrieb") {
            EXPECT_EQ(mail.adressen("from"), QStringList{QStringLiteral("vertrieb@example.com")});
        }
        QDir(ausgang).removeRecursively();
    }
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

TEST_F(ProviderTelvorin, AttachmentsWrittenTheWindowsWayArriveUnderTheirTitles)
{
    QByteArray binaer;
    for (int i = 0; i < 1000; ++i)
        binaer.append(static_cast<char>((i * 37) & 0xFF));
    m_u.schreibe(QStringLiteral("anlagen/unter/daten.bin"), binaer);
    m_u.schreibe(QStringLiteral("anlagen/bild.png"), "\x89PNG\r\n");
    // A UTF-8 interface file; the mailer hands the title over in Latin-1.
    const Ergebnis e = sende(interfacedatei("", "Anlagen f\xc3\xbcr Sie", {"a@example.com"}, {},
                                            {"anlagen\\unter\\daten.bin", "anlagen/bild.png"},
                                            {"\xc3\x9c" "bersicht M\xc3\xa4rz.bin", "Foto.png"}, "Text\n"));
    ASSERT_EQ(e.exit_code, 0) << e.standardfehler.constData();
    const GeleseneMail mail = einzige_mail(standard_ausgang());
    EXPECT_EQ(mail.kopf("subject"), QString::fromUtf8("Anlagen f\xc3\xbcr Sie"));
    const QList<providertest::Anlage> anlagen = mail.anlagen();
    ASSERT_EQ(anlagen.size(), 2);
    EXPECT_EQ(anlagen[0].name, QString::fromUtf8("\xc3\x9c" "bersicht M\xc3\xa4rz.bin"));
    EXPECT_EQ(anlagen[0].daten, binaer);
    EXPECT_EQ(anlagen[1].name, QStringLiteral("Foto.png"));
    EXPECT_EQ(anlagen[1].typ, QStringLiteral("image/png"));
    EXPECT_EQ(anlagen[1].daten, QByteArray("\x89PNG\r\n"));
}

TEST_F(ProviderTelvorin, RecipientsResolveThroughTheAddressBook)
{
    konfiguration("[AddressBook]\nMax Mustermann=max@example.com\nJ\xc3\xbcrgen M\xc3\xbcller=juergen@example.com\n");
    const Ergebnis e = sende(interfacedatei("", "Adressbuch", {"Mustermann", "<direkt@example.com>"},
                                            {"j\xc3\xbcrgen"}, {}, {}, "Text\n"));
    ASSERT_EQ(e.exit_code, 0) << e.standardfehler.constData();
    const GeleseneMail mail = einzige_mail(standard_ausgang());
    EXPECT_EQ(mail.adressen("to"), (QStringList{QStringLiteral("max@example.com"), QStringLiteral("direkt@example.com")}));
    EXPECT_EQ(mail.namen("to"), (QStringList{QStringLiteral("Max Mustermann"), QString()}));
    EXPECT_EQ(mail.adressen("cc"), QStringList{QStringLiteral("juergen@example.com")});
    EXPECT_EQ(mail.namen("cc"), QStringList{QString::fromUtf8("J\xc3\xbcrgen M\xc3\xbcller")});
}

struct FehlerFall {
    const char* beschreibung;
    QByteArray datei;
    QByteArray fehlertext;  // the mailer's text for the provider's code
};

TEST_F(ProviderTelvorin, AFailedCheckReachesTheConsoleAsTheMailersText)
{
    const FehlerFall faelle[] = {
        {"missing attachment",
         interfacedatei("", "S", {"a@example.com"}, {}, {"fehlt\\datei.pdf"}, {}, "T\n"),
         "The specified attachment was not found. No message was sent.\nFehler beim Senden der EMail "
         "(ATTACHMENT_NOT_FOUND)"},
        {"ambiguous name",
         interfacedatei("", "S", {"Muster"}, {}, {}, {}, "T\n"),
         "A recipient matched more than one of the recipient descriptor structures and MAPI_DIALOG was not set. "
         "No message was sent.\nFehler beim Senden der EMail (AMBIGUOUS_RECIPIENT)"},
        {"unknown name",
         interfacedatei("", "S", {"a@example.com"}, {"Niemand"}, {}, {}, "T\n"),
         "A recipient did not appear in the address list. No message was sent.\nFehler beim Senden der EMail "
         "(UNKNOWN_RECIPIENT)"},
    };
    konfiguration("[AddressBook]\nMax Mustermann=max@example.com\nMaria Muster=maria@example.com\n");
    for (const FehlerFall& fall : faelle) {
        SCOPED_TRACE(fall.beschreibung);
        const Ergebnis e = sende(fall.datei);
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_FALSE(e.standardausgabe.contains("Email gesendet"));
        EXPECT_TRUE(e.standardfehler.endsWith("Fehler beim Mailinterface !\nMail-Error: " + fall.fehlertext + "\n"
                                              + fall.fehlertext + "\n" + programmende))
            << e.standardfehler.constData();
        EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
    }
}

TEST_F(ProviderTelvorin, ABrokenConfigurationGivesOneLineAndTheLogonFailure)
{
    konfiguration("[Standard]\nDelivery=fax\n");
    const Ergebnis e = sende(interfacedatei("Standard", "S", {"a@example.com"}, {}, {}, {}, "T\n"));
    EXPECT_EQ(e.exit_code, 255);
    const QByteArray zeile = "MAPI-Konfiguration '" + m_u.pfad(QStringLiteral("home/.config/telvorin/mapi.ini")).toUtf8()
                             + "' nicht verwendbar: unbekannte Zustellart 'fax' in [Standard]\n";
    EXPECT_EQ(e.standardfehler, "Interfacedatei 'mail.txt'\n" + zeile
                                    + "Fehler beim Mailinterface !\nMail-Error: Fehler bei MAPI Logon (FAILURE)\n"
                                      "Fehler bei MAPI Logon (FAILURE)\n" + programmende);
    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

TEST_F(ProviderTelvorin, TheComposerAndSendmailDeliveriesRunTheirCommands)
{
    standin(QStringLiteral("xdg-email"));
    standin(QStringLiteral("sendmail"));
    m_u.schreibe(QStringLiteral("plan.txt"), "Plan");
    const QByteArray datei = interfacedatei("", "Weg", {"to@example.com"}, {"cc@example.com"}, {"plan.txt"}, {},
                                            "Zeile\n", {"bcc@example.com"});

    konfiguration("[Standard]\nDelivery=composer\n");
    Ergebnis e = sende(datei);
    EXPECT_EQ(e.exit_code, 0) << e.standardfehler.constData();
    EXPECT_EQ(aufgerufen_mit(QStringLiteral("xdg-email")),
              (QStringList{QStringLiteral("--utf8"), QStringLiteral("--cc"), QStringLiteral("cc@example.com"),
                           QStringLiteral("--bcc"), QStringLiteral("bcc@example.com"), QStringLiteral("--subject"), QStringLiteral("Weg"), QStringLiteral("--body"),
                           QStringLiteral("Zeile\n"), QStringLiteral("--attach"), m_u.pfad(QStringLiteral("plan.txt")),
                           QStringLiteral("to@example.com")}));

    konfiguration("[Standard]\nDelivery=sendmail\nSendmail=sendmail -f ich@example.com\nFrom=ich@example.com\n");
    e = sende(datei);
    EXPECT_EQ(e.exit_code, 0) << e.standardfehler.constData();
    EXPECT_EQ(aufgerufen_mit(QStringLiteral("sendmail")),
              (QStringList{QStringLiteral("-f"), QStringLiteral("ich@example.com"), QStringLiteral("-t"),
                           QStringLiteral("-oi")}));
    const QByteArray roh = m_u.lies(QStringLiteral("sendmail.stdin"));
    EXPECT_FALSE(roh.contains('\r'));  // local line ends for the local mailer
    const GeleseneMail mail = lies_mail(roh);
    EXPECT_EQ(mail.kopf("subject"), QStringLiteral("Weg"));
    EXPECT_EQ(mail.adressen("from"), QStringList{QStringLiteral("ich@example.com")});
    EXPECT_EQ(mail.adressen("cc"), QStringList{QStringLiteral("cc@example.com")});
    EXPECT_EQ(mail.adressen("bcc"), QStringList{QStringLiteral("bcc@example.com")});  // sendmail -t needs it
    EXPECT_EQ(mail.text(), QStringLiteral("Zeile\n"));
    ASSERT_EQ(mail.anlagen().size(), 1);
    EXPECT_EQ(mail.anlagen()[0].daten, QByteArray("Plan"));

    EXPECT_TRUE(mails_in(standard_ausgang()).isEmpty());
}

}  // namespace

// The smtp delivery end to end: telvorin sends through the provider to a real SMTP server on 127.0.0.1.
#include "lauf.h"
#include "mail_leser.h"
#include "smtp_test_server.h"

#include <gtest/gtest.h>

using namespace providertest;

namespace {

struct SmtpCase {
    const char* name;
    const char* server_mode;   // as smtp_server.py takes it
    const char* size_limit;    // the server's SIZE, "" for none
    QByteArray credentials;    // profile lines after Server=
    const char* to;            // the interface file's TO entry
    int attachment_size;       // bytes of a generated attachment, 0 for none
    const char* reason;        // expected on standard error after the server; nullptr: the mail is delivered
    const char* code_text;     // the tool's text for the code it got
};

const QByteArray trusted = "CAFile=server/cert.pem\n";
const QByteArray good = trusted + "User=max\nPassword=geheim\n";
const char* const logon_failure = "There was no default logon, and the user failed to log on successfully when the "
                                  "logon dialog box was displayed. No message was sent.\nFehler beim Senden der EMail "
                                  "(LOGON_FAILURE )";
const char* const failure = "One or more unspecified errors occurred. No message was sent.\nFehler beim Senden der "
                            "EMail (FAILURE)";

const SmtpCase cases[] = {
    {"AllRecipientsInTheEnvelopeNoBccOnTheWire", "ok", "", good, "kunde@example.com", 0, nullptr, ""},
    {"FiftyMegabyteAttachment", "ok", "", good, "kunde@example.com", 50 << 20, nullptr, ""},
    {"PasswordCommandBeforePassword", "ok", "",
     trusted + "User=max\nPassword=falsch\nPasswordCommand=printf \"geheim\\nzweite Zeile\"\n", "kunde@example.com",
     0, nullptr, ""},
    {"WrongPassword", "ok", "", trusted + "User=max\nPassword=falsch\n", "kunde@example.com", 0,
     "Antwort auf AUTH: 535 5.7.8 Authentication credentials invalid", logon_failure},
    {"FailingPasswordCommand", "ok", "", trusted + "User=max\nPasswordCommand=false\n", "kunde@example.com", 0,
     "Passwortbefehl false liefert kein Passwort", logon_failure},
    {"NoLogIn", "ok", "", trusted, "kunde@example.com", 0, "Antwort auf MAIL: 530 5.7.0 Authentication required",
     logon_failure},
    {"OneRefusedRecipientFailsTheWholeSend", "ok", "", good, "abgelehnt@example.com", 0,
     "Antwort auf RCPT: 550 5.1.1 <abgelehnt@example.com>: Recipient address rejected",
     "One or more recipients were invalid or did not resolve to any address.\nFehler beim Senden der EMail "
     "(INVALID_RECIPS)"},
    {"MessageTooLarge", "ok", "100", good, "kunde@example.com", 0,
     "Antwort auf MAIL: 552 Error: message size exceeds fixed maximum message size",
     "\nFehler beim Senden der EMail (NOT_SUPPORTED)"},
    {"ServerDropsTheConnection", "drop", "", good, "kunde@example.com", 0, "response reading failed (errno: 0)", failure},
    {"UntrustedCertificate", "ok", "", "User=max\nPassword=geheim\n", "kunde@example.com", 0,
     "SSL certificate problem: self-signed certificate", failure},
    {"ImplicitTls", "smtps", "", good, "kunde@example.com", 0, nullptr, ""},
    {"NoPasswordWithoutStarttls", "plain", "", good, "kunde@example.com", 0, "STARTTLS not supported.", failure},
};

void PrintTo(const SmtpCase& c, std::ostream* out) { *out << c.name; }

class SmtpDelivery : public ::testing::TestWithParam<SmtpCase> {};

TEST_P(SmtpDelivery, TheServerGetsTheWholeMailOrTheToolSaysWhy)
{
    const SmtpCase& c = GetParam();
    testhilfe::Umgebung u;
    SmtpTestServer server(u.pfad(QStringLiteral("server")), c.server_mode, c.size_limit);
    ASSERT_NE(server.port(), 0);
    const QString url = QStringLiteral("%1://127.0.0.1:%2").arg(qstrcmp(c.server_mode, "smtps") ? "smtp" : "smtps")
                            .arg(server.port());
    u.schreibe(QStringLiteral("home/.config/telvorin/mapi.ini"),
               "[Standard]\nDelivery=smtp\nFrom=Max Mustermann <max@example.com>\nServer=" + url.toUtf8() + "\n"
                   + QByteArray(c.credentials).replace("server/", u.pfad(QStringLiteral("server/")).toUtf8()));
    QByteArray attachment(c.attachment_size, '\0');
    quint32 noise = 1;
    for (char& byte : attachment)
        byte = static_cast<char>((noise = noise * 1664525u + 1013904223u) >> 24);
    u.schreibe(QStringLiteral("anlage.bin"), attachment);
    const QByteArray files = c.attachment_size ? "1\nanlage.bin\n1\nDaten.bin\n" : "0\n0\n";
    u.schreibe(QStringLiteral("mail.txt"),
               "\n\nAngebot\n1\n" + QByteArray(c.to) + "\n1\nkopie@example.com\n1\nblind@example.com\n" + files + "Hallo\n");

    const testhilfe::Ergebnis result = u.starte({QStringLiteral("mail.txt")});
    const QByteArray received = u.lies(QStringLiteral("server/received-1"));
    if (c.reason) {
        EXPECT_EQ(result.exit_code, 255);
        EXPECT_EQ(QString::fromUtf8(result.standardfehler),
                  QStringLiteral("Interfacedatei 'mail.txt'\nSMTP-Versand ueber %1 fehlgeschlagen: %2\nFehler beim "
                                 "Mailinterface !\nMail-Error: %3\n%3\n%4")
                      .arg(url, QString::fromUtf8(c.reason), QString::fromUtf8(c.code_text),
                           QStringLiteral("\n\n- Programmende mit Fehlern -\n\n")));
        EXPECT_TRUE(received.isNull());
        return;
    }
    EXPECT_EQ(result.exit_code, 0) << result.standardfehler.constData();
    const int blank = received.indexOf("\n\n");
    EXPECT_EQ(received.left(blank), "MAIL FROM:<max@example.com>\nRCPT TO:<kunde@example.com>\nRCPT TO:<kopie@example.com>\n"
                                    "RCPT TO:<blind@example.com>");
    const QString expected = QStringLiteral("From: Max Mustermann <max@example.com>\nTo: kunde@example.com\nCc: "
                                            "kopie@example.com\nSubject: Angebot\nText (utf-8):\nHallo\n")
        + (c.attachment_size ? anlage(QStringLiteral("Daten.bin"), "application/octet-stream", attachment) : QString());
    EXPECT_EQ(lies_mail(received.mid(blank + 2)), expected);
}

INSTANTIATE_TEST_SUITE_P(ServerBehaviours, SmtpDelivery, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<SmtpCase>& info) { return std::string(info.param.name); });

}  // namespace

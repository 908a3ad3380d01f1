// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#include "tests/support/sitzung.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

void PrintTo(const QJsonObject& o, std::ostream* os)
{
    *os << QJsonDocument(o).toJson().toStdString();
}

namespace testhilfe {

QStringList dateien_in(const QString& verzeichnis)
{
    return QDir(verzeichnis).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text, const QVector<Teil>& teile)
{
    QByteArray mail = "From: Erika Muster <erika@example.org>\r\n"
                      "To: Max Beispiel <max@example.com>, ohne-name@example.com\r\n"
                      "Cc: Kopie <kopie@example.net>\r\nDate: Mon, 02 Dec 2024 10:00:00 +0100\r\n"
                      "Subject: " + betreff_zeile + "\r\nMIME-Version: 1.0\r\n";
    const QByteArray text_kopf = "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n";
    if (teile.isEmpty())
        return mail + text_kopf + text;
    mail += "Content-Type: multipart/mixed; boundary=\"grenze\"\r\n\r\n--grenze\r\n" + text_kopf + text + "\r\n";
    for (const Teil& t : teile)
        mail += "--grenze\r\n" + t.kopf + "\r\nContent-Transfer-Encoding: base64\r\n\r\n" + t.daten.toBase64() + "\r\n";
    return mail + "--grenze--\r\n";
}

QString lege_sitzung_an(Umgebung& u, const QByteArray& ini, const QMap<QString, QByteArray>& mails)
{
    QDir().mkpath(u.pfad("out"));
    if (!ini.isNull())
        u.schreibe("session/session.ini", ini);
    for (auto m = mails.begin(); m != mails.end(); ++m)
        u.schreibe("session/" + m.key(), m.value());
    u.setze("TELVORIN_OUTLOOK_SESSION", u.pfad("session"));
    return u.pfad("session");
}

static QJsonObject lies(const Umgebung& u, const QString& programm, const QStringList& argumente)
{
    const Ergebnis e = u.starte_programm(programm, argumente);
    const QJsonObject o = QJsonDocument::fromJson(e.standardausgabe).object();
    return e.exit_code == 0 && !o.isEmpty() ? o : QJsonObject{{"fehler", QString::fromUtf8(e.standardfehler)}};
}

void vergleiche_mit_quelle(const Umgebung& u, const QString& eml, const QString& msg)
{
    const QJsonObject py = lies(u, TELVORIN_PYTHON, {TELVORIN_MSG_LESEN_PY, eml, msg});
    ASSERT_FALSE(py.contains("fehler")) << py["fehler"].toString().toStdString();
    EXPECT_EQ(py["msgconvert_knapp"].toObject(), py["quelle_knapp"].toObject()) << "msgconvert: " << msg.toStdString();
    EXPECT_EQ(lies(u, "node", {TELVORIN_MSG_LESEN_JS, msg}), py["quelle"].toObject()) << "msgreader: " << msg.toStdString();
}

}  // namespace testhilfe

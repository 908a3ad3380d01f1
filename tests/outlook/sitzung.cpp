// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#include "sitzung.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace testhilfe {

const QByteArray programmende("\n\n- Programmende mit Fehlern -\n\n");

QStringList dateien_in(const QString& verzeichnis)
{
    return QDir(verzeichnis).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

Teil base64_teil(const QByteArray& content_type, const QByteArray& disposition, const QByteArray& daten)
{
    QByteArray kopf;
    if (!content_type.isEmpty())
        kopf += "Content-Type: " + content_type + "\r\n";
    if (!disposition.isEmpty())
        kopf += "Content-Disposition: " + disposition + "\r\n";
    kopf += "Content-Transfer-Encoding: base64";
    QByteArray zeilen;
    const QByteArray b64 = daten.toBase64();
    for (int i = 0; i < b64.size(); i += 76)
        zeilen += b64.mid(i, 76) + "\r\n";
    return {kopf, zeilen};
}

QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text, const QVector<Teil>& teile)
{
    QByteArray mail =
        "From: Erika Muster <erika@example.org>\r\n"
        "To: Max Beispiel <max@example.com>, ohne-name@example.com\r\n"
        "Cc: Kopie <kopie@example.net>\r\n"
        "Subject: " + betreff_zeile + "\r\n"
        "Date: Mon, 02 Dec 2024 12:00:00 +0000\r\n"
        "Message-ID: <test@example.org>\r\n"
        "MIME-Version: 1.0\r\n";
    if (teile.isEmpty())
        return mail + "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n" + text;
    mail += "Content-Type: multipart/mixed; boundary=\"grenze\"\r\n\r\n"
            "--grenze\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
            + text + "\r\n";
    for (const Teil& t : teile)
        mail += "--grenze\r\n" + t.kopf + "\r\n\r\n" + t.inhalt + "\r\n";
    return mail + "--grenze--\r\n";
}

QString lege_sitzung_an(Umgebung& u, const QByteArray& ini)
{
    u.schreibe(QStringLiteral("session/session.ini"), ini);
    u.setze(QStringLiteral("TELVORIN_OUTLOOK_SESSION"), u.pfad(QStringLiteral("session")));
    return u.pfad(QStringLiteral("session"));
}

GelesenesMsg lies_msg_zurueck(const Umgebung& u, const QString& msg_pfad)
{
    GelesenesMsg g;
    const QString eml = u.pfad(QStringLiteral("zurueck.eml"));
    const Ergebnis umgewandelt =
        u.starte_programm(QStringLiteral("msgconvert"), {QStringLiteral("--outfile"), eml, msg_pfad});
    if (umgewandelt.exit_code != 0) {
        g.fehler = QString::fromUtf8(umgewandelt.standardfehler);
        return g;
    }
    const Ergebnis gelesen = u.starte_programm(QStringLiteral("python3"), {QStringLiteral(MSG_LESEN_PY), eml});
    const QJsonObject o = QJsonDocument::fromJson(gelesen.standardausgabe).object();
    if (gelesen.exit_code != 0 || o.isEmpty()) {
        g.fehler = QString::fromUtf8(gelesen.standardfehler);
        return g;
    }
    g.gelesen = true;
    g.betreff = o.value(QStringLiteral("subject")).toString();
    g.absender = o.value(QStringLiteral("from")).toString();
    g.an = o.value(QStringLiteral("to")).toString();
    g.kopie = o.value(QStringLiteral("cc")).toString();
    g.text = o.value(QStringLiteral("body")).toString();
    for (const QJsonValue& a : o.value(QStringLiteral("attachments")).toArray()) {
        const QJsonObject anlage = a.toObject();
        g.anlagen.append({anlage.value(QStringLiteral("name")).toString(),
                          QByteArray::fromHex(anlage.value(QStringLiteral("data")).toString().toLatin1())});
    }
    return g;
}

}  // namespace testhilfe

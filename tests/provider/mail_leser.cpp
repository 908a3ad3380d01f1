// Reading delivered messages back with a MIME parser that is not ours (Python's email package),
// and recording what stand-in delivery commands were given.
#include "mail_leser.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>

namespace providertest {

QString GeleseneMail::kopf(const char* name) const
{
    return json.value(QLatin1String(name)).toString();
}

QStringList GeleseneMail::adressen(const char* feld) const
{
    QStringList ergebnis;
    for (const QJsonValue& eintrag : json.value(QStringLiteral("addresses")).toObject().value(QLatin1String(feld)).toArray())
        ergebnis << eintrag.toObject().value(QStringLiteral("address")).toString();
    return ergebnis;
}

QStringList GeleseneMail::namen(const char* feld) const
{
    QStringList ergebnis;
    for (const QJsonValue& eintrag : json.value(QStringLiteral("addresses")).toObject().value(QLatin1String(feld)).toArray())
        ergebnis << eintrag.toObject().value(QStringLiteral("name")).toString();
    return ergebnis;
}

QString GeleseneMail::text() const
{
    return json.value(QStringLiteral("body")).toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QList<Anlage> GeleseneMail::anlagen() const
{
    QList<Anlage> ergebnis;
    for (const QJsonValue& wert : json.value(QStringLiteral("attachments")).toArray()) {
        const QJsonObject o = wert.toObject();
        ergebnis << Anlage{o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("type")).toString(),
                           o.value(QStringLiteral("encoding")).toString(),
                           QByteArray::fromBase64(o.value(QStringLiteral("data")).toString().toLatin1())};
    }
    return ergebnis;
}

GeleseneMail lies_mail(const QByteArray& inhalt)
{
    GeleseneMail mail;
    mail.roh = inhalt;
    QProcess python;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    umgebung.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
    python.setProcessEnvironment(umgebung);
    python.start(QStringLiteral("python3"), {QStringLiteral(LIES_MAIL_SKRIPT)});
    if (!python.waitForStarted(30000)) {
        mail.fehler = QStringLiteral("python3 startet nicht");
        return mail;
    }
    python.write(inhalt);
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        mail.fehler = QString::fromUtf8(python.readAllStandardError());
        return mail;
    }
    QJsonParseError fehler {};
    const QJsonDocument dokument = QJsonDocument::fromJson(python.readAllStandardOutput(), &fehler);
    if (fehler.error != QJsonParseError::NoError) {
        mail.fehler = fehler.errorString();
        return mail;
    }
    mail.json = dokument.object();
    mail.ok = true;
    return mail;
}

QByteArray standin_skript(const QString& protokoll, int status)
{
    const QByteArray p = protokoll.toUtf8();
    return "#!/bin/sh\nfor a; do printf '%s\\036' \"$a\"; done > '" + p + ".args'\ncat > '" + p + ".stdin'\nexit "
           + QByteArray::number(status) + "\n";
}

QStringList aufgezeichnete_argumente(const QString& protokoll)
{
    QFile f(protokoll + QStringLiteral(".args"));
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<nicht aufgerufen>")};
    QStringList argumente = QString::fromUtf8(f.readAll()).split(QLatin1Char('\036'));
    argumente.removeLast();
    return argumente;
}

}  // namespace providertest

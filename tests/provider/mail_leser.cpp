// Reading delivered messages back with a MIME parser that is not ours (Python's email package),
// and stand-in delivery commands that record what they were given.
#include "mail_leser.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace providertest {

QString GeleseneMail::text() const
{
    return kopf("body").replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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
    python.start(QStringLiteral("python3"), {QStringLiteral(LIES_MAIL_SKRIPT)});
    python.write(inhalt);
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        mail.fehler = python.errorString() + QString::fromUtf8(python.readAllStandardError());
        return mail;
    }
    // JSON escapes every non-ASCII character, so the locale does not matter.
    mail.json = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    mail.ok = !mail.json.isEmpty();
    if (!mail.ok)
        mail.fehler = QStringLiteral("keine JSON-Ausgabe");
    return mail;
}

QStringList mails_in(const QString& ordner)
{
    return QDir(ordner).entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
}

GeleseneMail einzige_mail(const QString& ordner)
{
    const QStringList mails = mails_in(ordner);
    EXPECT_EQ(mails.size(), 1) << ordner.toStdString();
    if (mails.size() != 1)
        return GeleseneMail();
    QFile f(ordner + QLatin1Char('/') + mails.first());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    GeleseneMail mail = lies_mail(f.readAll());
    EXPECT_TRUE(mail.ok) << mail.fehler.toStdString();
    return mail;
}

void lege_standin_an(const QString& ordner, const QString& name, int status)
{
    // Each argument ends with an ASCII record separator, which no test argument contains.
    const QByteArray protokoll = QFile::encodeName(ordner + QLatin1Char('/') + name);
    QDir(ordner).mkpath(QStringLiteral("bin"));
    QFile skript(ordner + QStringLiteral("/bin/") + name);
    ASSERT_TRUE(skript.open(QIODevice::WriteOnly | QIODevice::Truncate));
    skript.write("#!/bin/sh\nfor a; do printf '%s\\036' \"$a\"; done > '" + protokoll + ".args'\ncat > '" + protokoll
                 + ".stdin'\nexit " + QByteArray::number(status) + "\n");
    skript.close();
    skript.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

QStringList aufgerufen_mit(const QString& ordner, const QString& name)
{
    QFile f(ordner + QLatin1Char('/') + name + QStringLiteral(".args"));
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<nicht aufgerufen>")};
    QStringList argumente = QString::fromUtf8(f.readAll()).split(QLatin1Char('\036'));
    argumente.removeLast();
    return argumente;
}

}  // namespace providertest

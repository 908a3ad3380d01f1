// Reading delivered messages back, stand-in delivery commands, the mails the tests send.
#include "mail_leser.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace providertest {

QString lies_mail(const QByteArray& inhalt)
{
    QProcess python;
    python.start(QStringLiteral(TELVORIN_PYTHON), {QStringLiteral(LIES_MAIL_SKRIPT)});
    python.write(inhalt);
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return QStringLiteral("Fehler: ") + python.errorString() + QString::fromUtf8(python.readAllStandardError());
    return QString::fromUtf8(python.readAllStandardOutput());
}

QString anlage(const QString& name, const char* typ, const QByteArray& daten)
{
    return QStringLiteral("\nAnlage: %1; %2; base64; ").arg(name, QLatin1String(typ)) + daten.toBase64();
}

QString standard_absender()
{
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    return QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name) + QLatin1Char('@') + QString::fromLocal8Bit(host);
}

QStringList mails_in(const QString& ordner) { return QDir(ordner).entryList({"*.eml"}, QDir::Files, QDir::Name); }

QByteArray einzige_mail(const QString& ordner)
{
    const QStringList mails = mails_in(ordner);
    EXPECT_EQ(mails.size(), 1) << ordner.toStdString();
    QFile f(ordner + QLatin1Char('/') + mails.value(0));
    return mails.size() == 1 && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

QByteArray interfacedatei(const QByteArray& profil, const QByteArray& betreff, const Liste& to, const Liste& cc,
                          const Liste& atta, const Liste& attt, const QByteArray& text, const Liste& bcc)
{
    QByteArray datei = profil + "\n\n" + betreff + "\n";
    for (const Liste& liste : {to, cc, bcc, atta, attt})
        datei += QByteArray::number(liste.size()) + "\n" + (liste.isEmpty() ? "" : liste.join('\n') + "\n");
    return datei + text;
}

const char* const beispieltext
    = "Sehr geehrte Damen und Herren,\n\nanbei unser Angebot.\n\nMit freundlichen Gruessen\n";

QString beispielmail(const QString& absender, const QString& an_und_betreff, const QByteArray& anhang)
{
    return "From: " + absender + "\n" + an_und_betreff + "\nText (utf-8):\n" + beispieltext
        + anlage(QStringLiteral("Angebot.txt"), "text/plain; charset=utf-8", anhang);
}

}  // namespace providertest

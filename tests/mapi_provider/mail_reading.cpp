// Calling the provider, reading delivered messages back, stand-in delivery commands.
#include "tests/mapi_provider/mail_reading.h"

#include <QDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace providertest {

void* provider_funktion(const char* name)
{
    static void* const bibliothek = ::dlopen(TELVORIN_MAPI_PROVIDER, RTLD_NOW | RTLD_LOCAL);
    return bibliothek ? ::dlsym(bibliothek, name) : nullptr;
}

static char* text(std::string& s) { return s.empty() ? nullptr : s.data(); }

ULONG sende(LHANDLE sitzung, Nachricht n, FLAGS flags)
{
    std::vector<MapiRecipDesc> empfaenger;
    std::vector<MapiFileDesc> dateien;
    for (Nachricht::Empfaenger& e : n.empfaenger)
        empfaenger.push_back(MapiRecipDesc{0, e.klasse, text(e.name), text(e.adresse), 0, nullptr});
    for (Nachricht::Datei& d : n.dateien)
        dateien.push_back(MapiFileDesc{0, 0, 0xFFFFFFFF, text(d.pfad), text(d.name), nullptr});
    MapiMessage m {0, text(n.betreff), text(n.text), nullptr, nullptr, nullptr, 0, nullptr,
                   static_cast<ULONG>(empfaenger.size()), empfaenger.empty() ? nullptr : empfaenger.data(),
                   static_cast<ULONG>(dateien.size()), dateien.empty() ? nullptr : dateien.data()};
    return funktion<LPMAPISENDMAIL>("MAPISendMail")(sitzung, 0, &m, flags, 0);
}

QString lies_mail(const QByteArray& inhalt)
{
    const testhilfe::Ergebnis e = testhilfe::Umgebung().starte_programm(TELVORIN_PYTHON, {TELVORIN_READ_MAIL_SCRIPT}, inhalt);
    return QString::fromUtf8(e.exit_code == 0 ? e.standardausgabe : "Fehler: " + e.standardfehler);
}

QString anlage(const QString& name, const char* typ, const QByteArray& daten)
{
    return QStringLiteral("\nAnlage: %1; %2; base64; ").arg(name, QLatin1String(typ)) + daten.toBase64();
}

QByteArray einzige_mail(const QString& ordner)
{
    const QStringList mails = dateien_in(ordner);
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

}  // namespace providertest

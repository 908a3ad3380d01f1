// Console output of the tool.
#include "ausgabe/konsole.h"

#include <QFile>
#include <QString>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

void ausgabe_konsole(const QString& text, bool auf_stderr)
{
    // The wrapper must not take over the process's stream: closing it would
    // close stdout/stderr for every later call.
    QFile datei;
    if (!datei.open(auf_stderr ? stderr : stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return;
    QTextStream strom(&datei);
    strom.setCodec(QTextCodec::codecForName("ISO-8859-1"));
    strom << text << '\n';
    strom.flush();
    datei.close();
}

void ausgabe_info(const QString& text, bool unterdruecken)
{
    if (!unterdruecken)
        ausgabe_konsole(text, false);
}

void ausgabe_fehler(const QString& text)
{
    ausgabe_konsole(text, true);
}

void programmende_mit_fehlern()
{
    ausgabe_konsole(QStringLiteral("\n\n- Programmende mit Fehlern -\n"), true);
}

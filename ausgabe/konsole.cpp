// Console output of the tool.
#include "ausgabe/konsole.h"

#include "boundary/console.h"

#include <QString>

using telvorin::boundary::Console;

void ausgabe_konsole(const QString& text, bool auf_stderr)
{
    telvorin::boundary::write_console_latin1(auf_stderr ? Console::error : Console::output, {text});
}

void ausgabe_info(const QString& text, bool unterdruecken)
{
    if (!unterdruecken)
        ausgabe_konsole(text, false);
}

void ausgabe_info_teile(std::initializer_list<QStringView> teile)
{
    telvorin::boundary::write_console_latin1(Console::output, teile);
}

void ausgabe_fehler(const QString& text)
{
    ausgabe_konsole(text, true);
}

void programmende_mit_fehlern()
{
    ausgabe_konsole(QStringLiteral("\n\n- Programmende mit Fehlern -\n"), true);
}

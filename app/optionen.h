// The command line of the tool: options, run modes and their walk.
#pragma once

#include <QString>
#include <QStringList>

enum class ELaufmodus { mail = 0, anlage = 1, ms_mapi = 2 };

// The run mode's name as the result file's header shows it.
QString laufmodus_name(ELaufmodus modus);

struct Optionen {
    ELaufmodus laufmodus = ELaufmodus::ms_mapi;
    bool version = false;         // -version was met; the walk stopped there
    QString zielverzeichnis;      // -dest
    QString dateiname;            // -name
    QString ergebnisdatei;        // -back
    QString interfacedatei;       // -mapi value or a bare argument in run mode 2
};

// Walks `argumente` (index 0 is the program path). Option names match the
// whole argument in any letter case. A value option reads the next argument
// without stepping over it, so that argument is looked at again as an
// argument of its own: in run mode 2 a value that does not begin with "-"
// also becomes the interface-file path until a later one replaces it.
Optionen lies_optionen(const QStringList& argumente);

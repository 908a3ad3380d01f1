// The option walk of the tool.
#include "app/optionen.h"

QString laufmodus_name(ELaufmodus modus)
{
    switch (modus) {
    case ELaufmodus::mail:
        return QStringLiteral("Mail");
    case ELaufmodus::anlage:
        return QStringLiteral("Anlage");
    case ELaufmodus::ms_mapi:
        break;
    }
    return QStringLiteral("MS-MAPI");
}

Optionen lies_optionen(const QStringList& argumente)
{
    Optionen o;
    const auto ist = [](const QString& argument, const char* option) {
        return argument.compare(QLatin1String(option), Qt::CaseInsensitive) == 0;
    };
    for (int i = 0; i < argumente.size(); ++i) {
        const QString& a = argumente.at(i);
        const bool hat_wert = i + 1 < argumente.size();
        const QString wert = hat_wert ? argumente.at(i + 1) : QString();
        if (ist(a, "-version")) {
            o.version = true;
            return o;
        }
        if (ist(a, "-mail")) {
            o.laufmodus = ELaufmodus::mail;
        } else if (ist(a, "-anlage")) {
            o.laufmodus = ELaufmodus::anlage;
        } else if (ist(a, "-dest")) {
            if (hat_wert)
                o.zielverzeichnis = wert;
        } else if (ist(a, "-name")) {
            if (hat_wert)
                o.dateiname = wert;
        } else if (ist(a, "-back")) {
            if (hat_wert)
                o.ergebnisdatei = wert;
        } else if (ist(a, "-mapi")) {
            o.laufmodus = ELaufmodus::ms_mapi;
            if (hat_wert)
                o.interfacedatei = wert;
        } else if (!a.startsWith(QLatin1Char('-')) && i >= 1 && o.laufmodus == ELaufmodus::ms_mapi) {
            o.interfacedatei = a;
        }
    }
    return o;
}

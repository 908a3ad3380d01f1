// The tool's run: banner, options, result file, Outlook binding and dispatch.
#include "app/programm.h"

#include "ausgabe/ergebnisdatei.h"
#include "platform/gui_start.h"
#include "ausgabe/konsole.h"
#include "mail/mail_job.h"
#include "app/optionen.h"
#include "outlook/outlook_dateien.h"
#include "app/programm_konstanten.h"
#include "platform/system_info.h"

#include <QApplication>
#include <QDebug>

namespace {

void drucke_banner()
{
    const QString bits = telvorin::platform::system_bit_width() == 64 ? QStringLiteral("64bit")
                                                                      : QStringLiteral("32bit");
    ausgabe_konsole(QStringLiteral("%1 %2 Version %3 vom %4\n")
                        .arg(QLatin1String(programm::name), 0, QLatin1Char(' '))
                        .arg(bits, 0, QLatin1Char(' '))
                        .arg(QLatin1String(programm::version), 0, QLatin1Char(' '))
                        .arg(QLatin1String(programm::datum), 0, QLatin1Char(' ')),
                    false);
}

}  // namespace

int telvorin_ausfuehren(int& argc, char** argv)
{
    telvorin::platform::GuiRun gui_lauf;
    QApplication anwendung(argc, argv);
    gui_lauf.started();
    telvorin::platform::adopt_locale_encoding();

    drucke_banner();
    // QApplication has already taken the options that Qt knows (-platform,
    // -style, ...) out of the list; they never reach the option walk, which
    // keeps a caller from switching the tool's platform by accident.
    const Optionen optionen = lies_optionen(QCoreApplication::arguments());
    if (optionen.version)
        return 0;

    const QString modus_name = laufmodus_name(optionen.laufmodus);
    if (optionen.laufmodus == ELaufmodus::ms_mapi) {
        if (optionen.interfacedatei.isEmpty()) {
            ausgabe_fehler(QStringLiteral("Fehlende Angabe fuer Interfacedatei"));
            programmende_mit_fehlern();
            return -1;
        }
        qDebug().noquote() << QStringLiteral("Interfacedatei '%1'").arg(optionen.interfacedatei);
    }

    Ergebnisdatei ergebnis;
    if (optionen.laufmodus != ELaufmodus::ms_mapi)
        ergebnis.oeffne(ergebnisdatei_pfad(optionen.ergebnisdatei),
                       QStringLiteral("%1 (%2 %3) %4")
                           .arg(QLatin1String(programm::name), 0, QLatin1Char(' '))
                           .arg(QLatin1String(programm::version), 0, QLatin1Char(' '))
                           .arg(QLatin1String(programm::datum), 0, QLatin1Char(' '))
                           .arg(modus_name, 0, QLatin1Char(' ')));

    int status = 0;
    {
        COutlook_Dateien outlook;
        // Without Outlook on the machine binding fails; the jobs then find no
        // explorer or inspector and say so themselves.
        outlook.application().setControl(QLatin1String(Outlook::Application::klassen_id));

        switch (optionen.laufmodus) {
        case ELaufmodus::mail:
            if (!outlook.speichere_explorer_mag(ergebnis.strom(), optionen.zielverzeichnis, optionen.dateiname))
                status = -1;
            break;
        case ELaufmodus::anlage:
            if (!outlook.speichere_anlage_msg(ergebnis.strom(), optionen.zielverzeichnis, optionen.dateiname))
                status = -1;
            break;
        case ELaufmodus::ms_mapi:
            status = sende_interface_mail(optionen.interfacedatei);
            break;
        }
    }
    if (status < 0)
        programmende_mit_fehlern();
    ergebnis.schliesse();
    return status;
}
